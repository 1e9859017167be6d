#include "TestServices.h"

#include "support/TestEnvironment.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <atomic>

namespace zelvik::test {

namespace {

// Every wait for a service is bounded; a loaded two-core machine gets ample
// time, a broken one fails instead of hanging.
constexpr int kStartTimeoutMs = 20000;

const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");

} // namespace

void stopProcess(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

QList<QVariantList> dbusMockCalls(const QDBusConnection& connection, const QString& service,
                                  const QString& path, const QString& method) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(service, path, QStringLiteral("org.freedesktop.DBus.Mock"),
                                       QStringLiteral("GetMethodCalls"));
    message << method;
    const QDBusMessage reply = connection.call(message, QDBus::Block, 10000);
    QList<QVariantList> result;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return result;
    // a(tav): a time stamp and the call's arguments.
    const auto argument = reply.arguments().first().value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        qulonglong stamp = 0;
        QVariantList arguments;
        argument.beginStructure();
        argument >> stamp >> arguments;
        argument.endStructure();
        result << arguments;
    }
    argument.endArray();
    return result;
}

QString findSystemProgram(const QString& name) {
    const QString system = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/bin")});
    return system.isEmpty() ? QStandardPaths::findExecutable(name) : system;
}

bool runQuietly(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment, int timeoutMs) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        stopProcess(process);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// --- PrivateSessionBus ------------------------------------------------------

PrivateSessionBus::PrivateSessionBus(const QString& extraPolicy) {
    static std::atomic<int> counter{0};
    m_connectionName = QStringLiteral("zelvik-test-bus-%1").arg(counter++);
    const QString runner = findSystemProgram(QStringLiteral("dbus-run-session"));
    if (runner.isEmpty()) {
        m_error = QStringLiteral("dbus-run-session is not installed (package dbus-daemon)");
        return;
    }
    QStringList arguments;
    if (!extraPolicy.isEmpty()) {
        m_config.setFileTemplate(testRoot() + QStringLiteral("/bus-XXXXXX.conf"));
        if (!m_config.open()) {
            m_error = QStringLiteral("cannot write the bus configuration");
            return;
        }
        m_config.write(
            QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus "
                           "Configuration 1.0//EN\"\n"
                           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                           "<busconfig>\n"
                           "  <include>/usr/share/dbus-1/session.conf</include>\n"
                           "  <policy context=\"default\">%1</policy>\n"
                           "</busconfig>\n")
                .arg(extraPolicy)
                .toUtf8());
        m_config.flush();
        arguments << QStringLiteral("--config-file=") + m_config.fileName();
    }
    m_process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    m_process.start(
        runner,
        arguments + QStringList{QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"),
                                QStringLiteral("echo \"$DBUS_SESSION_BUS_ADDRESS\"; exec cat")});
    QByteArray line;
    (void)QTest::qWaitFor(
        [&] {
            if (m_process.state() == QProcess::NotRunning)
                return true;
            m_process.waitForReadyRead(50);
            if (m_process.canReadLine())
                line = m_process.readLine().trimmed();
            return !line.isEmpty();
        },
        kStartTimeoutMs);
    if (line.isEmpty()) {
        m_error = QStringLiteral("dbus-run-session printed no bus address: ") +
                  QString::fromLocal8Bit(m_process.readAllStandardError());
        stopProcess(m_process);
        return;
    }
    const QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromUtf8(line), m_connectionName);
    if (!bus.isConnected()) {
        m_error = QStringLiteral("cannot connect to the private bus: ") + bus.lastError().message();
        stopProcess(m_process);
        return;
    }
    m_address = QString::fromUtf8(line);
}

PrivateSessionBus::~PrivateSessionBus() {
    QDBusConnection::disconnectFromBus(m_connectionName);
    if (m_process.state() != QProcess::NotRunning) {
        // End of input ends the shell; dbus-run-session then ends the bus.
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            stopProcess(m_process);
    }
}

QDBusConnection PrivateSessionBus::connection() const {
    return QDBusConnection(m_connectionName);
}

