#include "ShelfActions.h"

#include "FileRevealer.h"
#include "NearbySharing.h"
#include "ShelfStore.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

namespace zelvik {

namespace {

// GNOME's and most GTK file managers' clipboard form for files: pasting
// there copies the file itself instead of its name.
const QString kGnomeCopiedFiles = QStringLiteral("x-special/gnome-copied-files");

} // namespace

ShelfActions::ShelfActions(ShelfStore& store, NearbySharing* sharing, FileRevealer* revealer,
                           QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_sharing(sharing)
    , m_revealer(revealer)
    , m_import(store) {}

void ShelfActions::importDrop(const QMimeData& data, bool copyFiles,
                              std::function<void(int added)> done) {
    m_import.importDrop(data, copyFiles, std::move(done));
}

bool ShelfActions::addScreenshot(const QUrl& file) {
    if (!file.isLocalFile())
        return false;
    bool added = false;
    m_store.addReference(file, &added);
    return added;
}

std::optional<QUrl> ShelfActions::parseLink(const QString& urlString) {
    const QUrl url(urlString, QUrl::StrictMode);
    if (urlString.isEmpty() || !url.isValid() || url.isRelative())
        return std::nullopt;
    return url;
}

QUrl ShelfActions::entryFileURL(const ShelfItem& item) const {
    return m_store.entryFileURL(item);
}

void ShelfActions::open(const ShelfItem& item) const {
    switch (item.kind) {
    case ShelfItem::Kind::file:
    case ShelfItem::Kind::image:
    case ShelfItem::Kind::video:
        if (const QUrl url = entryFileURL(item); !url.isEmpty())
            QDesktopServices::openUrl(url);
        return;
    case ShelfItem::Kind::link:
        if (const auto url = parseLink(item.urlString.value_or(QString())))
            QDesktopServices::openUrl(*url);
        return;
    case ShelfItem::Kind::text:
        return;
    }
}

void ShelfActions::revealFolder() const {
    if (m_revealer)
        m_revealer->reveal(QUrl::fromLocalFile(m_store.shelfFolder()));
}

void ShelfActions::reveal(const ShelfItem& item) const {
    if (!m_revealer || !item.hasFile())
        return;
    if (const QUrl url = entryFileURL(item); !url.isEmpty())
        m_revealer->reveal(url);
}

void ShelfActions::copyToClipboard(const ShelfItem& item) const {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    auto data = std::make_unique<QMimeData>();
    switch (item.kind) {
    case ShelfItem::Kind::text:
        data->setText(item.text.value_or(QString()));
        break;
    case ShelfItem::Kind::link:
        data->setText(item.urlString.value_or(QString()));
        break;
    case ShelfItem::Kind::file:
    case ShelfItem::Kind::image:
    case ShelfItem::Kind::video: {
        const QUrl url = entryFileURL(item);
        if (url.isEmpty())
            return;
        data->setUrls({url});
        data->setData(kGnomeCopiedFiles, "copy\n" + url.toEncoded());
        break;
    }
    }
    clipboard->setMimeData(data.release());
}

QMimeData* ShelfActions::dragOutContent(const ShelfItem& item) const {
    auto data = std::make_unique<QMimeData>();
    switch (item.kind) {
    case ShelfItem::Kind::text:
        data->setText(item.text.value_or(QString()));
        break;
    case ShelfItem::Kind::link:
        if (const auto url = parseLink(item.urlString.value_or(QString()))) {
            data->setUrls({*url});
            // Text fields take the link as its text.
            data->setText(url->toString(QUrl::FullyEncoded));
        }
        break;
    case ShelfItem::Kind::file:
    case ShelfItem::Kind::image:
    case ShelfItem::Kind::video:
        if (const QUrl url = entryFileURL(item); !url.isEmpty())
            data->setUrls({url});
        break;
    }
    return data.release();
}

QVariantMap ShelfActions::dragOutData(const ShelfItem& item) const {
    const std::unique_ptr<QMimeData> data(dragOutContent(item));
    QVariantMap map;
    for (const QString& format : data->formats())
        map.insert(format, QString::fromUtf8(data->data(format)));
    return map;
}

void ShelfActions::remove(const ShelfItem& item) {
    m_store.removeEntry(item);
}

void ShelfActions::clear() {
    m_store.removeAllEntries();
}

QList<QUrl> ShelfActions::shareableUrls(const QList<ShelfItem>& items) const {
    QList<QUrl> urls;
    for (const ShelfItem& item : items) {
        if (item.kind == ShelfItem::Kind::link) {
            if (const auto url = parseLink(item.urlString.value_or(QString())))
                urls << *url;
        } else if (item.hasFile()) {
            if (const QUrl url = entryFileURL(item); !url.isEmpty())
                urls << url;
        }
    }
    return urls;
}

bool ShelfActions::canShare(const QList<QUrl>& urls) const {
    return m_sharing && m_sharing->canPerform(urls);
}

bool ShelfActions::sharingAvailable() const {
    return m_sharing && m_sharing->isAvailable();
}

void ShelfActions::share(const QList<QUrl>& urls) {
    if (canShare(urls))
        m_sharing->perform(urls);
}

} // namespace zelvik
