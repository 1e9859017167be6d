#include "UdevPowerSupplyWatch.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <libudev.h>

namespace zelvik {

Q_LOGGING_CATEGORY(lcUdev, "zelvik.battery.udev", QtWarningMsg)

UdevPowerSupplyWatch::UdevPowerSupplyWatch(std::function<void()> changed, QObject* parent)
    : QObject(parent)
    , m_changed(std::move(changed)) {
    m_udev = udev_new();
    if (!m_udev) {
        qCDebug(lcUdev) << "udev is not available";
        return;
    }
    // "udev": events after the udev daemon has processed them, so the
    // attribute files already show the new state.
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "power_supply", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        qCDebug(lcUdev) << "cannot listen to power-supply uevents";
        return;
    }
    const int fd = udev_monitor_get_fd(m_monitor);
    if (fd < 0)
        return;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdevPowerSupplyWatch::drain);
}

UdevPowerSupplyWatch::~UdevPowerSupplyWatch() {
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

void UdevPowerSupplyWatch::drain() {
    // The socket is non-blocking: read until it is empty.
    int events = 0;
    while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
        udev_device_unref(device);
        ++events;
    }
    if (events > 0 && m_changed)
        m_changed();
}

} // namespace zelvik
