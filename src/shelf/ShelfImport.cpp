#include "ShelfImport.h"

#include "ShelfStore.h"
#include "settings/AppLanguage.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QMimeData>
#include <QMimeDatabase>
#include <QTemporaryDir>

#include <algorithm>

namespace zelvik {

namespace {

// Browsers put a link's title beside the link: "url\ntitle" pairs, as
// UTF-16 in text/x-moz-url and as UTF-8 in _NETSCAPE_URL.
QHash<QUrl, QString> linkTitles(const QMimeData& data) {
    QHash<QUrl, QString> titles;
    const auto read = [&titles](const QString& text) {
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
            const QUrl url(lines.at(i).trimmed());
            const QString title = lines.at(i + 1).trimmed();
            if (url.isValid() && !title.isEmpty() && !titles.contains(url))
                titles.insert(url, title);
        }
    };
    const QByteArray moz = data.data(QStringLiteral("text/x-moz-url"));
    if (!moz.isEmpty()) {
        if (moz.contains('\0')) {
            QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(moz.constData()),
                                              moz.size() / 2);
            if (text.startsWith(QChar(0xFEFF)))
                text.remove(0, 1);
            read(text.remove(QChar(0)));
        } else {
            read(QString::fromUtf8(moz));
        }
    }
    const QByteArray netscape = data.data(QStringLiteral("_NETSCAPE_URL"));
    if (!netscape.isEmpty())
        read(QString::fromUtf8(netscape));
    return titles;
}

std::optional<ShelfDropItem> readMedia(const QMimeData& data, QStringView prefix) {
    for (const QString& format : data.formats()) {
        if (!format.startsWith(prefix))
            continue;
        ShelfDropItem item;
        item.action = ShelfDropItem::Action::copyData;
        item.mimeType = format;
        item.data = data.data(format);
        return item;
    }
    return std::nullopt;
}

std::optional<ShelfDropItem> readImage(const QMimeData& data) {
    if (auto item = readMedia(data, u"image/"))
        return item;
    // An image dragged inside this program arrives as a QImage only.
    if (!data.hasImage())
        return std::nullopt;
    const QImage image = qvariant_cast<QImage>(data.imageData());
    if (image.isNull())
        return std::nullopt;
    ShelfDropItem item;
    item.action = ShelfDropItem::Action::copyData;
    item.mimeType = QStringLiteral("image/png");
    QBuffer buffer(&item.data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return item;
}

// The name the written-out data is copied under: "image.png", "video.mp4",
// "data.pdf".
QString dataFileName(const QString& mimeType) {
    static const QMimeDatabase database;
    QString base = QStringLiteral("data");
    if (mimeType.startsWith(u"image/"))
        base = QStringLiteral("image");
    else if (mimeType.startsWith(u"video/"))
        base = QStringLiteral("video");
    const QString suffix = database.mimeTypeForName(mimeType).preferredSuffix();
    return suffix.isEmpty() ? base : base + u'.' + suffix;
}

bool storeOne(ShelfStore& store, const ShelfDropItem& item, const ShelfImportWords& words,
              const std::atomic<bool>* cancelled) {
    switch (item.action) {
    case ShelfDropItem::Action::copyFile:
        return store.addCopy(item.url, item.suggestedName, words.untitledFile, cancelled)
            .has_value();
    case ShelfDropItem::Action::referenceFile: {
        bool added = false;
        store.addReference(item.url, &added);
        return added;
    }
    case ShelfDropItem::Action::link:
        store.addLink(item.url, item.suggestedName);
        return true;
    case ShelfDropItem::Action::text:
        store.addText(item.text, words.untitledText);
        return true;
    case ShelfDropItem::Action::copyData: {
        if (item.data.isEmpty())
            return false;
        const QTemporaryDir folder;
        if (!folder.isValid())
            return false;
        QFile file(folder.filePath(dataFileName(item.mimeType)));
        if (!file.open(QIODevice::WriteOnly) || file.write(item.data) != item.data.size())
            return false;
        file.close();
        return store
            .addCopy(QUrl::fromLocalFile(file.fileName()), item.suggestedName, words.untitledFile,
                     cancelled)
            .has_value();
    }
    }
    return false;
}

} // namespace

