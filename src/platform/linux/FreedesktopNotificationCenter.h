#pragma once

#include "model/NotificationCenter.h"
#include "model/Scheduler.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>

#include <memory>

class NotificationsProxy;

namespace zelvik {

// System notifications through org.freedesktop.Notifications. Desktop
// notification services show a notification at once and keep no schedule,
// so a request waits in a main-thread task until its moment comes (also
// across a sleep of the machine) and is then posted with the application
// name "Zelvik". Withdrawing a request stops the task only: a notification
// already delivered stays on screen and in the desktop's list. Without a
// bus or a service on it, posting fails quietly and nothing is shown.
class FreedesktopNotificationCenter final : public QObject, public NotificationCenter {
    Q_OBJECT
public:
    FreedesktopNotificationCenter(Scheduler& scheduler, const Clock& clock,
                                  const QDBusConnection& connection = QDBusConnection::sessionBus(),
                                  QObject* parent = nullptr);
    ~FreedesktopNotificationCenter() override;

    void requestAuthorization() override;
    void add(const NotificationRequest& request) override;
    void remove(const QString& identifier) override;

    // The request is waiting for its time.
    bool isPending(const QString& identifier) const;
    // The service has shown it and it has not been closed since.
    bool isOnScreen(const QString& identifier) const { return shownId(identifier) != 0; }
    // The service's id of the notification on screen, else 0.
    uint shownId(const QString& identifier) const;

signals:
    // The service answered a post for this identifier (shown or failed).
    void postFinished(const QString& identifier, bool shown);

private:
    struct Entry {
        TaskHandle timer;
        uint shownId = 0; // id given by the service, 0 when not on screen
    };

    void post(const NotificationRequest& request);
    void onClosed(uint id, uint reason);

    Scheduler& m_scheduler;
    const Clock& m_clock;
    std::unique_ptr<NotificationsProxy> m_proxy;
    QHash<QString, Entry> m_entries;
};

} // namespace zelvik
