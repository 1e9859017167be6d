#include "HUDProducers.h"
#include "NotchModel.h"
#include "monitors/AudioDeviceMonitor.h"
#include "monitors/BatteryMonitor.h"
#include "monitors/ScreenshotWatcher.h"
#include "settings/NotchSettings.h"

namespace zelvik {

namespace {
// The low-battery threshold once the model is gone.
constexpr int kDefaultLowBatteryThreshold = 20;
} // namespace

// Battery, audio output and screenshots feed their notices; the screenshot
// watcher follows the screenshotsToShelf setting. Every callback holds the
// model weakly, since the monitors can report while the model goes away.
void NotchModel::wireSystemMonitors() {
    QPointer<NotchModel> self(this);

    m_battery->lowThreshold = [self] {
        return self ? self->m_settings->lowBatteryThreshold() : kDefaultLowBatteryThreshold;
    };
    m_battery->onEvent = [self](const BatteryEvent& event) {
        if (self)
            showBatteryHUD(*self, event);
    };
    m_battery->start();

    m_audio->onChange = [self](const AudioOutputDevice& device) {
        if (self)
            showAudioDeviceHUD(*self, device);
    };
    m_audio->start();

    m_screenshots->onScreenshot = [self](const QUrl& file) {
        if (self)
            self->addScreenshot(file);
    };
    m_settings->onScreenshotsChange = [self] {
        if (!self)
            return;
        if (self->m_settings->screenshotsToShelf())
            self->m_screenshots->start();
        else
            self->m_screenshots->stop();
    };
    m_settings->onScreenshotsChange();
}

} // namespace zelvik
