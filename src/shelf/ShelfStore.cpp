#include "ShelfStore.h"

#include "model/Clock.h"
#include "settings/AppLanguage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextBoundaryFinder>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace zelvik {

namespace {

// Longest file name the usual Linux file systems accept, in bytes.
constexpr qsizetype kMaxFileNameBytes = 255;
// "XXXXXXXX-" in front of every copy.
constexpr qsizetype kCopyPrefixLength = 9;
constexpr int kTitleLength = 60;

bool isLineBreak(QChar c) {
    switch (c.unicode()) {
    case 0x000A:
    case 0x000B:
    case 0x000C:
    case 0x000D:
    case 0x0085:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

// Splits "name.ext" at the last dot; a leading dot (".bashrc") or a trailing
// one ("name.") is not an extension.
void splitExtension(const QString& name, QString& base, QString& extension) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0 || dot == name.size() - 1) {
        base = name;
        extension.clear();
        return;
    }
    base = name.left(dot);
    extension = name.mid(dot + 1);
}

ShelfItem::Kind kindOfFileName(const QString& name) {
    QString ignoredBase;
    QString extension;
    splitExtension(name, ignoredBase, extension);
    return shelfKindForExtension(extension);
}

// The first `count` grapheme clusters of text.
QString leadingGraphemes(const QString& text, int count) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int clusters = 0;
    qsizetype end = 0;
    while (clusters < count) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0)
            return text;
        end = next;
        ++clusters;
    }
    return text.left(end);
}

// Cuts text so that its UTF-8 form fits in maxBytes, never inside a
// grapheme cluster.
QString fitUtf8(const QString& text, qsizetype maxBytes) {
    if (text.toUtf8().size() <= maxBytes)
        return text;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype fitting = 0;
    qsizetype bytes = 0;
    for (qsizetype next = finder.toNextBoundary(); next >= 0; next = finder.toNextBoundary()) {
        bytes += QStringView(text).mid(fitting, next - fitting).toUtf8().size();
        if (bytes > maxBytes)
            break;
        fitting = next;
    }
    return text.left(fitting);
}

bool isPlainFileName(const QString& name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(QChar(0));
}

bool newerFirst(const ShelfItem& a, const ShelfItem& b) {
    return a.createdAt > b.createdAt;
}

// Removes a file, or a copied folder with everything in it. Links are
// removed, never followed.
void removeItem(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

bool isCancelled(const std::atomic<bool>* cancelled) {
    return cancelled && cancelled->load(std::memory_order_relaxed);
}

// Copies a regular file's bytes in chunks, stopping between chunks when
// cancelled. The source is opened without blocking and without following a
// link, and is copied only if it really is a regular file then: a FIFO
// swapped in after the check would otherwise block the open forever.
bool copyRegularFile(const QString& source, const QString& target,
                     const std::atomic<bool>* cancelled) {
    const int fd = ::open(QFile::encodeName(source).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    QFile in;
    if (!in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    constexpr qint64 kChunk = 1 << 20;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        if (isCancelled(cancelled))
            return false;
        const qint64 read = in.read(buffer.data(), kChunk);
        if (read < 0)
            return false;
        if (read == 0)
            break;
        if (out.write(buffer.constData(), read) != read)
            return false;
    }
    out.setPermissions(in.permissions());
    return out.flush();
}

// Copies what lies at source to target, which does not exist yet: regular
// files with their content, folders with everything in them, and symbolic
// links as links to the same place (never followed, so a link loop cannot
// run away). Anything else (FIFOs, sockets, device files) is not copied: a
// dropped one fails, one inside a folder is left out.
bool copyTree(const QString& source, const QString& target, const std::atomic<bool>* cancelled) {
    if (isCancelled(cancelled))
        return false;
    const QFileInfo info(source);
    if (info.isSymLink())
        return QFile::link(info.symLinkTarget(), target);
    if (info.isDir()) {
        if (!QDir().mkdir(target))
            return false;
        const QFileInfoList entries = QDir(source).entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo& entry : entries) {
            if (!copyTree(entry.filePath(), target + u'/' + entry.fileName(), cancelled) &&
                (isCancelled(cancelled) || entry.isSymLink() || entry.isDir() || entry.isFile()))
                return false;
        }
        return true;
    }
    if (info.isFile())
        return copyRegularFile(source, target, cancelled);
    return false;
}

// Copies a file or folder to destination, which is never overwritten. The
// copy is made under a hidden name beside it and renamed only once whole,
// so a failed or cancelled copy leaves nothing behind.
bool copyItem(const QString& source, const QString& destination,
              const std::atomic<bool>* cancelled) {
    const QFileInfo info(source);
    // A folder that holds the shelf itself would be copied into itself.
    if (info.isDir() && !info.isSymLink() &&
        QFileInfo(QFileInfo(destination).absolutePath())
            .canonicalFilePath()
            .startsWith(info.canonicalFilePath() + u'/'))
        return false;
    if (QFileInfo::exists(destination) || QFileInfo(destination).isSymLink())
        return false;
    const QString partial = QFileInfo(destination).absolutePath() + QStringLiteral("/.partial-") +
                            QUuid::createUuid().toString(QUuid::Id128);
    const bool copied = copyTree(source, partial, cancelled) && !isCancelled(cancelled) &&
                        !QFileInfo::exists(destination) &&
                        std::rename(QFile::encodeName(partial).constData(),
                                    QFile::encodeName(destination).constData()) == 0;
    if (!copied)
        removeItem(partial);
    return copied;
}

QString newCopyPrefix() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().left(8) + u'-';
}

} // namespace

