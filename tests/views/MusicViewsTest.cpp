// What the music views draw of a real music monitor, on virtual time: the
// progress bar's fraction, times, refreshes and seeks; the artwork's size
// and glow; the badge and the "Open …" buttons; and the equalizer, which
// moves only while a song plays on screen.
#include "MusicRig.h"
#include "model/ModelFixture.h"
#include "views/EqualizerMotion.h"
#include "views/MusicProgressState.h"
#include "views/MusicViewState.h"

#include <QSignalSpy>

#include <cmath>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class MusicViews : public ModelFixture {
protected:
    void SetUp() override { ASSERT_TRUE(rig.started()); }
    void TearDown() override { DefaultsStore::standard().remove(QStringLiteral("appLanguage")); }

    MusicRig rig{*model, time, time};
};

} // namespace

TEST_F(MusicViews, TheProgressBarShowsWhereThePlayheadIs) {
    struct Case {
        const char* name;
        double durationMs;
        double position;
        bool playing;
        double later; // seconds of playing after the position was read
        double fraction;
        const char* elapsed;
        const char* remaining;
    };
    for (const Case& c : {
             Case{"a song under way", 215000, 12.4, true, 0, 12.4 / 215, "00:13", "-03:23"},
             Case{"carried forward while playing", 215000, 12.4, true, 2.0, 14.4 / 215, "00:15",
                  "-03:21"},
             Case{"held while paused", 215000, 12.4, false, 30.0, 12.4 / 215, "00:13", "-03:23"},
             Case{"never past the end", 215000, 214.0, true, 10.0, 1.0, "03:35", "-00:00"},
             Case{"an hour-long piece", 3725000, 3600.0, true, 0, 3600.0 / 3725, "1:00:00",
                  "-02:05"},
             Case{"no duration yet", 0, 7.0, false, 0, 0.0, "00:07", "-00:00"},
         }) {
        ASSERT_TRUE(rig.play(QString::fromLatin1(c.name), QStringLiteral("Ada"), c.durationMs,
                             c.position, c.playing))
            << c.name;
        MusicProgressState progress;
        progress.setActive(false); // no half-second steps in between
        progress.setModel(model.get());
        time.advanceSeconds(c.later);
        progress.setActive(true);
        EXPECT_NEAR(progress.fraction(), c.fraction, 1e-9) << c.name;
        EXPECT_EQ(progress.elapsedText(), QString::fromLatin1(c.elapsed)) << c.name;
        EXPECT_EQ(progress.remainingText(), QString::fromLatin1(c.remaining)) << c.name;
    }
}

TEST_F(MusicViews, TheBarMovesEveryHalfSecondOnlyWhileShownAndPlaying) {
    ASSERT_TRUE(rig.play(QStringLiteral("Clair de lune"), QStringLiteral("Debussy"), 300000, 10));
    MusicProgressState progress;
    progress.setModel(model.get());
    QSignalSpy redraws(&progress, &MusicProgressState::changed);

    // Shown and playing: one wake-up every half second, each a step of the bar.
    for (int step = 1; step <= 4; ++step) {
        EXPECT_TRUE(progress.isTicking());
        EXPECT_EQ(time.pendingCount(), 1u);
        time.advanceMs(MusicProgressState::kRefreshMs);
        EXPECT_NEAR(progress.fraction(), (10 + 0.5 * step) / 300, 1e-9) << step;
    }
    EXPECT_EQ(redraws.count(), 4);
    EXPECT_EQ(progress.elapsedText(), QStringLiteral("00:12"));

    // Hidden: nothing wakes, and the bar is right again when shown.
    progress.setActive(false);
    EXPECT_FALSE(progress.isTicking());
    EXPECT_EQ(time.pendingCount(), 0u);
    time.advanceSeconds(5);
    progress.setActive(true);
    EXPECT_NEAR(progress.fraction(), 17.0 / 300, 1e-9);

    // Paused (the monitor flips at once): the playhead stands and nothing wakes.
    rig.monitor->togglePlayPause();
    EXPECT_FALSE(progress.isTicking());
    const double paused = progress.fraction();
    time.advanceSeconds(3);
    EXPECT_EQ(progress.fraction(), paused);
    // A change the monitor reports redraws at once.
    rig.monitor->seek(150);
    EXPECT_NEAR(progress.fraction(), 0.5, 1e-9);
    EXPECT_EQ(progress.elapsedText(), QStringLiteral("02:30"));
}

