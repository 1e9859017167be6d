#include "XdgAutostartEntry.h"

#include "DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QStandardPaths>

namespace zelvik {

namespace {

Q_LOGGING_CATEGORY(lcAutostart, "zelvik.autostart", QtWarningMsg)

const QString kHidden = QStringLiteral("Hidden");
const QString kGnomeEnabled = QStringLiteral("X-GNOME-Autostart-enabled");

bool runsSomething(const DesktopEntry& entry) {
    return !entry.execArguments().isEmpty() &&
           entry.value(QStringLiteral("Type")).value_or(QStringLiteral("Application")) ==
               u"Application";
}

bool isOn(const DesktopEntry& entry) {
    return runsSomething(entry) && !entry.boolValue(kHidden, false) &&
           entry.value(kGnomeEnabled).value_or(QStringLiteral("true")) != u"false";
}

bool save(const QString& path, const QString& text) {
    QSaveFile file(path);
    // Never write through a link into whatever it points at.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

} // namespace

XdgAutostartEntry::XdgAutostartEntry(QString program, QString path)
    : m_program(std::move(program))
    , m_path(path.isEmpty() ? standardPath() : std::move(path)) {}

QString XdgAutostartEntry::standardPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/zelvik.desktop");
}

bool XdgAutostartEntry::isEnabled() const {
    const auto entry = DesktopEntry::read(m_path);
    return entry && isOn(*entry);
}

bool XdgAutostartEntry::writeFresh() const {
    DesktopEntry entry;
    entry.setValue(QStringLiteral("Type"), QStringLiteral("Application"));
    entry.setValue(QStringLiteral("Name"), QStringLiteral("Zelvik"));
    entry.setValue(QStringLiteral("Comment"), QStringLiteral("The notch at the top of the screen"));
    entry.setValue(QStringLiteral("Exec"), DesktopEntry::quotedExecArgument(m_program));
    entry.setValue(QStringLiteral("Icon"), QStringLiteral("zelvik"));
    entry.setValue(QStringLiteral("Terminal"), QStringLiteral("false"));
    entry.setValue(kGnomeEnabled, QStringLiteral("true"));
    return save(m_path, entry.toText());
}

bool XdgAutostartEntry::setEnabled(bool enabled) {
    const QFileInfo info(m_path);
    if (!enabled) {
        // The link itself, or our own file; a folder or a pipe someone put
        // there is not ours to delete.
        if (info.isSymLink() || (info.exists() && info.isFile() && !info.isDir()))
            if (!QFile::remove(m_path))
                qCWarning(lcAutostart) << "cannot remove" << m_path;
        return !isEnabled();
    }
    if (isEnabled())
        return true;
    if (info.exists() && !info.isSymLink() && !info.isFile()) {
        qCWarning(lcAutostart) << m_path << "is in the way and is not a file";
        return false;
    }
    QDir().mkpath(info.absolutePath());
    const auto existing = info.isSymLink() ? std::nullopt : DesktopEntry::read(m_path);
    if (existing && runsSomething(*existing)) {
        // An entry the user switched off or edited: switch it on, keep the rest.
        DesktopEntry entry = *existing;
        entry.removeKey(kHidden);
        if (entry.value(kGnomeEnabled))
            entry.setValue(kGnomeEnabled, QStringLiteral("true"));
        if (!save(m_path, entry.toText()))
            qCWarning(lcAutostart) << "cannot write" << m_path;
    } else {
        // A link (to something that is off), an unreadable file or one that
        // is no entry: replace it with ours.
        if (info.isSymLink() || info.exists())
            QFile::remove(m_path);
        if (!writeFresh())
            qCWarning(lcAutostart) << "cannot write" << m_path;
    }
    return isEnabled();
}

} // namespace zelvik