QProcessEnvironment PrivateSessionBus::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    return environment;
}

// --- DBusMockProcess --------------------------------------------------------

DBusMockProcess::DBusMockProcess(const PrivateSessionBus& bus, const Template& served) {
    const QString python = findSystemProgram(QStringLiteral("python3"));
    if (python.isEmpty() ||
        !runQuietly(python, {QStringLiteral("-c"), QStringLiteral("import dbusmock")},
                    bus.environment())) {
        m_moduleMissing = true;
        m_error = QStringLiteral("python3-dbusmock is not installed");
        return;
    }
    QProcessEnvironment environment = bus.environment();
    if (served.systemBus)
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), bus.address());
    m_process.setProcessEnvironment(environment);
    // It logs every call on its output; nobody reads that while a test
    // waits for a call, so a long log must not fill the pipe.
    m_process.setStandardOutputFile(QProcess::nullDevice());
    QStringList arguments{QStringLiteral("-m"), QStringLiteral("dbusmock"),
                          QStringLiteral("--template"), served.name};
    if (!served.parameters.isEmpty())
        arguments << QStringLiteral("-p") << served.parameters;
    m_process.start(python, arguments);
    const QDBusConnection connection = bus.connection();
    m_running = QTest::qWaitFor(
        [&] {
            return m_process.state() == QProcess::NotRunning ||
                   connection.interface()->isServiceRegistered(served.service).value();
        },
        kStartTimeoutMs);
    m_running = m_running && m_process.state() != QProcess::NotRunning;
    if (!m_running) {
        m_error = QStringLiteral("dbusmock's %1 did not start: ").arg(served.name) +
                  QString::fromLocal8Bit(m_process.readAllStandardError());
        stopProcess(m_process);
    }
}

DBusMockProcess::~DBusMockProcess() {
    stopProcess(m_process);
}

void DBusMockProcess::stop() {
    stopProcess(m_process);
}

// --- MockNotificationServer -------------------------------------------------

MockNotificationServer::MockNotificationServer(const PrivateSessionBus& bus)
    : m_connection(bus.connection())
    , m_mock(bus, {.name = QStringLiteral("notification_daemon"), .service = kNotifications}) {}

QList<QVariantList> MockNotificationServer::calls(const QString& method) const {
    return dbusMockCalls(m_connection, kNotifications,
                         QStringLiteral("/org/freedesktop/Notifications"), method);
}

void MockNotificationServer::clearCalls() const {
    const QDBusMessage message = QDBusMessage::createMethodCall(
        kNotifications, QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("ClearCalls"));
    m_connection.call(message, QDBus::Block, 10000);
}

// --- MockLogind -------------------------------------------------------------

MockLogind::MockLogind(const PrivateSessionBus& bus)
    : m_connection(bus.connection())
    , m_mock(bus, {.name = QStringLiteral("logind"),
                   .service = QStringLiteral("org.freedesktop.login1"),
                   .systemBus = true}) {}

bool MockLogind::announceSleep(bool start) const {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("EmitSignal"));
    message << QStringLiteral("org.freedesktop.login1.Manager") << QStringLiteral("PrepareForSleep")
            << QStringLiteral("b") << QVariant::fromValue(QVariantList{start});
    return m_connection.call(message, QDBus::Block, 10000).type() == QDBusMessage::ReplyMessage;
}

// --- PrivatePulseAudio ------------------------------------------------------

