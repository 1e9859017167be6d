#pragma once

#include "ShelfImport.h"
#include "ShelfItem.h"

#include <QList>
#include <QObject>
#include <QUrl>
#include <QVariantMap>

#include <functional>
#include <optional>

class QMimeData;

namespace zelvik {

class FileRevealer;
class NearbySharing;
class ShelfStore;

// The actions on shelf entries that reach outside the shelf: the default
// application, the clipboard, dragging out, nearby sharing, and the import of
// drops and screenshots. The model calls these and then reloads its list.
class ShelfActions : public QObject {
    Q_OBJECT
public:
    // sharing may be null: then nothing can be shared; revealer may be null:
    // then nothing is shown in the file manager.
    ShelfActions(ShelfStore& store, NearbySharing* sharing, FileRevealer* revealer = nullptr,
                 QObject* parent = nullptr);

    ShelfStore& store() const { return m_store; }
    ShelfImport& importer() { return m_import; }

    // Reads the drop now, stores it off the main thread, then reports the
    // number of new entries on the main thread.
    void importDrop(const QMimeData& data, bool copyFiles, std::function<void(int added)> done);
    // Screenshots are kept where they are, and only once per path. True when
    // a new entry was made.
    bool addScreenshot(const QUrl& file);

    // Opens a file, image, video or link entry with the default application.
    // Text entries are not opened (the model copies them instead).
    void open(const ShelfItem& item) const;
    // Shows the entry's file in the file manager (entries with a file only).
    void reveal(const ShelfItem& item) const;
    // Shows the shelf's own folder in the file manager.
    void revealFolder() const;
    // Replaces the clipboard with the text, the link or the file.
    void copyToClipboard(const ShelfItem& item) const;
    // What dragging the entry out carries; empty for a link that does not
    // parse. The caller owns the result.
    QMimeData* dragOutContent(const ShelfItem& item) const;
    // The same as MIME type -> data, for drags started from QML.
    QVariantMap dragOutData(const ShelfItem& item) const;

    void remove(const ShelfItem& item);
    void clear();

    // The files and parsed links of the entries, in order; texts and links
    // that do not parse are left out.
    QList<QUrl> shareableUrls(const QList<ShelfItem>& items) const;
    bool canShare(const QList<QUrl>& urls) const;
    // A sharing service is there to take anything at all.
    bool sharingAvailable() const;
    // Sends the URLs to a nearby device when the service can perform with
    // them; otherwise nothing happens.
    void share(const QList<QUrl>& urls);

    QUrl entryFileURL(const ShelfItem& item) const;
    // A link's stored string as an absolute URL, or nothing.
    static std::optional<QUrl> parseLink(const QString& urlString);

private:
    ShelfStore& m_store;
    NearbySharing* m_sharing;
    FileRevealer* m_revealer;
    ShelfImport m_import;
};

} // namespace zelvik
