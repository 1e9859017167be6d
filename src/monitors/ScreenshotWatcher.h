#pragma once

#include "ScreenshotQuery.h"

#include <QObject>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

namespace zelvik {

// Hands every new screenshot file to onScreenshot, once, in the order they
// were saved. Screenshots that existed when watching began are never
// reported. Lives on the main thread; the screenshotsToShelf setting starts
// and stops it.
class ScreenshotWatcher : public QObject {
    Q_OBJECT
public:
    // Without a factory there is nothing to watch with; start does nothing.
    explicit ScreenshotWatcher(ScreenshotQueryFactory factory = {}, QObject* parent = nullptr);
    ~ScreenshotWatcher() override;

    void setQueryFactory(ScreenshotQueryFactory factory);

    // Begins watching; does nothing while already watching.
    void start();
    // Ends watching; harmless when not watching.
    void stop();
    [[nodiscard]] bool isWatching() const { return m_query != nullptr; }

    std::function<void(const QUrl&)> onScreenshot;

private:
    void handleUpdate(const ScreenshotQuery* query, const QStringList& paths);

    ScreenshotQueryFactory m_factory;
    std::unique_ptr<ScreenshotQuery> m_query;
    // Queries stopped from inside their own report wait here until control
    // is back in the event loop.
    std::vector<std::unique_ptr<ScreenshotQuery>> m_retired;
    int m_dispatching = 0;
};

} // namespace zelvik