TEST_F(MusicViews, AClickOrTheEndOfADragSeeksToThatPartOfTheTrack) {
    struct Case {
        const char* name;
        double x, width;
        double fraction;
    };
    for (const Case& c : {
             Case{"the middle", 150, 300, 0.5},
             Case{"the far right", 300, 300, 1.0},
             Case{"dragged past the right end", 420, 300, 1.0},
             Case{"dragged off the left end", -35, 300, 0.0},
             Case{"a bar a point wide takes x itself", 0.25, 1, 0.25},
             Case{"a bar of no width", 7, 0, 1.0},
             Case{"not a number", std::nan(""), 300, 0.0},
         })
        EXPECT_DOUBLE_EQ(MusicProgressState::seekFraction(c.x, c.width), c.fraction) << c.name;

    // The seek reaches the player as its command, and the bar follows at once.
    ASSERT_TRUE(rig.play(QStringLiteral("Gymnopédie"), QStringLiteral("Satie"), 215000, 3));
    MusicProgressState progress;
    progress.setModel(model.get());
    progress.seekAt(225, 300);
    EXPECT_NEAR(progress.fraction(), 0.75, 1e-9);
    ASSERT_TRUE(rig.settle());
    EXPECT_TRUE(rig.scripts().contains(tellTo("Music", "set player position to 161.25")));

    // With no duration every seek lands on 0.
    ASSERT_TRUE(rig.play(QStringLiteral("Live stream"), QStringLiteral("Radio"), 0, 50));
    progress.seekAt(300, 300);
    ASSERT_TRUE(rig.settle());
    EXPECT_TRUE(rig.scripts().contains(tellTo("Music", "set player position to 0.00")));
    EXPECT_EQ(progress.elapsedText(), QStringLiteral("00:00"));
}

TEST_F(MusicViews, TheArtworkShrinksAndDimsWhenPausedAndGlowsOnlyWithTheSetting) {
    struct Case {
        const char* name;
        bool playing;
        bool glow;
        double scale;
        double glowOpacity;
        const char* symbol;
    };
    for (const Case& c : {
             Case{"playing", true, true, 1.0, 0.5, "pause.fill"},
             Case{"paused", false, true, 0.9, 0.15, "play.fill"},
             Case{"playing without glow", true, false, 1.0, 0.0, "pause.fill"},
             Case{"paused without glow", false, false, 0.9, 0.0, "play.fill"},
         }) {
        settings.setArtworkGlow(c.glow);
        ASSERT_TRUE(rig.play(QStringLiteral("Clair de lune"), QStringLiteral("Debussy"), 300000, 1,
                             c.playing))
            << c.name;
        MusicViewState view;
        view.setModel(model.get());
        EXPECT_TRUE(view.hasTrack()) << c.name;
        EXPECT_EQ(view.artworkScale(), c.scale) << c.name;
        EXPECT_EQ(view.glowOpacity(), c.glowOpacity) << c.name;
        EXPECT_EQ(view.playPauseSymbol(), QString::fromLatin1(c.symbol)) << c.name;
    }

    // The glow follows the setting while shown.
    MusicViewState view;
    view.setModel(model.get());
    QSignalSpy changes(&view, &MusicViewState::changed);
    settings.setArtworkGlow(true);
    EXPECT_EQ(view.glowOpacity(), 0.15);
    EXPECT_EQ(changes.count(), 1);
    // The play button flips at once, before the player answers.
    view.playPause();
    EXPECT_TRUE(view.isPlaying());
    EXPECT_EQ(view.playPauseSymbol(), QStringLiteral("pause.fill"));
}

