#include "KdeConnectSharing.h"

#include "kdeconnect_daemon_interface.h"
#include "kdeconnect_share_interface.h"

#include <QDBusConnectionInterface>

namespace zelvik {

namespace {

// A daemon that hangs must not freeze the notch for the default 25 s.
constexpr int kCallTimeoutMs = 1500;

} // namespace

KdeConnectSharing::KdeConnectSharing(QDBusConnection bus)
    : m_bus(std::move(bus)) {}

QString KdeConnectSharing::reachableDevice() const {
    if (!m_bus.isConnected() || !m_bus.interface() ||
        !m_bus.interface()->isServiceRegistered(kService))
        return {};
    OrgKdeKdeconnectDaemonInterface daemon(kService, QStringLiteral("/modules/kdeconnect"), m_bus);
    daemon.setTimeout(kCallTimeoutMs);
    const QDBusReply<QStringList> reply = daemon.devices(true, true);
    if (!reply.isValid() || reply.value().isEmpty())
        return {};
    return reply.value().constFirst();
}

bool KdeConnectSharing::canPerform(const QList<QUrl>& items) {
    return !items.isEmpty() && !reachableDevice().isEmpty();
}

bool KdeConnectSharing::isAvailable() {
    return !reachableDevice().isEmpty();
}

void KdeConnectSharing::perform(const QList<QUrl>& items) {
    const QString device = reachableDevice();
    if (items.isEmpty() || device.isEmpty())
        return;
    QStringList urls;
    urls.reserve(items.size());
    for (const QUrl& url : items)
        urls << url.toString(QUrl::FullyEncoded);
    OrgKdeKdeconnectDeviceShareInterface share(
        kService, QStringLiteral("/modules/kdeconnect/devices/%1/share").arg(device), m_bus);
    // The daemon answers once the transfer has been queued; nothing here
    // needs that answer.
    share.shareUrls(urls);
}

} // namespace zelvik
