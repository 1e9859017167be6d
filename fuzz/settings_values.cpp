// Every setting's parsing rule with the same stored text: whatever a
// settings file holds under a key, loading it never fails badly and keeps
// the rules in SettingsChecks.h. The number and display mode rules are also
// asked directly.
#include "SettingsChecks.h"

#include "settings/SettingsEnums.h"

using namespace zelvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static DefaultsStore store(fuzz::scratchFolder() + QStringLiteral("/values.conf"));
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));

    const QVariant value(text);
    if (const auto d = parseDouble(value))
        millisecondsText(*d);
    if (const auto i = parseInteger(value))
        shelfAutoClearFromRaw(*i);
    if (const auto b = parseBool(value))
        fuzz::check(*b == (text.trimmed().toLower() == u"true" || text.trimmed() == u"1" ||
                           text.trimmed().toLower() == u"yes"),
                    "only true, yes and 1 read as on");

    const NotchDisplayMode mode = NotchDisplayMode::fromStoredForm(text);
    if (mode.kind() == NotchDisplayMode::Kind::specific) {
        bool ok = false;
        const qulonglong number = text.mid(3).toULongLong(&ok, 10);
        fuzz::check(text.startsWith(u"id:") && ok && number == mode.displayNumber(),
                    "only id:<number> names a display");
    }

    for (const auto& [key, registered] : NotchSettings::registeredDefaults())
        store.setValue(key, text);
    fuzz::checkLoadedSettings(store);
    return 0;
}
