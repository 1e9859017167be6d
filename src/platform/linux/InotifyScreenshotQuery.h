#pragma once

#include "monitors/ScreenshotQuery.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>

class QSocketNotifier;

namespace zelvik {

// New screenshots in the folders where desktops save them, found with one
// inotify descriptor: files that finish being written or are moved in and
// whose names follow the screenshot naming (ScreenshotNaming.h). Files
// present when a folder began to be watched are never reported, and no file
// is reported twice.
//
// A folder that is missing, removed, renamed or replaced is waited for: the
// nearest existing folder above it is watched for its (re)appearance, and
// screenshots saved into a folder that was just created are found too.
class InotifyScreenshotQuery final : public QObject, public ScreenshotQuery {
    Q_OBJECT
public:
    explicit InotifyScreenshotQuery(QStringList folders, QObject* parent = nullptr);
    ~InotifyScreenshotQuery() override;

    // The user's Pictures folder, its Screenshots folder and the Desktop.
    static QStringList defaultFolders();

    void start(std::function<void(const QStringList&)> added) override;

    // The screenshot folders being watched now (those that exist).
    [[nodiscard]] QStringList watchedFolders() const;

private:
    struct Watch {
        QString path;
        bool screenshots = false;
    };

    void readEvents();
    // Brings the watches in line with the folders as they are now. Files in
    // a newly watched folder count as present, unless the folder lies in one
    // created while watching; those are reported.
    void rescan(const QSet<QString>& createdFolders, QStringList& found);
    void rememberOrReport(const QString& folder, bool report, QStringList& found);

    QStringList m_folders;
    std::function<void(const QStringList&)> m_added;
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QHash<int, Watch> m_watches;
    QSet<QString> m_known;
};

} // namespace zelvik