ShelfImportWords ShelfImportWords::current() {
    return {localized("File", "Dosya"), localized("Text", "Metin")};
}

QList<ShelfDropItem> readDrop(const QMimeData& data, bool copyFiles) {
    QList<ShelfDropItem> items;
    const QList<QUrl> urls = data.urls();
    if (!urls.isEmpty()) {
        const QHash<QUrl, QString> titles = linkTitles(data);
        for (const QUrl& url : urls) {
            if (!url.isValid() || url.isEmpty())
                continue;
            ShelfDropItem item;
            item.url = url;
            if (url.isLocalFile()) {
                item.action = copyFiles ? ShelfDropItem::Action::copyFile
                                        : ShelfDropItem::Action::referenceFile;
            } else {
                item.action = ShelfDropItem::Action::link;
                if (const auto title = titles.constFind(url); title != titles.cend())
                    item.suggestedName = *title;
            }
            items.append(item);
        }
        if (!items.isEmpty())
            return items;
    }

    if (auto image = readImage(data))
        return {*image};
    if (auto video = readMedia(data, u"video/"))
        return {*video};

    if (data.hasText()) {
        const QString text = data.text();
        if (!text.isEmpty()) {
            ShelfDropItem item;
            item.action = ShelfDropItem::Action::text;
            item.text = text;
            return {item};
        }
    }

    // Anything else is kept as a file of its first data format that is a
    // known type, else of its first format at all. Formats without data (the
    // empty text that fell through) have nothing to keep.
    static const QMimeDatabase database;
    std::optional<ShelfDropItem> fallback;
    for (const QString& format : data.formats()) {
        ShelfDropItem item;
        item.action = ShelfDropItem::Action::copyData;
        item.mimeType = format;
        item.data = data.data(format);
        if (item.data.isEmpty())
            continue;
        if (database.mimeTypeForName(format).isValid())
            return {item};
        if (!fallback)
            fallback = item;
    }
    if (fallback)
        return {*fallback};
    return {};
}

Qt::DropAction shelfDropAction(const QMimeData& data, bool copyFiles, Qt::DropActions offered) {
    if (copyFiles || !offered.testFlag(Qt::LinkAction))
        return Qt::CopyAction;
    // Only local files are kept by reference; links, texts and data are
    // always copied into the shelf.
    const QList<QUrl> urls = data.urls();
    const bool onlyLocalFiles =
        !urls.isEmpty() && std::all_of(urls.cbegin(), urls.cend(), [](const QUrl& url) {
            return url.isLocalFile() || !url.isValid() || url.isEmpty();
        });
    const bool anyLocalFile =
        std::any_of(urls.cbegin(), urls.cend(), [](const QUrl& url) { return url.isLocalFile(); });
    return onlyLocalFiles && anyLocalFile ? Qt::LinkAction : Qt::CopyAction;
}

int storeDropItems(ShelfStore& store, const QList<ShelfDropItem>& items,
                   const ShelfImportWords& words, const std::atomic<bool>* cancelled) {
    int added = 0;
    for (const ShelfDropItem& item : items) {
        if (cancelled && cancelled->load())
            break;
        if (storeOne(store, item, words, cancelled))
            ++added;
    }
    return added;
}

ShelfImport::ShelfImport(ShelfStore& store, QObject* parent)
    : QObject(parent)
    , m_store(store) {
    // A few drops may copy side by side; the store serializes their saves.
    m_pool.setMaxThreadCount(4);
}

ShelfImport::~ShelfImport() {
    m_cancelled = true;
    m_pool.waitForDone();
}

void ShelfImport::importDrop(const QMimeData& data, bool copyFiles,
                             std::function<void(int added)> done) {
    importItems(readDrop(data, copyFiles), std::move(done));
}

void ShelfImport::importItems(QList<ShelfDropItem> items, std::function<void(int added)> done) {
    const ShelfImportWords words = ShelfImportWords::current();
    m_pool.start([this, items = std::move(items), words, done = std::move(done)] {
        const int added = storeDropItems(m_store, items, words, &m_cancelled);
        if (done)
            QMetaObject::invokeMethod(
                this, [done, added] { done(added); }, Qt::QueuedConnection);
    });
}

void ShelfImport::waitForDone() {
    m_pool.waitForDone();
}

} // namespace zelvik
