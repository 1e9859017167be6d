#pragma once

// A real music monitor for the music views, on the test's own time: the
// players' notifications are sent by the test, their scripts answered from a
// table, and the installed players are whatever the test says.
#include "model/NotchModel.h"
#include "music/MusicFakes.h"

#include <QBuffer>
#include <QPainter>

#include <map>

namespace zelvik::test {

class FakeApplications final : public PlayerApplications {
public:
    std::optional<PlayerApplication> find(MusicSource source, const QString&) const override {
        const auto it = installed.find(source);
        if (it == installed.end())
            return std::nullopt;
        return it->second;
    }
    bool launch(const PlayerApplication& application) override {
        launched << application.id;
        return true;
    }
    std::map<MusicSource, PlayerApplication> installed;
    QStringList launched;
};

// A square cover: two colours split diagonally, so cropping and placement
// show in a picture.
inline QByteArray coverPng(const QColor& one, const QColor& two, int side = 300) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(one);
    {
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(two);
        painter.drawPolygon(QPolygon({QPoint(side, 0), QPoint(side, side), QPoint(0, side)}));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

class MusicRig {
public:
    // The monitor goes to `model`, which owns it; the rig must outlive
    // neither, so it takes the monitor back when it goes.
    MusicRig(NotchModel& model, Clock& clock, Scheduler& scheduler)
        : m_model(model) {
        monitor = new MusicMonitor({clock, scheduler, runner,
                                    std::unique_ptr<PlayerNotifications>(notifications),
                                    std::unique_ptr<PlayerApplications>(applications)});
        model.setMusic(monitor);
        monitor->start();
    }
    ~MusicRig() {
        m_model.setMusic(nullptr);
        delete monitor;
    }
    MusicRig(const MusicRig&) = delete;
    MusicRig& operator=(const MusicRig&) = delete;

    void answer(const QString& script, const ScriptOutput& output) {
        const QMutexLocker lock(&table->mutex);
        table->answers.insert(script, output);
    }
    QStringList scripts() {
        const QMutexLocker lock(&table->mutex);
        QStringList sent = table->log;
        sent.removeAll(kBarrier);
        return sent;
    }
    void install(MusicSource source, const QString& name, const QString& icon = {}) {
        applications->installed[source] =
            PlayerApplication{rawValue(source) + QStringLiteral(".desktop"), name, icon,
                              QUrl::fromLocalFile(QStringLiteral("/usr/share/applications/") +
                                                  rawValue(source) + QStringLiteral(".desktop"))};
        emit applications->changed();
    }

    // Whether the start-up read has run and nothing is left in flight.
    [[nodiscard]] bool started() { return settle(); }

    // Music (the desktop's player) plays `title`: its notification, its
    // playhead and its cover as the scripts give them, all applied.
    [[nodiscard]] bool play(const QString& title, const QString& artist, double durationMs,
                            double position, bool playing = true, const QByteArray& cover = {}) {
        const char* app = "Music";
        answer(tellTo(app, "return player position"), textOutput(QString::number(position)));
        ScriptOutput art;
        if (!cover.isEmpty())
            art.data = cover;
        answer(tellTo(app, "return raw data of artwork 1 of current track"), art);
        notifications->running.insert(MusicSource::appleMusic);
        notifications->post(MusicSource::appleMusic,
                            {{QStringLiteral("Player State"),
                              playing ? QStringLiteral("Playing") : QStringLiteral("Paused")},
                             {QStringLiteral("Name"), title},
                             {QStringLiteral("Artist"), artist},
                             {QStringLiteral("Total Time"), durationMs}});
        return settle();
    }

    // Until every script sent so far has run and its result was applied.
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
            QCoreApplication::processEvents();
            quiet = scripts().size() == before ? quiet + 1 : 0;
            if (quiet == 2)
                return true;
        }
        return false;
    }

    const QString kBarrier = QStringLiteral("barrier");
    std::shared_ptr<ScriptTable> table = std::make_shared<ScriptTable>();
    ScriptRunner runner{[t = table] { return std::make_unique<ScriptedEngine>(t); }};
    FakeNotifications* notifications = new FakeNotifications;
    FakeApplications* applications = new FakeApplications;
    MusicMonitor* monitor = nullptr;

private:
    NotchModel& m_model;
};

} // namespace zelvik::test
