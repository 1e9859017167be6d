#include "KeptAside.h"

#include <cstdio>

namespace zelvik {

QString keptAsideStamp(ReferenceSeconds when) {
    const QDateTime time = dateTimeFromReference(when);
    if (!time.isValid())
        return QStringLiteral("00000000-000000");
    return time.toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

QString firstFreeName(const QString& stem, const std::function<bool(const QString&)>& isFree) {
    for (int n = 1; n <= 100; ++n) {
        const QString name = n == 1 ? stem : stem + QStringLiteral("-%1").arg(n);
        if (isFree(name))
            return name;
    }
    return {};
}

void reportKeptAside(const QString& what, const QString& where) {
    // Not a diagnostic for developers: the user has to know where their data
    // went, so this is said even with every logging category off.
    std::fprintf(stderr, "zelvik: %s could not be read; it is kept as %s\n", qPrintable(what),
                 qPrintable(where));
    std::fflush(stderr);
}

} // namespace zelvik
