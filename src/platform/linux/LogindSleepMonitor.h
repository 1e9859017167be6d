#pragma once

#include <QDBusConnection>
#include <QObject>

#include <memory>

class Login1ManagerProxy;

namespace zelvik {

// Tells when the machine wakes from suspend or hibernation, from logind's
// PrepareForSleep(false) on the system bus. Timers stand still while the
// machine sleeps; whatever waits for a moment of wall time looks again then.
// Without logind (or a bus) it simply never reports.
class LogindSleepMonitor : public QObject {
    Q_OBJECT
public:
    explicit LogindSleepMonitor(const QDBusConnection& connection = QDBusConnection::systemBus(),
                                QObject* parent = nullptr);
    ~LogindSleepMonitor() override;

signals:
    void resumed();

private:
    std::unique_ptr<Login1ManagerProxy> m_proxy;
};

} // namespace zelvik