ShelfStore::ShelfStore(const Clock& clock, QString shelfFolder)
    : m_clock(clock)
    , m_shelfFolder(shelfFolder.isEmpty() ? standardShelfFolder() : std::move(shelfFolder)) {}

QString ShelfStore::standardShelfFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Zelvik/Shelf");
}

QString ShelfStore::shelfFolder() const {
    QDir().mkpath(m_shelfFolder);
    return m_shelfFolder;
}

QString ShelfStore::filesFolder() const {
    const QString path = m_shelfFolder + QStringLiteral("/Files");
    QDir().mkpath(path);
    return path;
}

QString ShelfStore::shelfFilePath() const {
    return shelfFolder() + QStringLiteral("/shelf.json");
}

QList<ShelfItem> ShelfStore::loadShelf() {
    std::lock_guard lock(m_mutex);
    return loadLocked();
}

void ShelfStore::saveShelf(const QList<ShelfItem>& items) {
    std::lock_guard lock(m_mutex);
    saveLocked(items);
}

QList<ShelfItem> ShelfStore::loadLocked() const {
    QFile file(shelfFilePath());
    if (!file.open(QIODevice::ReadOnly)) {
        forgetCacheLocked();
        return {};
    }
    const QByteArray bytes = file.readAll();
    // Unchanged bytes decode to the same list: reading and comparing a long
    // shelf is far cheaper than decoding it again.
    if (!m_cachedBytes.isNull() && bytes == m_cachedBytes)
        return m_cachedItems;
    auto items = decodeShelf(bytes);
    if (!items) {
        forgetCacheLocked();
        return {};
    }
    // Saved lists are already in order; sorting them again only costs time.
    if (!std::is_sorted(items->cbegin(), items->cend(), newerFirst))
        std::stable_sort(items->begin(), items->end(), newerFirst);
    m_cachedBytes = bytes;
    m_cachedItems = *items;
    return std::move(*items);
}

void ShelfStore::saveLocked(const QList<ShelfItem>& items) const {
    const QByteArray bytes = encodeShelf(items);
    QSaveFile file(shelfFilePath());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        forgetCacheLocked();
        return;
    }
    if (std::is_sorted(items.cbegin(), items.cend(), newerFirst)) {
        m_cachedBytes = bytes;
        m_cachedItems = items;
    } else {
        forgetCacheLocked();
    }
}

void ShelfStore::forgetCacheLocked() const {
    m_cachedBytes = QByteArray();
    m_cachedItems.clear();
}

void ShelfStore::insertFrontLocked(const ShelfItem& item) {
    QList<ShelfItem> items = loadLocked();
    items.prepend(item);
    saveLocked(items);
}

QString ShelfStore::safeFileName(const QString& name) {
    QString safe;
    safe.reserve(name.size());
    for (const QChar c : name) {
        if (c == u'/')
            safe.append(u'-');
        else if (c.category() != QChar::Other_Control)
            safe.append(c);
    }
    if (safe == u"." || safe == u"..")
        return {};
    return safe;
}

QString ShelfStore::copyDisplayName(const QUrl& source, const std::optional<QString>& suggestedName,
                                    const QString& fallbackName) {
    QString base;
    QString extension;
    splitExtension(QFileInfo(QDir::cleanPath(source.path())).fileName(), base, extension);
    extension = safeFileName(extension);
    if (suggestedName)
        base = *suggestedName;
    if (!extension.isEmpty() && base.toLower().endsWith(u'.' + extension.toLower()))
        base.chop(extension.size() + 1);
    base = safeFileName(base);
    if (base.isEmpty())
        base = fallbackName.isEmpty() ? localized("File", "Dosya") : fallbackName;
    // Keep the whole name within what the file system accepts, cutting the
    // base rather than the extension.
    const qsizetype extensionBytes = extension.isEmpty() ? 0 : extension.toUtf8().size() + 1;
    base = fitUtf8(base,
                   std::max<qsizetype>(1, kMaxFileNameBytes - kCopyPrefixLength - extensionBytes));
    return extension.isEmpty() ? base : base + u'.' + extension;
}

