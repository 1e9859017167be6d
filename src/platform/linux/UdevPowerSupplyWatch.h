#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace zelvik {

// The kernel's uevents of the power_supply subsystem, as udev passes them
// on, read from udev's netlink socket on the main thread. A burst of events
// read in one go runs the handler once.
class UdevPowerSupplyWatch final : public QObject {
    Q_OBJECT
public:
    explicit UdevPowerSupplyWatch(std::function<void()> changed, QObject* parent = nullptr);
    ~UdevPowerSupplyWatch() override;

    // False when udev's monitor could not be set up; nothing arrives then.
    [[nodiscard]] bool isActive() const { return m_notifier != nullptr; }

private:
    void drain();

    std::function<void()> m_changed;
    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace zelvik
