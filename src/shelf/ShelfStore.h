#pragma once

#include "ShelfItem.h"

#include <QString>
#include <QUrl>

#include <atomic>
#include <mutex>
#include <optional>

namespace zelvik {

class Clock;

// The shelf on disk: Zelvik/Shelf/shelf.json and the copies in
// Zelvik/Shelf/Files under the user's data folder. The file is the source of
// truth: every change loads the whole list, changes it and writes it back
// atomically.
//
// Copies of dropped files finish on worker threads while the main thread may
// add or remove entries, so every load-change-save cycle holds one lock;
// otherwise two writers would each save a list missing the other's entry.
class ShelfStore final : public ShelfStorage {
public:
    // shelfFolder defaults to <GenericDataLocation>/Zelvik/Shelf. The clock
    // must be safe to read from worker threads.
    explicit ShelfStore(const Clock& clock, QString shelfFolder = {});

    static QString standardShelfFolder();

    // Folders are created (with their parents) each time they are asked for;
    // a creation failure shows up as a failing read or write later.
    QString shelfFolder() const;
    QString filesFolder() const;
    QString shelfFilePath() const;

    // Newest first; entries with equal dates keep their file order. Missing
    // or unreadable file: empty.
    QList<ShelfItem> loadShelf() override;
    void saveShelf(const QList<ShelfItem>& items);

    // Copies the file into Files/ as "XXXXXXXX-<display name>". fallbackName
    // is the base used when neither the suggestion nor the file gives one;
    // empty means the current language's word for "File" (read it on the
    // main thread and pass it in when calling from a worker).
    //
    // Regular files and folders are copied with their content, symbolic
    // links as links; FIFOs, sockets and device files are not copied (one
    // inside a folder is left out). Setting `cancelled` from another thread
    // stops a running copy; a copy that fails or is cancelled leaves nothing
    // in Files/.
    std::optional<ShelfItem> addCopy(const QUrl& source,
                                     const std::optional<QString>& suggestedName = std::nullopt,
                                     const QString& fallbackName = {},
                                     const std::atomic<bool>* cancelled = nullptr);
    // The existing entry when one already references the same path; added
    // tells whether a new entry was made.
    ShelfItem addReference(const QUrl& file, bool* added = nullptr);
    ShelfItem addLink(const QUrl& url, const std::optional<QString>& suggestedName = std::nullopt);
    // fallbackTitle as for addCopy: empty means the current language's "Text".
    ShelfItem addText(const QString& text, const QString& fallbackTitle = {});

    void removeEntry(const ShelfItem& item);
    void removeAllEntries() override;
    // Removes entries created strictly before now - days * 86400 s.
    void clearOlderThan(int days) override;

    // The file of a file, image or video entry: the referenced path or the
    // copy in Files/. Empty for links, texts, and copies whose stored name is
    // not a plain file name.
    QUrl entryFileURL(const ShelfItem& item) const;

    // Title of a text entry: the first non-empty line cut to 60 characters
    // (grapheme clusters), or "Text" when that is empty.
    static QString textTitle(const QString& text, const QString& fallbackTitle);
    // The display name of a copy: the suggested name (or the file's base
    // name) with the source's extension once, made safe as one file name.
    static QString copyDisplayName(const QUrl& source, const std::optional<QString>& suggestedName,
                                   const QString& fallbackName);
    // Reduces a name to one safe file-name component: no "/" or control
    // characters, not "." or "..". Empty stays empty.
    static QString safeFileName(const QString& name);

private:
    QList<ShelfItem> loadLocked() const;
    void saveLocked(const QList<ShelfItem>& items) const;
    void insertFrontLocked(const ShelfItem& item);
    // Deletes the copy of an entry, only ever inside Files/.
    void deleteCopyLocked(const ShelfItem& item) const;
    std::optional<QString> copyPath(const ShelfItem& item) const;

    void forgetCacheLocked() const;

    const Clock& m_clock;
    QString m_shelfFolder;
    std::mutex m_mutex;
    // The last bytes read or written and their list, newest first.
    mutable QByteArray m_cachedBytes;
    mutable QList<ShelfItem> m_cachedItems;
};

} // namespace zelvik
