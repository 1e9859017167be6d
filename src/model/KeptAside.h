#pragma once

#include "Clock.h"

#include <QString>

#include <functional>

namespace zelvik {

// Stored data that cannot be read is never replaced silently: before the
// first write it is kept aside under a name carrying the time, so the user
// can still recover it by hand.

// The time part of such a name: local time as "yyyyMMdd-HHmmss".
QString keptAsideStamp(ReferenceSeconds when);

// The first of "<stem>", "<stem>-2", "<stem>-3"... for which isFree says
// yes, or empty when none of the first hundred is.
QString firstFreeName(const QString& stem, const std::function<bool(const QString&)>& isFree);

// One line on standard error: what could not be read and where it is kept.
void reportKeptAside(const QString& what, const QString& where);

} // namespace zelvik
