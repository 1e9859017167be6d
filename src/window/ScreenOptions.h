#pragma once

#include "NotchDesktop.h"
#include "settings/SettingsEnums.h"

#include <QList>
#include <QString>

namespace zelvik {

struct ScreenOption {
    QString title;
    NotchDisplayMode mode;
};

// One choice per screen that has a display number, named for display
// pickers: the screen's name, with " (with notch)" when it has a camera notch.
QList<ScreenOption> screenOptions(const QList<ScreenDescription>& screens);

} // namespace zelvik
