#pragma once

#include <QObject>

namespace zelvik {

// The desktop's record of programs started at login, as far as Zelvik's own
// entry goes.
class LoginItemService {
public:
    virtual ~LoginItemService() = default;
    // Read afresh on every call: the user may change it behind our back.
    virtual bool isEnabled() const = 0;
    // Registers or unregisters Zelvik; false when that did not happen.
    virtual bool setEnabled(bool enabled) = 0;
};

// The "Launch at login" toggle: `enabled` is what the service reports, read
// again by refresh() each time the page shows and after every change, so a
// change that failed shows as not made.
class LaunchAtLogin : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)
public:
    // The service may be null (nothing to register with): then off.
    explicit LaunchAtLogin(LoginItemService* service, QObject* parent = nullptr);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    Q_INVOKABLE void refresh();

signals:
    void enabledChanged();

private:
    LoginItemService* m_service;
    bool m_enabled = false;
};

} // namespace zelvik