TEST_F(MusicViews, TheEmptyStateOffersTheInstalledPlayersAndTheBadgeNamesThePlayer) {
    struct Case {
        const char* name;
        bool spotify, music;
        bool turkish;
        QStringList labels;
    };
    for (const Case& c : {
             Case{"neither installed", false, false, false, {}},
             Case{"Spotify only", true, false, false, {"Open Spotify"}},
             Case{"both", true, true, false, {"Open Spotify", "Open Rhythmbox"}},
             Case{"both, in Turkish",
                  true,
                  true,
                  true,
                  {"Spotify'ı aç", "Rhythmbox uygulamasını aç"}},
         }) {
        const AppLanguage language = c.turkish ? AppLanguage::tr : AppLanguage::en;
        DefaultsStore::standard().setValue(QStringLiteral("appLanguage"), rawValue(language));
        settings.setLanguage(language);
        rig.applications->installed.clear();
        if (c.spotify)
            rig.install(MusicSource::spotify, QStringLiteral("Spotify"));
        if (c.music)
            rig.install(MusicSource::appleMusic, QStringLiteral("Rhythmbox"));
        MusicViewState view;
        view.setModel(model.get());
        EXPECT_FALSE(view.hasTrack()) << c.name;
        QStringList labels;
        for (const QVariant& button : view.openButtons())
            labels << button.toMap().value(QStringLiteral("label")).toString();
        EXPECT_EQ(labels, c.labels) << c.name;
    }

    // Starting a player from its button goes through its desktop entry.
    MusicViewState view;
    view.setModel(model.get());
    view.openPlayer(QStringLiteral("spotify"));
    EXPECT_EQ(rig.applications->launched, QStringList{"spotify.desktop"});

    // A player that plays carries its own icon in the badge; one that is not
    // installed gets the note (an empty icon).
    rig.install(MusicSource::appleMusic, QStringLiteral("Rhythmbox"),
                QStringLiteral("/opt/icons/rhythm box.png"));
    ASSERT_TRUE(rig.play(QStringLiteral("Clair de lune"), QStringLiteral("Debussy"), 300000, 1));
    EXPECT_EQ(view.source(), QStringLiteral("appleMusic"));
    EXPECT_EQ(view.sourceName(), QStringLiteral("Rhythmbox"));
    EXPECT_EQ(QUrl(view.sourceIcon()).host(), QStringLiteral("zelvik-icon"));
    EXPECT_EQ(QUrl(view.sourceIcon()).path(), QStringLiteral("//opt/icons/rhythm box.png"));
    rig.applications->installed.clear();
    emit rig.applications->changed();
    EXPECT_EQ(view.sourceIcon(), QString());
}

TEST_F(MusicViews, TheControlsReachTheShownPlayer) {
    ASSERT_TRUE(rig.play(QStringLiteral("Clair de lune"), QStringLiteral("Debussy"), 300000, 1));
    MusicViewState view;
    view.setModel(model.get());
    view.previousTrack();
    view.nextTrack();
    view.playPause();
    EXPECT_FALSE(view.isPlaying());
    ASSERT_TRUE(rig.settle());
    const QStringList sent = rig.scripts();
    for (const char* command : {"previous track", "next track", "playpause"})
        EXPECT_TRUE(sent.contains(tellTo("Music", command))) << command;
}

TEST_F(MusicViews, TheEqualizerBouncesOnlyWhilePlayingOnScreen) {
    EqualizerMotion bars;
    bars.setModel(model.get());
    QSignalSpy redraws(&bars, &EqualizerMotion::heightsChanged);
    const QList<qreal> flat{3, 3, 3, 3};
    EXPECT_EQ(bars.heights(), flat);
    EXPECT_FALSE(bars.isTicking());

    bars.setPlaying(true);
    // A second of playing: no more than 30 frames, each bar within 4...14
    // and moving on its own.
    redraws.clear();
    QList<QList<qreal>> seen;
    for (int frame = 0; frame < 60 && time.pendingCount() > 0; ++frame) {
        ASSERT_GE(time.nextDue() - time.uptime(), std::chrono::nanoseconds(33'333'333));
        time.advance(time.nextDue() - time.uptime());
        seen << bars.heights();
        if (time.uptime() >= std::chrono::seconds(1))
            break;
    }
    EXPECT_LE(redraws.count(), 30);
    EXPECT_GE(redraws.count(), 25);
    for (const QList<qreal>& heights : seen)
        for (qreal h : heights) {
            EXPECT_GE(h, 4);
            EXPECT_LE(h, 14);
        }
    for (int bar = 1; bar < EqualizerMotion::kBars; ++bar) {
        int same = 0;
        for (const QList<qreal>& heights : seen)
            same += heights[bar] == heights[0] ? 1 : 0;
        EXPECT_LT(same, seen.size() / 2) << bar;
    }

    // Paused or hidden: flat or still, and nothing wakes.
    bars.setPlaying(false);
    EXPECT_EQ(bars.heights(), flat);
    EXPECT_EQ(time.pendingCount(), 0u);
    bars.setPlaying(true);
    bars.setActive(false);
    EXPECT_EQ(time.pendingCount(), 0u);
    redraws.clear();
    time.advanceSeconds(2);
    EXPECT_EQ(redraws.count(), 0);
}
