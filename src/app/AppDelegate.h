#pragma once

#include "model/Clock.h"
#include "model/HapticFeedback.h"
#include "model/Scheduler.h"

#include <QObject>

#include <memory>

namespace zelvik {

class NotchModel;
class FreedesktopNotificationCenter;
class CanberraSoundPlayer;

// Owns the process-wide pieces: the time sources, the one NotchModel and,
// once they exist, the window controller and the menu.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    explicit AppDelegate(QObject* parent = nullptr);
    ~AppDelegate() override;

    // Called once the event loop is about to run: starts the model.
    void applicationDidFinishLaunching();

    NotchModel& model() const { return *m_model; }

private:
    SystemClock m_clock;
    QtScheduler m_scheduler;
    SilentHapticFeedback m_haptics;
    std::unique_ptr<FreedesktopNotificationCenter> m_notifications;
    std::unique_ptr<CanberraSoundPlayer> m_sounds;
    std::unique_ptr<NotchModel> m_model;
};

} // namespace zelvik
