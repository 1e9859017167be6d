#pragma once

#include "shelf/NearbySharing.h"

#include <QDBusConnection>
#include <QString>

namespace zelvik {

// Nearby sharing through a running KDE Connect daemon on the session bus:
// the items go to the first paired device in reach. Without the daemon, or
// with no such device, it cannot perform. The daemon is never started on
// demand: a share button must not wait for a service to come up.
class KdeConnectSharing final : public NearbySharing {
public:
    explicit KdeConnectSharing(QDBusConnection bus = QDBusConnection::sessionBus());

    bool canPerform(const QList<QUrl>& items) override;
    bool isAvailable() override;
    void perform(const QList<QUrl>& items) override;

    static inline const QString kService = QStringLiteral("org.kde.kdeconnect");

private:
    // The id of the first paired, reachable device, or empty.
    QString reachableDevice() const;

    QDBusConnection m_bus;
};

} // namespace zelvik
