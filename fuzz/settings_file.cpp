// Zelvik.conf as a whole: whatever the file holds, the settings and the
// focus record load without failing badly and keep the rules in
// SettingsChecks.h.
#include "SettingsChecks.h"

#include "model/FocusStore.h"

#include <QFile>

using namespace zelvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = fuzz::scratchFolder() + QStringLiteral("/Zelvik.conf");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(fuzz::bytes(data, size));
    }
    DefaultsStore store(path);
    fuzz::checkLoadedSettings(store);
    struct : Clock {
        ReferenceSeconds now() const override { return 786000000; }
        std::chrono::nanoseconds uptime() const override { return {}; }
    } clock;
    FocusStore(store, clock).loadFocus();
    return 0;
}
