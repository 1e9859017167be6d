#pragma once

#include "monitors/MusicMonitor.h"
#include "monitors/PlayerNotifications.h"
#include "monitors/ScriptRunner.h"
#include "support/VirtualTime.h"

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

namespace zelvik::test {

// A plain picture of one colour, as PNG bytes: a cover as players hand it over.
inline QByteArray pngOf(const QColor& color, QSize size = {8, 8}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The player scripts exactly as the players' scripting expects them.
inline QString statusScript(const char* application) {
    return QStringLiteral("tell application \"%1\"\n"
                          "    set s to (player state as string)\n"
                          "    if s is \"stopped\" then return \"stopped\"\n"
                          "    set t to current track\n"
                          "    return s & linefeed & (name of t) & linefeed & (artist of t) & "
                          "linefeed & ((duration of t) as string) & linefeed & ((player "
                          "position) as string)\n"
                          "end tell")
        .arg(QLatin1String(application));
}
inline QString tellTo(const char* application, const char* command) {
    return QStringLiteral("tell application \"%1\" to %2")
        .arg(QLatin1String(application), QLatin1String(command));
}

inline ScriptOutput textOutput(const QString& text) {
    ScriptOutput output;
    output.string = text;
    return output;
}
inline ScriptOutput errorOutput(int code) {
    ScriptOutput output;
    output.errorCode = code;
    return output;
}

// Answers scripts from a table the test fills and logs every script it is
// given. Lives on the runner's thread; the table is shared with the test
// under a lock.
struct ScriptTable {
    QMutex mutex;
    QHash<QString, ScriptOutput> answers;
    QStringList log;
};

class ScriptedEngine final : public ScriptEngine {
public:
    explicit ScriptedEngine(std::shared_ptr<ScriptTable> table)
        : m_table(std::move(table)) {}
    ScriptOutput execute(const QString& source) override {
        const QMutexLocker lock(&m_table->mutex);
        m_table->log << source;
        return m_table->answers.value(source);
    }

private:
    std::shared_ptr<ScriptTable> m_table;
};

// The players' notifications, sent by the test.
class FakeNotifications final : public PlayerNotifications {
public:
    void start(std::function<void()> ready) override {
        QMetaObject::invokeMethod(this, std::move(ready), Qt::QueuedConnection);
    }
    bool isRunning(MusicSource source) const override { return running.count(source) > 0; }
    QString desktopEntry(MusicSource) const override { return {}; }
    QString playerName(MusicSource) const override { return {}; }
    void post(MusicSource source, const QVariantMap& info) {
        emit notified(notificationName(source), info);
    }
    void quit(MusicSource source) {
        running.erase(source);
        emit applicationTerminated(bundleIdentifier(source));
        emit playersChanged();
    }
    // The player appears on the bus.
    void run(MusicSource source) {
        running.insert(source);
        emit playersChanged();
    }
    std::set<MusicSource> running;
};

// Installed players by source, and the ones the monitor started.
class ScriptedApplications final : public PlayerApplications {
public:
    std::optional<PlayerApplication> find(MusicSource source, const QString&) const override {
        const auto it = installed.find(source);
        return it == installed.end() ? std::nullopt : std::optional(it->second);
    }
    bool launch(const PlayerApplication& application) override {
        launched << application.id;
        return true;
    }
    // Installs (or with nullopt removes) a player and says so.
    void install(MusicSource source, std::optional<PlayerApplication> application) {
        if (application)
            installed[source] = *application;
        else
            installed.erase(source);
        emit changed();
    }
    std::map<MusicSource, PlayerApplication> installed;
    QStringList launched;
};

// A monitor on virtual time whose scripts are answered from a table.
class MonitorRig {
public:
    const QString kBarrier = QStringLiteral("barrier");
    VirtualTime time;
    std::shared_ptr<ScriptTable> table = std::make_shared<ScriptTable>();
    ScriptRunner runner{[t = table] { return std::make_unique<ScriptedEngine>(t); }};
    FakeNotifications* notifications = new FakeNotifications;
    ScriptedApplications* applications = new ScriptedApplications;
    MusicMonitor monitor{{time, time, runner, std::unique_ptr<PlayerNotifications>(notifications),
                          std::unique_ptr<PlayerApplications>(applications)}};

    void answer(const QString& script, const ScriptOutput& output) {
        const QMutexLocker lock(&table->mutex);
        table->answers.insert(script, output);
    }
    // The scripts the monitor sent, oldest first.
    QStringList scripts() {
        const QMutexLocker lock(&table->mutex);
        QStringList sent = table->log;
        sent.removeAll(kBarrier);
        return sent;
    }
    void forgetScripts() {
        const QMutexLocker lock(&table->mutex);
        table->log.clear();
    }
    // Until every script sent so far has run and its result was applied,
    // including the scripts those results sent in turn: rounds of a barrier
    // script (results come back in order) until two rounds in a row bring
    // no new script.
    [[nodiscard]] bool settle() {
        int quiet = 0;
        for (int round = 0; round < 60; ++round) {
            QCoreApplication::processEvents();
            const qsizetype before = scripts().size();
            bool through = false;
            QObject context;
            runner.run(kBarrier, &context, [&](const auto&) { through = true; });
            if (!QTest::qWaitFor([&] { return through; }, 20000))
                return false;
            quiet = scripts().size() == before ? quiet + 1 : 0;
            if (quiet == 2)
                return true;
        }
        return false;
    }
    // Starts the monitor as the model does and lets the start-up poll run.
    [[nodiscard]] bool start() {
        monitor.start();
        return settle();
    }
};

class MonitorFixture : public ::testing::Test, public MonitorRig {};

} // namespace zelvik::test
