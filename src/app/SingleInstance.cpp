#include "SingleInstance.h"

#include "ZelvikAdaptor.h"
#include "ZelvikInterface.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace zelvik {

SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent) {
    new ZelvikAdaptor(this);
}

SingleInstance::Claim SingleInstance::claim() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return Claim::noBus;
    // The object is in place before the name is, so a caller that sees the
    // name can always reach Toggle.
    bus.registerObject(QString::fromLatin1(kObjectPath), this);
    const auto reply = bus.interface()->registerService(
        QString::fromLatin1(kServiceName), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered)
        return Claim::owned;
    bus.unregisterObject(QString::fromLatin1(kObjectPath));
    return reply.isValid() ? Claim::taken : Claim::noBus;
}

namespace {

template <typename Call> bool callRunningInstance(Call call, QString* error) {
    OrgZelvikZelvikInterface running(QString::fromLatin1(SingleInstance::kServiceName),
                                     QString::fromLatin1(SingleInstance::kObjectPath),
                                     QDBusConnection::sessionBus());
    running.setTimeout(5000);
    QDBusPendingReply<> reply = call(running);
    reply.waitForFinished();
    if (reply.isError() && error)
        *error = reply.error().message();
    return !reply.isError();
}

} // namespace

bool SingleInstance::toggleRunningInstance(QString* error) {
    return callRunningInstance([](OrgZelvikZelvikInterface& running) { return running.Toggle(); },
                               error);
}

bool SingleInstance::showSettingsOfRunningInstance(QString* error) {
    return callRunningInstance(
        [](OrgZelvikZelvikInterface& running) { return running.ShowSettings(); }, error);
}

void SingleInstance::Toggle() {
    if (onToggle)
        onToggle();
}

void SingleInstance::ShowSettings() {
    if (onShowSettings)
        onShowSettings();
}

} // namespace zelvik
