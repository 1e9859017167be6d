#pragma once

#include <QObject>

#include <functional>

namespace zelvik {

// One Zelvik per session: the first one owns the session-bus name
// org.zelvik.Zelvik and serves Toggle and ShowSettings; a later start hands
// over to it.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kServiceName = "org.zelvik.Zelvik";
    static constexpr const char* kObjectPath = "/org/zelvik/Zelvik";

    enum class Claim {
        owned, // this process is the one Zelvik
        taken, // another Zelvik runs
        noBus, // no session bus: nothing to coordinate with
    };

    explicit SingleInstance(QObject* parent = nullptr);

    // Exports the object and asks for the name.
    Claim claim();
    // Asks the running Zelvik to toggle its notch; true when it answered.
    static bool toggleRunningInstance(QString* error = nullptr);
    // Asks the running Zelvik to show its settings window; true when it
    // answered.
    static bool showSettingsOfRunningInstance(QString* error = nullptr);

    // Run for each Toggle call.
    std::function<void()> onToggle;
    // Run for each ShowSettings call.
    std::function<void()> onShowSettings;

public slots:
    void Toggle();
    void ShowSettings();
};

} // namespace zelvik
