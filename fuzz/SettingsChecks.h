#pragma once

#include "FuzzSupport.h"

#include "settings/AppLanguage.h"
#include "settings/DefaultsStore.h"
#include "settings/NotchSettings.h"

#include <QMetaProperty>

#include <cmath>

namespace zelvik::fuzz {

inline bool sameSetting(const QVariant& a, const QVariant& b) {
    if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double &&
        std::isnan(a.toDouble()) && std::isnan(b.toDouble()))
        return true;
    return a == b;
}

// What must hold for settings loaded from any store: the display mode's
// stored form reads back as itself, the texts built from the numbers can be
// built, and every value written back reads back unchanged.
inline void checkLoadedSettings(DefaultsStore& store) {
    NotchSettings settings(store);
    const NotchDisplayMode mode = settings.displayMode();
    check(NotchDisplayMode::fromStoredForm(mode.storedForm()) == mode,
          "a display mode's stored form reads back as itself");
    millisecondsText(settings.hoverDelay());
    millisecondsText(settings.closeDelay());
    secondsText(settings.hudDuration());
    percentText(settings.lowBatteryThreshold());

    // Assigning a value stores it, even an unchanged one.
    const QMetaObject& meta = NotchSettings::staticMetaObject;
    QVariantList values;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        values << property.read(&settings);
        if (property.isWritable())
            property.write(&settings, values.last());
    }
    NotchSettings reloaded(store);
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        check(sameSetting(meta.property(i).read(&reloaded), values.at(i - meta.propertyOffset())),
              meta.property(i).name());
}

} // namespace zelvik::fuzz
