#include "TestEnvironment.h"

#include <QDir>

#include <atomic>

namespace zelvik::test {

QString freshSettingsPath() {
    static std::atomic<int> counter{0};
    const QDir root(testRoot());
    root.mkpath(QStringLiteral("stores"));
    return root.filePath(QStringLiteral("stores/store-%1.conf").arg(counter++));
}

} // namespace zelvik::test