PrivatePulseAudio::PrivatePulseAudio(const QString& extraScript)
    : m_dir(testRoot() + QStringLiteral("/pulse-XXXXXX")) {
    const QString pulseaudio = findSystemProgram(QStringLiteral("pulseaudio"));
    const QString pactl = findSystemProgram(QStringLiteral("pactl"));
    if (pulseaudio.isEmpty() || pactl.isEmpty()) {
        m_missing = true;
        m_error = QStringLiteral("pulseaudio or pactl is not installed (pulseaudio, "
                                 "pulseaudio-utils)");
        return;
    }
    const QDir dir(m_dir.path());
    dir.mkpath(QStringLiteral("runtime/pulse"));
    dir.mkpath(QStringLiteral("home"));
    QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString socket = dir.filePath(QStringLiteral("runtime/pulse/native"));
    m_server = QStringLiteral("unix:") + socket;

    QFile script(dir.filePath(QStringLiteral("test.pa")));
    if (!script.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("cannot write the server script");
        return;
    }
    script.write(QStringLiteral("load-module module-native-protocol-unix auth-anonymous=1 "
                                "socket=%1\n"
                                "load-module module-null-sink sink_name=%2 "
                                "sink_properties=device.description=Test\n"
                                "set-default-sink %2\n")
                     .arg(socket, sinkName())
                     .toUtf8());
    script.write(extraScript.toUtf8() + '\n');
    script.close();
    m_script = script.fileName();
    launch();
}

bool PrivatePulseAudio::launch() {
    const QString pulseaudio = findSystemProgram(QStringLiteral("pulseaudio"));
    const QString pactl = findSystemProgram(QStringLiteral("pactl"));
    m_process.setProcessEnvironment(environment());
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(pulseaudio,
                    {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                     QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--system=false"),
                     QStringLiteral("--use-pid-file=no"), QStringLiteral("-F"), m_script});
    m_running = QTest::qWaitFor(
        [&] {
            return m_process.state() == QProcess::NotRunning ||
                   runQuietly(pactl, {QStringLiteral("info")}, environment(), 5000);
        },
        kStartTimeoutMs);
    m_running = m_running && m_process.state() != QProcess::NotRunning;
    if (!m_running) {
        m_error = QStringLiteral("the PulseAudio server did not start: ") +
                  QString::fromLocal8Bit(m_process.readAll());
        zelvik::test::stopProcess(m_process);
    }
    return m_running;
}

PrivatePulseAudio::~PrivatePulseAudio() {
    zelvik::test::stopProcess(m_process);
}

bool PrivatePulseAudio::pactl(const QStringList& arguments) const {
    return runQuietly(findSystemProgram(QStringLiteral("pactl")), arguments, environment());
}

void PrivatePulseAudio::stop() {
    zelvik::test::stopProcess(m_process);
    m_running = false;
}

bool PrivatePulseAudio::restart() {
    stop();
    return launch();
}

QProcessEnvironment PrivatePulseAudio::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QDir dir(m_dir.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"),
                       dir.filePath(QStringLiteral("runtime/pulse")));
    environment.insert(QStringLiteral("PULSE_SERVER"), m_server);
    return environment;
}

// --- PulseEventLog ----------------------------------------------------------

PulseEventLog::PulseEventLog(const PrivatePulseAudio& server) {
    const QString pactl = findSystemProgram(QStringLiteral("pactl"));
    m_process.setProcessEnvironment(server.environment());
    m_process.start(pactl, {QStringLiteral("subscribe")});
    // The subscription is live once it reports a change the log itself
    // makes; until then, keep making one.
    const QStringList touch{QStringLiteral("set-sink-mute"), PrivatePulseAudio::sinkName(),
                            QStringLiteral("toggle")};
    m_listening = QTest::qWaitFor(
        [&] {
            if (m_process.state() == QProcess::NotRunning)
                return true;
            // Twice, so the sink ends up as it was.
            runQuietly(pactl, touch, server.environment(), 5000);
            runQuietly(pactl, touch, server.environment(), 5000);
            m_process.waitForReadyRead(200);
            read();
            return !m_lines.isEmpty();
        },
        kStartTimeoutMs);
    m_listening = m_listening && m_process.state() != QProcess::NotRunning;
}

PulseEventLog::~PulseEventLog() {
    stopProcess(m_process);
}

void PulseEventLog::read() {
    while (m_process.canReadLine())
        m_lines << QString::fromUtf8(m_process.readLine()).trimmed();
}

int PulseEventLog::count(const QString& text) {
    m_process.waitForReadyRead(0);
    read();
    int n = 0;
    for (const QString& line : std::as_const(m_lines))
        n += line.contains(text) ? 1 : 0;
    return n;
}

} // namespace zelvik::test
