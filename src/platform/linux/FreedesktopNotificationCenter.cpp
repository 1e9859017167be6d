#include "FreedesktopNotificationCenter.h"

#include "model/Delays.h"
#include "notifications_proxy.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>

namespace zelvik {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

FreedesktopNotificationCenter::FreedesktopNotificationCenter(Scheduler& scheduler,
                                                             const QDBusConnection& connection,
                                                             QObject* parent)
    : QObject(parent)
    , m_scheduler(scheduler)
    , m_proxy(std::make_unique<NotificationsProxy>(kService, kPath, connection)) {
    connect(m_proxy.get(), &NotificationsProxy::NotificationClosed, this,
            &FreedesktopNotificationCenter::onClosed);
}

FreedesktopNotificationCenter::~FreedesktopNotificationCenter() {
    for (const Entry& entry : std::as_const(m_entries))
        entry.timer.cancel();
}

void FreedesktopNotificationCenter::requestAuthorization() {
    // Desktop notification services ask nobody; the user silences them in
    // the desktop's own settings.
}

void FreedesktopNotificationCenter::add(const NotificationRequest& request) {
    Entry& entry = m_entries[request.identifier];
    // A cancelled task never runs, so only the latest request is posted.
    entry.timer.cancel();
    // Rounded down, so the notification is never later than its moment.
    const auto delay = delayFromSeconds(request.timeInterval, Rounding::down);
    entry.timer = m_scheduler.after(delay, [self = QPointer(this), request] {
        if (self)
            self->post(request);
    });
}

void FreedesktopNotificationCenter::remove(const QString& identifier) {
    const auto it = m_entries.find(identifier);
    if (it == m_entries.end())
        return;
    it->timer.cancel();
    ++it->removals; // a post still waiting for its answer closes itself
    if (it->shownId != 0) {
        m_proxy->CloseNotification(it->shownId);
        it->shownId = 0;
    }
}

bool FreedesktopNotificationCenter::isPending(const QString& identifier) const {
    const auto it = m_entries.constFind(identifier);
    return it != m_entries.cend() && it->timer.isPending();
}

uint FreedesktopNotificationCenter::shownId(const QString& identifier) const {
    const auto it = m_entries.constFind(identifier);
    return it != m_entries.cend() ? it->shownId : 0;
}

void FreedesktopNotificationCenter::post(const NotificationRequest& request) {
    const QString identifier = request.identifier;
    const auto it = m_entries.constFind(identifier);
    if (it == m_entries.cend())
        return;
    const quint64 removals = it->removals;
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("zelvik")},
                            {QStringLiteral("urgency"), QVariant::fromValue(uchar(1))}};
    // A notification of the same request still on screen is replaced.
    const QDBusPendingReply<uint> reply =
        m_proxy->Notify(QStringLiteral("Zelvik"), it->shownId, QString(), request.title,
                        request.body, {}, hints, -1);
    auto* watcher = new QDBusPendingCallWatcher(reply, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, identifier, removals](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<uint> answer = *call;
                // No service on the bus, or it refused: nothing is shown.
                if (answer.isError() || answer.value() == 0) {
                    emit postFinished(identifier, false);
                    return;
                }
                const uint id = answer.value();
                const auto entry = m_entries.find(identifier);
                if (entry == m_entries.end() || entry->removals != removals) {
                    // Withdrawn while the service was showing it.
                    m_proxy->CloseNotification(id);
                    emit postFinished(identifier, false);
                    return;
                }
                entry->shownId = id;
                emit postFinished(identifier, true);
            });
}

void FreedesktopNotificationCenter::onClosed(uint id, uint /*reason*/) {
    for (Entry& entry : m_entries) {
        if (entry.shownId == id)
            entry.shownId = 0;
    }
}

} // namespace zelvik
