#pragma once

#include "monitors/AudioOutputDevice.h"
#include "monitors/BatteryEvent.h"

#include <QColor>
#include <QString>

namespace zelvik {

class NotchModel;

// Tints of the notices: the toolkit's standard green, white and red, and the
// light blue and orange shared with the rest of the notch.
inline const QColor kNoticeGreen{Qt::green};
inline const QColor kNoticeWhite{Qt::white};
inline const QColor kNoticeRed{Qt::red};
inline const QColor kLightBlue = QColor::fromRgbF(0.36f, 0.84f, 0.96f);
inline const QColor kFocusOrange = QColor::fromRgbF(1.0f, 0.63f, 0.26f);

// Symbol of the "on battery power" notice for a battery level in percent.
QString unpluggedSymbol(int level);

// The producers of notices. Each makes its notice in the language in force
// now and hands it to the model's showHUD, which drops it while the notch
// is open.

// A new song started: title and artist (either may be empty) and the
// artwork's accent colour. Nothing without a title.
void showTrackChangeHUD(NotchModel& model, const QString& title, const QString& artist,
                        const QColor& accent);
void showBatteryHUD(NotchModel& model, const BatteryEvent& event);
void showAudioDeviceHUD(NotchModel& model, const AudioOutputDevice& device);
// A screenshot was added to the shelf.
void showScreenshotHUD(NotchModel& model);
// A focus period with this label ended.
void showFocusDoneHUD(NotchModel& model, const QString& label);
void showBreakOverHUD(NotchModel& model);

} // namespace zelvik
