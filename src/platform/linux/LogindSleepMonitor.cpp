#include "LogindSleepMonitor.h"

#include "login1_manager_proxy.h"

#include <QLoggingCategory>

namespace zelvik {

namespace {
Q_LOGGING_CATEGORY(lcSleep, "zelvik.sleep", QtWarningMsg)
} // namespace

LogindSleepMonitor::LogindSleepMonitor(const QDBusConnection& connection, QObject* parent)
    : QObject(parent)
    , m_proxy(std::make_unique<Login1ManagerProxy>(QStringLiteral("org.freedesktop.login1"),
                                                   QStringLiteral("/org/freedesktop/login1"),
                                                   connection)) {
    connect(m_proxy.get(), &Login1ManagerProxy::PrepareForSleep, this, [this](bool start) {
        qCDebug(lcSleep) << (start ? "going to sleep" : "woke up");
        if (!start)
            emit resumed();
    });
}

LogindSleepMonitor::~LogindSleepMonitor() = default;

} // namespace zelvik
