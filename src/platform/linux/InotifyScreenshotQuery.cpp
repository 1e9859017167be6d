#include "InotifyScreenshotQuery.h"

#include "ScreenshotNaming.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <sys/inotify.h>
#include <unistd.h>

namespace zelvik {

Q_LOGGING_CATEGORY(lcScreenshots, "zelvik.screenshots", QtWarningMsg)

namespace {

// A screenshot folder: files finished or moved in, and the folder's own end.
constexpr std::uint32_t kScreenshotMask =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
// The nearest folder above a missing one: folders appearing in it.
constexpr std::uint32_t kAncestorMask = IN_CREATE | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;

QString nearestExistingAncestor(const QString& path) {
    QString current = path;
    while (true) {
        const QString parent = QFileInfo(current).path();
        if (parent == current)
            return {};
        if (QFileInfo(parent).isDir())
            return parent;
        current = parent;
    }
}

bool liesIn(const QString& path, const QSet<QString>& folders) {
    for (const QString& folder : folders) {
        if (path == folder || path.startsWith(folder + u'/'))
            return true;
    }
    return false;
}

} // namespace

InotifyScreenshotQuery::InotifyScreenshotQuery(QStringList folders, QObject* parent)
    : QObject(parent) {
    for (const QString& folder : folders) {
        const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
        if (!folder.isEmpty() && !m_folders.contains(clean))
            m_folders << clean;
    }
}

InotifyScreenshotQuery::~InotifyScreenshotQuery() {
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

QStringList InotifyScreenshotQuery::defaultFolders() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QStringList folders{pictures};
    // GNOME saves into a folder of its own below Pictures, made on first use.
    if (!pictures.isEmpty())
        folders << QDir(pictures).filePath(QStringLiteral("Screenshots"));
    folders << QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    folders.removeAll(QString());
    return folders;
}

void InotifyScreenshotQuery::start(std::function<void(const QStringList&)> added) {
    if (m_fd >= 0)
        return;
    m_added = std::move(added);
    m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0) {
        qCWarning(lcScreenshots) << "inotify is not available; screenshots are not watched";
        return;
    }
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &InotifyScreenshotQuery::readEvents);
    QStringList none;
    rescan({}, none);
}

QStringList InotifyScreenshotQuery::watchedFolders() const {
    QStringList folders;
    for (const Watch& watch : m_watches) {
        if (watch.screenshots)
            folders << watch.path;
    }
    folders.sort();
    return folders;
}

void InotifyScreenshotQuery::readEvents() {
    QStringList found;
    QSet<QString> created;
    bool structureChanged = false;
    // Folders that moved or went in this batch: their later events carry a
    // path that no longer leads to them.
    QSet<int> gone;
    alignas(inotify_event) char buffer[16 * 1024];
    while (true) {
        const ssize_t length = ::read(m_fd, buffer, sizeof buffer);
        if (length <= 0)
            break;
        for (const char* p = buffer; p < buffer + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            p += sizeof(inotify_event) + event->len;
            if (event->mask & IN_Q_OVERFLOW) {
                structureChanged = true;
                continue;
            }
            const auto watch = m_watches.constFind(event->wd);
            if (watch == m_watches.cend() || gone.contains(event->wd))
                continue;
            if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                gone << event->wd;
                structureChanged = true;
                continue;
            }
            const QString name = event->len ? QFile::decodeName(event->name) : QString();
            const QString path = watch->path + u'/' + name;
            if (event->mask & IN_ISDIR) {
                structureChanged = true;
                if (event->mask & IN_CREATE)
                    created << path;
                continue;
            }
            if (!watch->screenshots || name.isEmpty() ||
                !(event->mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) || !isScreenshotFileName(name))
                continue;
            if (!m_known.contains(path)) {
                m_known.insert(path);
                found << path;
            }
        }
    }
    if (structureChanged)
        rescan(created, found);
    if (!found.isEmpty() && m_added) {
        // The receiver may end this query; keep the callback alive meanwhile.
        const auto added = m_added;
        added(found);
    }
}

void InotifyScreenshotQuery::rescan(const QSet<QString>& createdFolders, QStringList& found) {
    QHash<QString, std::uint32_t> wanted;
    QSet<QString> screenshotFolders;
    for (const QString& folder : std::as_const(m_folders)) {
        if (QFileInfo(folder).isDir()) {
            wanted[folder] |= kScreenshotMask;
            screenshotFolders << folder;
        } else if (const QString ancestor = nearestExistingAncestor(folder); !ancestor.isEmpty()) {
            wanted[ancestor] |= kAncestorMask;
        }
    }
    QHash<int, Watch> next;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        const int wd = inotify_add_watch(m_fd, QFile::encodeName(it.key()).constData(),
                                         it.value() | IN_ONLYDIR);
        if (wd < 0) {
            qCDebug(lcScreenshots) << "cannot watch" << it.key() << strerror(errno);
            continue;
        }
        const bool screenshots = screenshotFolders.contains(it.key());
        const auto previous = m_watches.constFind(wd);
        const bool watchedBefore =
            previous != m_watches.cend() && previous->screenshots && previous->path == it.key();
        Watch& watch = next[wd];
        watch.path = it.key();
        watch.screenshots = watch.screenshots || screenshots;
        if (screenshots && !watchedBefore)
            rememberOrReport(it.key(), liesIn(it.key(), createdFolders), found);
    }
    for (auto it = m_watches.cbegin(); it != m_watches.cend(); ++it) {
        if (!next.contains(it.key()))
            inotify_rm_watch(m_fd, it.key());
    }
    m_watches = next;
}

void InotifyScreenshotQuery::rememberOrReport(const QString& folder, bool report,
                                              QStringList& found) {
    // Oldest first, so that screenshots of a new folder come in saving order.
    const QFileInfoList files =
        QDir(folder).entryInfoList(QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& file : files) {
        if (!isScreenshotFileName(file.fileName()))
            continue;
        const QString path = folder + u'/' + file.fileName();
        if (m_known.contains(path))
            continue;
        m_known.insert(path);
        if (report)
            found << path;
    }
}

} // namespace zelvik
