#include "Clock.h"

#include <cmath>

namespace zelvik {

QDateTime dateTimeFromReference(ReferenceSeconds seconds) {
    if (!std::isfinite(seconds))
        return {};
    const double msecs = std::round((seconds + kReferenceDateOffset) * 1000.0);
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(msecs), Qt::UTC);
}

ReferenceSeconds referenceFromDateTime(const QDateTime& dateTime) {
    return static_cast<double>(dateTime.toMSecsSinceEpoch()) / 1000.0 - kReferenceDateOffset;
}

ReferenceSeconds SystemClock::now() const {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceEpoch).count() - kReferenceDateOffset;
}

std::chrono::nanoseconds SystemClock::uptime() const {
    return std::chrono::steady_clock::now().time_since_epoch();
}

} // namespace zelvik