std::optional<ShelfItem> ShelfStore::addCopy(const QUrl& source,
                                             const std::optional<QString>& suggestedName,
                                             const QString& fallbackName,
                                             const std::atomic<bool>* cancelled) {
    const QString displayName = copyDisplayName(source, suggestedName, fallbackName);
    const QString fileName = newCopyPrefix() + displayName;
    const QString destination = filesFolder() + u'/' + fileName;
    // The copy itself runs without the lock: a large file must not hold up
    // the main thread's reads and changes.
    if (!source.isLocalFile() || !copyItem(source.toLocalFile(), destination, cancelled))
        return std::nullopt;

    ShelfItem item;
    item.kind = kindOfFileName(displayName);
    item.title = displayName;
    item.fileName = fileName;
    item.createdAt = m_clock.now();

    std::lock_guard lock(m_mutex);
    insertFrontLocked(item);
    return item;
}

ShelfItem ShelfStore::addReference(const QUrl& file, bool* added) {
    const QString path = file.toLocalFile();
    if (added)
        *added = false;
    std::lock_guard lock(m_mutex);
    QList<ShelfItem> items = loadLocked();
    for (const ShelfItem& existing : items) {
        if (existing.externalPath == path)
            return existing;
    }
    // The title of a folder dropped as "dir/" is still "dir".
    const QString name = QFileInfo(QDir::cleanPath(path)).fileName();
    ShelfItem item;
    item.kind = kindOfFileName(name);
    item.title = name;
    item.externalPath = path;
    item.createdAt = m_clock.now();
    items.prepend(item);
    saveLocked(items);
    if (added)
        *added = true;
    return item;
}

ShelfItem ShelfStore::addLink(const QUrl& url, const std::optional<QString>& suggestedName) {
    const QString absolute = url.toString(QUrl::FullyEncoded);
    ShelfItem item;
    item.kind = ShelfItem::Kind::link;
    if (suggestedName && !suggestedName->isEmpty())
        item.title = *suggestedName;
    else if (const QString host = url.host(QUrl::FullyEncoded); !host.isEmpty())
        item.title = host;
    else
        item.title = absolute;
    item.urlString = absolute;
    item.createdAt = m_clock.now();
    std::lock_guard lock(m_mutex);
    insertFrontLocked(item);
    return item;
}

QString ShelfStore::textTitle(const QString& text, const QString& fallbackTitle) {
    QString first = text;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || isLineBreak(text.at(i))) {
            if (i > start) {
                first = text.mid(start, i - start);
                break;
            }
            start = i + 1;
        }
    }
    const QString title = leadingGraphemes(first, kTitleLength);
    if (!title.isEmpty())
        return title;
    return fallbackTitle.isEmpty() ? localized("Text", "Metin") : fallbackTitle;
}

ShelfItem ShelfStore::addText(const QString& text, const QString& fallbackTitle) {
    ShelfItem item;
    item.kind = ShelfItem::Kind::text;
    item.title = textTitle(text, fallbackTitle);
    item.text = text;
    item.createdAt = m_clock.now();
    std::lock_guard lock(m_mutex);
    insertFrontLocked(item);
    return item;
}

std::optional<QString> ShelfStore::copyPath(const ShelfItem& item) const {
    if (item.externalPath || !item.fileName)
        return std::nullopt;
    // A name read from the file that is not one plain file name never
    // reaches outside Files/.
    if (!isPlainFileName(*item.fileName))
        return std::nullopt;
    return filesFolder() + u'/' + *item.fileName;
}

void ShelfStore::deleteCopyLocked(const ShelfItem& item) const {
    if (const auto path = copyPath(item))
        removeItem(*path);
}

void ShelfStore::removeEntry(const ShelfItem& item) {
    std::lock_guard lock(m_mutex);
    deleteCopyLocked(item);
    QList<ShelfItem> items = loadLocked();
    items.removeIf([&item](const ShelfItem& entry) { return entry.id == item.id; });
    saveLocked(items);
}

void ShelfStore::removeAllEntries() {
    std::lock_guard lock(m_mutex);
    for (const ShelfItem& item : loadLocked())
        deleteCopyLocked(item);
    saveLocked({});
}

void ShelfStore::clearOlderThan(int days) {
    if (days <= 0)
        return;
    const ReferenceSeconds cutoff = m_clock.now() - days * 86400.0;
    std::lock_guard lock(m_mutex);
    QList<ShelfItem> items = loadLocked();
    const auto old = [cutoff](const ShelfItem& entry) { return entry.createdAt < cutoff; };
    if (std::none_of(items.cbegin(), items.cend(), old))
        return;
    for (const ShelfItem& item : items) {
        if (old(item))
            deleteCopyLocked(item);
    }
    items.removeIf(old);
    saveLocked(items);
}

QUrl ShelfStore::entryFileURL(const ShelfItem& item) const {
    if (!item.hasFile())
        return {};
    if (item.externalPath)
        return QUrl::fromLocalFile(*item.externalPath);
    if (const auto path = copyPath(item))
        return QUrl::fromLocalFile(*path);
    return {};
}

} // namespace zelvik
