#include "FileManagerRevealer.h"

#include "filemanager1_interface.h"

#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFileInfo>

namespace zelvik {

namespace {

const QString kService = QStringLiteral("org.freedesktop.FileManager1");
// Long enough for a file manager started on demand to come up.
constexpr int kCallTimeoutMs = 10000;

} // namespace

FileManagerRevealer::FileManagerRevealer(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus)) {}

void FileManagerRevealer::openFolder(const QUrl& file) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file.toLocalFile()).absolutePath()));
}

void FileManagerRevealer::reveal(const QUrl& file) {
    if (!file.isLocalFile())
        return;
    if (!m_bus.isConnected()) {
        openFolder(file);
        emit finished();
        return;
    }
    OrgFreedesktopFileManager1Interface manager(
        kService, QStringLiteral("/org/freedesktop/FileManager1"), m_bus);
    manager.setTimeout(kCallTimeoutMs);
    // Asynchronous: a file manager starting up must not hold up the notch.
    auto* watcher = new QDBusPendingCallWatcher(
        manager.ShowItems({file.toString(QUrl::FullyEncoded)}, QString()), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, file] {
        if (watcher->isError())
            openFolder(file);
        watcher->deleteLater();
        emit finished();
    });
}

} // namespace zelvik
