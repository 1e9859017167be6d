#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <memory>

namespace zelvik::test {

// The program found in /usr/bin first (Debian's python3 carries the
// python3-dbusmock module), then on PATH; empty when there is none.
QString findSystemProgram(const QString& name);

// Runs a program to its end (bounded) and tells whether it exited with 0.
bool runQuietly(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment, int timeoutMs = 10000);

// Ends a helper process: politely first, then by force; bounded.
void stopProcess(QProcess& process);

// The arguments of every call of `method` that a python3-dbusmock object
// logged, oldest first (its GetMethodCalls). The call is synchronous, so
// everything sent earlier on the same connection has been logged by then.
QList<QVariantList> dbusMockCalls(const QDBusConnection& connection, const QString& service,
                                  const QString& path, const QString& method);

// A private session bus for one test suite: `dbus-run-session` running a
// shell that prints the bus address and then waits on its input. Closing
// that input ends the shell, and dbus-run-session takes the bus down.
class PrivateSessionBus {
public:
    // extraPolicy: <policy> rules added after the session bus's own, to
    // refuse some calls the way a locked-down desktop does.
    explicit PrivateSessionBus(const QString& extraPolicy = {});
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    // Empty unless the bus came up; then error() says why.
    bool isRunning() const { return !m_address.isEmpty(); }
    QString error() const { return m_error; }
    QString address() const { return m_address; }
    QDBusConnection connection() const;
    // The environment for a child process that should use this bus.
    QProcessEnvironment environment() const;

private:
    QTemporaryFile m_config;
    QProcess m_process;
    QString m_address;
    QString m_connectionName;
    QString m_error;
};

// python3-dbusmock serving one template on a private bus: one of its own
// ("logind") or a file of the test's. It is up once the template's name is
// on the bus; it logs every call it receives, read back with
// dbusMockCalls().
class DBusMockProcess {
public:
    struct Template {
        // The template's name or file.
        QString name;
        // The bus name it takes.
        QString service;
        // Given as the template's parameters (-p).
        QString parameters = {};
        // A template of the system bus: the private bus stands in for it.
        bool systemBus = false;
    };
    DBusMockProcess(const PrivateSessionBus& bus, const Template& served);
    ~DBusMockProcess();
    DBusMockProcess(const DBusMockProcess&) = delete;
    DBusMockProcess& operator=(const DBusMockProcess&) = delete;

    // False when python3-dbusmock is missing (see error()) or it did not
    // take the name in time.
    bool isRunning() const { return m_running; }
    bool isModuleMissing() const { return m_moduleMissing; }
    QString error() const { return m_error; }
    // Ends it at once, as when the program behind the name quits.
    void stop();

private:
    QProcess m_process;
    bool m_running = false;
    bool m_moduleMissing = false;
    QString m_error;
};

// python3-dbusmock's notification daemon on a bus: it owns
// org.freedesktop.Notifications and logs every call it receives, which the
// test reads back through org.freedesktop.DBus.Mock.
class MockNotificationServer {
public:
    explicit MockNotificationServer(const PrivateSessionBus& bus);

    bool isRunning() const { return m_mock.isRunning(); }
    bool isModuleMissing() const { return m_mock.isModuleMissing(); }
    QString error() const { return m_mock.error(); }

    // Arguments of every logged call of the method, oldest first (see
    // dbusMockCalls).
    QList<QVariantList> calls(const QString& method) const;
    void clearCalls() const;

private:
    QDBusConnection m_connection;
    DBusMockProcess m_mock;
};

// python3-dbusmock's logind on a private bus, standing in for the system
// bus's org.freedesktop.login1; the test makes it announce sleep and wake.
class MockLogind {
public:
    explicit MockLogind(const PrivateSessionBus& bus);

    bool isRunning() const { return m_mock.isRunning(); }
    bool isModuleMissing() const { return m_mock.isModuleMissing(); }
    QString error() const { return m_mock.error(); }

    // PrepareForSleep(start), as logind sends it before a suspend (true)
    // and after the wake-up (false).
    bool announceSleep(bool start) const;

private:
    QDBusConnection m_connection;
    DBusMockProcess m_mock;
};

// A PulseAudio server of the test's own with one null sink as the default
// sink, reachable at a socket in a private runtime folder. More sinks can be
// given as lines of the server's start-up script.
class PrivatePulseAudio {
public:
    explicit PrivatePulseAudio(const QString& extraScript = {});
    ~PrivatePulseAudio();
    PrivatePulseAudio(const PrivatePulseAudio&) = delete;
    PrivatePulseAudio& operator=(const PrivatePulseAudio&) = delete;

    bool isRunning() const { return m_running; }
    bool isMissing() const { return m_missing; }
    QString error() const { return m_error; }
    // "unix:<runtime>/pulse/native"
    QString serverAddress() const { return m_server; }
    QProcessEnvironment environment() const;
    static QString sinkName() { return QStringLiteral("zelvik_null"); }

    // Runs pactl against this server; true when it exited with 0.
    bool pactl(const QStringList& arguments) const;
    // Ends the server, as when the sound server goes away.
    void stop();
    // Starts it again on the same socket with the same script.
    bool restart();

private:
    bool launch();

    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_server;
    QString m_script;
    bool m_running = false;
    bool m_missing = false;
    QString m_error;
};

// `pactl subscribe` on a server, collecting its event lines.
class PulseEventLog {
public:
    explicit PulseEventLog(const PrivatePulseAudio& server);
    ~PulseEventLog();
    PulseEventLog(const PulseEventLog&) = delete;
    PulseEventLog& operator=(const PulseEventLog&) = delete;

    // True once the subscription has reported an event that the log caused
    // itself, so no later event can be missed.
    bool isListening() const { return m_listening; }
    // Event lines seen so far that contain the text.
    int count(const QString& text);

private:
    void read();
    QProcess m_process;
    QStringList m_lines;
    bool m_listening = false;
};

} // namespace zelvik::test
