#pragma once

#include <QDateTime>

#include <chrono>

namespace zelvik {

// Every stored point in time (focus end date, shelf dates) is written as
// seconds since 2001-01-01 00:00:00 UTC, so the clock speaks that form too.
using ReferenceSeconds = double;

// Seconds between the Unix epoch and 2001-01-01 00:00:00 UTC.
inline constexpr double kReferenceDateOffset = 978307200.0;

QDateTime dateTimeFromReference(ReferenceSeconds seconds);
ReferenceSeconds referenceFromDateTime(const QDateTime& dateTime);

// Source of "now". Wall time is for dates that are stored or compared with
// stored dates; uptime is monotonic and only for measuring delays.
class Clock {
public:
    virtual ~Clock() = default;
    virtual ReferenceSeconds now() const = 0;
    virtual std::chrono::nanoseconds uptime() const = 0;
};

class SystemClock final : public Clock {
public:
    ReferenceSeconds now() const override;
    std::chrono::nanoseconds uptime() const override;
};

} // namespace zelvik
