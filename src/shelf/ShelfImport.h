#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QUrl>

#include <atomic>
#include <functional>
#include <optional>

class QMimeData;

namespace zelvik {

class ShelfStore;

// One thing a drop asks the shelf to keep, read from the drop's data on the
// main thread (a drop's data can only be read there, and only while the
// drop lasts).
struct ShelfDropItem {
    enum class Action {
        copyFile,      // a local file, copied into the shelf
        referenceFile, // a local file, kept where it is
        link,          // a URL that is not a local file
        text,          // non-empty plain text
        copyData,      // image, video or other data, written out then copied
    };
    Action action = Action::copyFile;
    QUrl url;
    std::optional<QString> suggestedName;
    QString text;
    QByteArray data;
    // copyData: the MIME type the data came as, which names the copy.
    QString mimeType;

    friend bool operator==(const ShelfDropItem&, const ShelfDropItem&) = default;
};

// The words a worker thread may need; the interface language is read on
// the main thread.
struct ShelfImportWords {
    QString untitledFile; // "File" / "Dosya"
    QString untitledText; // "Text" / "Metin"
    static ShelfImportWords current();
};

// Reads a drop by the first matching rule: file URLs (copied or referenced
// by copyFiles) and other URLs (links, titled by the browser's link title);
// else image, then video data (always copied); else non-empty plain text;
// else the first format that carries data, copied.
QList<ShelfDropItem> readDrop(const QMimeData& data, bool copyFiles);

// The action a drop is accepted with, told to the program it came from. The
// shelf never takes a dropped thing away from its source: a drop kept by
// reference is a link (when the source offers links), everything else a
// copy. Never a move, which would have a file manager delete the original.
Qt::DropAction shelfDropAction(const QMimeData& data, bool copyFiles, Qt::DropActions offered);

// Stores the items in order; returns how many new entries were made. Runs
// on any thread. Setting `cancelled` stops a running copy and skips the
// items not stored yet.
int storeDropItems(ShelfStore& store, const QList<ShelfDropItem>& items,
                   const ShelfImportWords& words, const std::atomic<bool>* cancelled = nullptr);

// The import of drops: reads the drop at once, stores it off the main
// thread (so a large file never freezes the interface) and reports the
// number of new entries back on this object's thread.
class ShelfImport : public QObject {
    Q_OBJECT
public:
    explicit ShelfImport(ShelfStore& store, QObject* parent = nullptr);
    // Cancels the copies still running and waits for them to stop, which
    // takes no longer than one chunk of a file: quitting never waits for a
    // copy, and a cancelled copy leaves nothing behind.
    ~ShelfImport() override;

    void importDrop(const QMimeData& data, bool copyFiles, std::function<void(int added)> done);
    void importItems(QList<ShelfDropItem> items, std::function<void(int added)> done);

    // For shutdown and tests: blocks until every started import has stored
    // its items (their reports still arrive through the event loop).
    void waitForDone();

private:
    ShelfStore& m_store;
    std::atomic<bool> m_cancelled{false};
    QThreadPool m_pool;
};

} // namespace zelvik
