#include "ScreenshotWatcher.h"

#include <QPointer>

namespace zelvik {

ScreenshotWatcher::ScreenshotWatcher(ScreenshotQueryFactory factory, QObject* parent)
    : QObject(parent)
    , m_factory(std::move(factory)) {}

ScreenshotWatcher::~ScreenshotWatcher() = default;

void ScreenshotWatcher::setQueryFactory(ScreenshotQueryFactory factory) {
    m_factory = std::move(factory);
}

void ScreenshotWatcher::start() {
    if (m_query || !m_factory)
        return;
    m_query = m_factory();
    if (!m_query)
        return;
    const ScreenshotQuery* query = m_query.get();
    m_query->start([self = QPointer(this), query](const QStringList& paths) {
        if (self)
            self->handleUpdate(query, paths);
    });
}

void ScreenshotWatcher::stop() {
    if (!m_query)
        return;
    if (m_dispatching > 0) {
        // The query is still on the stack below onScreenshot.
        m_retired.push_back(std::move(m_query));
        QMetaObject::invokeMethod(
            this, [this] { m_retired.clear(); }, Qt::QueuedConnection);
        return;
    }
    m_query.reset();
}

void ScreenshotWatcher::handleUpdate(const ScreenshotQuery* query, const QStringList& paths) {
    ++m_dispatching;
    for (const QString& path : paths) {
        // Stopped (or stopped and started again) by an earlier screenshot of
        // this batch: the rest belongs to a search that has ended.
        if (m_query.get() != query)
            break;
        if (path.isEmpty() || !onScreenshot)
            continue;
        onScreenshot(QUrl::fromLocalFile(path));
    }
    --m_dispatching;
}

} // namespace zelvik
