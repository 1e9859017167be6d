#pragma once

#include <QByteArray>
#include <QObject>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

class QNetworkAccessManager;

namespace zelvik {

class Scheduler;

// Fetches a cover picture named by a player. The URL comes from another
// program, so only http and https are fetched (never local files or other
// schemes), the body may not pass 10 MB and the whole download may not take
// longer than 15 s; anything else is no picture.
namespace artworkDownload {

inline constexpr qint64 kMaxBytes = 10 * 1024 * 1024;
inline constexpr std::chrono::seconds kTimeLimit{15};

bool isAllowed(const QUrl& url);

// Starts a plain GET. `done` runs once on context's thread, never from inside
// this call: with the body, or with nothing when the URL is not allowed, the
// transfer failed, the body grew too big or time ran out. Nothing runs when
// context is gone first; the transfer then stops.
void fetch(QNetworkAccessManager& network, Scheduler& scheduler, const QUrl& url, QObject* context,
           std::function<void(std::optional<QByteArray>)> done);

} // namespace artworkDownload

} // namespace zelvik
