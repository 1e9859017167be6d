#pragma once

#include <QDBusConnection>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryFile>

namespace zelvik::test {

// A session bus of the test's own (dbus-daemon started for it), so nothing
// reaches the desktop's real bus.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool isValid() const { return m_connection.isConnected(); }
    QString address() const { return m_address; }
    QDBusConnection connection() const { return m_connection; }

    // Runs python-dbusmock on this bus with the given arguments and waits for
    // service to appear; false when dbusmock is missing or the name did not
    // appear.
    bool startMock(const QString& service, const QStringList& arguments);
    static bool hasDbusMock();
    // Calls org.freedesktop.DBus.Mock.<method> on a mocked object.
    QVariantList mockCall(const QString& service, const QString& path, const QString& method,
                          const QVariantList& arguments);

    struct RecordedCall {
        QString method;
        QVariantList arguments;
    };
    // The calls a mocked object received, oldest first (its GetCalls log).
    QList<RecordedCall> recordedCalls(const QString& service, const QString& path);

private:
    QTemporaryFile m_config;
    QProcess m_daemon;
    QList<QProcess*> m_mocks;
    QString m_address;
    QString m_name;
    QDBusConnection m_connection{QString()};
};

} // namespace zelvik::test
