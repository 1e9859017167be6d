#include "FreedesktopNotificationCenter.h"

#include "notifications_proxy.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace zelvik {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

FreedesktopNotificationCenter::FreedesktopNotificationCenter(Scheduler& scheduler,
                                                             const Clock& clock,
                                                             const QDBusConnection& connection,
                                                             QObject* parent)
    : QObject(parent)
    , m_scheduler(scheduler)
    , m_clock(clock)
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
    // A moment of wall time, so that a sleep of the machine does not make
    // the notification late by the time it slept.
    const double interval = std::isfinite(request.timeInterval) ? request.timeInterval : 0;
    entry.timer = m_scheduler.at(m_clock, m_clock.now() + std::max(0.0, interval),
                                 [self = QPointer(this), request] {
                                     if (self)
                                         self->post(request);
                                 });
}

void FreedesktopNotificationCenter::remove(const QString& identifier) {
    // Only the request still waiting goes; one already delivered (on screen,
    // or on its way there) is the user's to dismiss.
    const auto it = m_entries.find(identifier);
    if (it != m_entries.end())
        it->timer.cancel();
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
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("zelvik")},
                            {QStringLiteral("urgency"), QVariant::fromValue(uchar(1))}};
    // A notification of the same request still on screen is replaced.
    const QDBusPendingReply<uint> reply =
        m_proxy->Notify(QStringLiteral("Zelvik"), it->shownId, QString(), request.title,
                        request.body, {}, hints, -1);
    auto* watcher = new QDBusPendingCallWatcher(reply, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, identifier](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<uint> answer = *call;
                // No service on the bus, or it refused: nothing is shown.
                if (answer.isError() || answer.value() == 0) {
                    emit postFinished(identifier, false);
                    return;
                }
                const auto entry = m_entries.find(identifier);
                if (entry != m_entries.end())
                    entry->shownId = answer.value();
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
