#pragma once

#include <QStringList>

#include <functional>
#include <memory>

namespace zelvik {

// A live search for new screenshot files. It reports only files that appear
// after it began; destroying it ends the search.
class ScreenshotQuery {
public:
    virtual ~ScreenshotQuery() = default;
    // Begins searching. `added` runs on the main thread with the paths of
    // new screenshots in the order they appeared; it may destroy the query.
    virtual void start(std::function<void(const QStringList&)> added) = 0;
};

using ScreenshotQueryFactory = std::function<std::unique_ptr<ScreenshotQuery>()>;

} // namespace zelvik
