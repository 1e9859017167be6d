#include "PrivateBus.h"

#include <QDBusArgument>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

#include <atomic>

namespace zelvik::test {

namespace {
const QString kPython = QStringLiteral("/usr/bin/python3");
}

PrivateBus::PrivateBus() {
    static std::atomic<int> counter{0};
    m_name = QStringLiteral("zelvik-private-bus-%1").arg(counter++);
    // No service folders: nothing installed on the machine is started on
    // demand, so a test sees only the services it starts itself.
    m_config.setFileTemplate(QDir::tempPath() + QStringLiteral("/zelvik-bus-XXXXXX.conf"));
    if (!m_config.open())
        return;
    m_config.write(
        R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)");
    m_config.flush();
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + m_config.fileName(),
                    QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!m_daemon.waitForStarted(5000))
        return;
    QDeadlineTimer deadline(5000);
    while (!m_daemon.canReadLine() && !deadline.hasExpired())
        m_daemon.waitForReadyRead(100);
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    if (!m_address.isEmpty())
        m_connection = QDBusConnection::connectToBus(m_address, m_name);
}

PrivateBus::~PrivateBus() {
    for (QProcess* mock : m_mocks) {
        mock->terminate();
        if (!mock->waitForFinished(3000))
            mock->kill();
        mock->waitForFinished(1000);
        delete mock;
    }
    QDBusConnection::disconnectFromBus(m_name);
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(3000)) {
        m_daemon.kill();
        m_daemon.waitForFinished(1000);
    }
}

bool PrivateBus::hasDbusMock() {
    return QProcess::execute(kPython, {QStringLiteral("-c"), QStringLiteral("import dbusmock")}) ==
           0;
}

bool PrivateBus::startMock(const QString& service, const QStringList& arguments) {
    if (!isValid())
        return false;
    auto* mock = new QProcess;
    m_mocks << mock;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    mock->setProcessEnvironment(environment);
    mock->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    mock->start(kPython, QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock")} + arguments);
    if (!mock->waitForStarted(5000))
        return false;
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (m_connection.interface()->isServiceRegistered(service))
            return true;
        if (mock->state() == QProcess::NotRunning)
            return false;
        QThread::msleep(20);
    }
    return false;
}

QVariantList PrivateBus::mockCall(const QString& service, const QString& path,
                                  const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Mock"), method);
    message.setArguments(arguments);
    const QDBusMessage reply = m_connection.call(message, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments() : QVariantList();
}

QList<PrivateBus::RecordedCall> PrivateBus::recordedCalls(const QString& service,
                                                          const QString& path) {
    QList<RecordedCall> calls;
    const QVariantList reply = mockCall(service, path, QStringLiteral("GetCalls"), {});
    if (reply.isEmpty())
        return calls;
    const QDBusArgument array = reply.at(0).value<QDBusArgument>();
    array.beginArray();
    while (!array.atEnd()) {
        quint64 when = 0;
        RecordedCall call;
        array.beginStructure();
        array >> when >> call.method >> call.arguments;
        array.endStructure();
        calls << call;
    }
    array.endArray();
    return calls;
}

} // namespace zelvik::test
