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

bool SingleInstance::toggleRunningInstance(QString* error) {
    OrgZelvikZelvikInterface running(QString::fromLatin1(kServiceName),
                                     QString::fromLatin1(kObjectPath),
                                     QDBusConnection::sessionBus());
    running.setTimeout(5000);
    QDBusPendingReply<> reply = running.Toggle();
    reply.waitForFinished();
    if (reply.isError() && error)
        *error = reply.error().message();
    return !reply.isError();
}

void SingleInstance::Toggle() {
    if (onToggle)
        onToggle();
}

} // namespace zelvik
