#pragma once

#include <QString>

namespace zelvik {

// A system notification to be shown once, timeInterval seconds from now.
struct NotificationRequest {
    QString identifier;
    QString title;
    QString body;
    double timeInterval = 1; // seconds

    friend bool operator==(const NotificationRequest&, const NotificationRequest&) = default;
};

// The desktop's notification service as the focus timer uses it. Calls never
// wait for the service; a desktop without one simply shows nothing.
class NotificationCenter {
public:
    virtual ~NotificationCenter() = default;
    // Asks the user for permission to show alerts with sound (the answer is
    // not used).
    virtual void requestAuthorization() = 0;
    // Schedules the request; one with the same identifier replaces it.
    virtual void add(const NotificationRequest& request) = 0;
    // Withdraws the pending request with this identifier: it never shows. A
    // notification already delivered stays where the user can see it.
    virtual void remove(const QString& identifier) = 0;
};

} // namespace zelvik
