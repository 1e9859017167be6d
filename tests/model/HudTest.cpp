#include "FocusFakes.h"
#include "ModelFixture.h"
#include "model/HUDProducers.h"

#include <QSignalSpy>

#include <cmath>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class HudTest : public ModelFixture {
protected:
    HUDEvent makeNotice(const QString& title) {
        HUDEvent event;
        event.symbol = QStringLiteral("bolt.fill");
        event.tint = kNoticeGreen;
        event.title = title;
        return event;
    }
    QString hudTitle() const {
        return model->hud() ? model->hud()->title : QStringLiteral("<none>");
    }
};

} // namespace

TEST_F(HudTest, ANewNoticeReplacesTheOldAtOnceAndStaysItsFullDuration) {
    settings.setHudDuration(2.6);
    model->showHUD(makeNotice(QStringLiteral("first")));
    time.advanceSeconds(1);
    model->showHUD(makeNotice(QStringLiteral("second")));
    EXPECT_EQ(hudTitle(), QStringLiteral("second"));
    EXPECT_EQ(haptics.count, 2);
    EXPECT_EQ(model->shapeSize(), QSizeF(338, 62));

    time.advanceMs(1600); // the first notice's expiry has passed, and was cancelled
    EXPECT_EQ(hudTitle(), QStringLiteral("second"));
    time.advanceMs(999);
    EXPECT_EQ(hudTitle(), QStringLiteral("second"));
    time.advanceMs(1);
    EXPECT_FALSE(model->hud());
    EXPECT_EQ(model->shapeSize(), QSizeF(190, 32));
    EXPECT_EQ(time.pendingCount(), 0u);
}

TEST_F(HudTest, ANoticeWhileOpenIsLostForGood) {
    model->open(ZelvikPanel::shelf);
    const int ticks = haptics.count;
    QSignalSpy changes(model.get(), &NotchModel::hudChanged);
    model->showHUD(makeNotice(QStringLiteral("lost")));
    EXPECT_FALSE(model->hud());
    EXPECT_EQ(haptics.count, ticks);
    model->close();
    time.advanceSeconds(10);
    EXPECT_FALSE(model->hud());
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(HudTest, OpeningRemovesTheNoticeAndItsLateExpiryChangesNothing) {
    model->showHUD(makeNotice(QStringLiteral("shown")));
    QSignalSpy changes(model.get(), &NotchModel::hudChanged);
    model->open(std::nullopt);
    EXPECT_FALSE(model->hud());
    EXPECT_TRUE(model->hasPendingHudExpiry());
    model->close();
    time.advanceSeconds(3);
    EXPECT_FALSE(model->hasPendingHudExpiry());
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(HudTest, ADurationThatIsNotANumberStillLetsTheNoticeGo) {
    settings.setHudDuration(std::nan(""));
    model->showHUD(makeNotice(QStringLiteral("x")));
    time.advanceMs(2599);
    EXPECT_TRUE(model->hud());
    time.advanceMs(1);
    EXPECT_FALSE(model->hud());
}

TEST_F(HudTest, NoticesWithTheSameContentStillDiffer) {
    const HUDEvent a = makeNotice(QStringLiteral("same"));
    const HUDEvent b = makeNotice(QStringLiteral("same"));
    EXPECT_NE(a.id, b.id);
    EXPECT_NE(a, b);
    HUDEvent c = a;
    EXPECT_EQ(a, c);
    c.showsArtwork = true;
    EXPECT_NE(a, c);
    c = a;
    c.trailing = QString();
    EXPECT_NE(a, c); // an empty trailing text is not an absent one
}

TEST_F(HudTest, UnpluggedSymbolFollowsTheLevel) {
    const QList<std::pair<int, const char*>> cases{
        {-1, "battery.0percent"},   {12, "battery.0percent"},  {13, "battery.25percent"},
        {37, "battery.25percent"},  {38, "battery.50percent"}, {62, "battery.50percent"},
        {63, "battery.75percent"},  {87, "battery.75percent"}, {88, "battery.100percent"},
        {150, "battery.100percent"}};
    for (const auto& [level, symbol] : cases) {
        showBatteryHUD(*model, BatteryEvent::unplugged(level));
        ASSERT_TRUE(model->hud());
        EXPECT_EQ(model->hud()->symbol, QString::fromLatin1(symbol)) << level;
        EXPECT_EQ(model->hud()->tint, kNoticeWhite);
        EXPECT_EQ(model->hud()->title, QStringLiteral("On battery power"));
        EXPECT_EQ(model->hud()->trailing, QString::number(level) + u'%');
    }
}

TEST_F(HudTest, BatteryNoticesInBothLanguages) {
    struct Case {
        BatteryEvent event;
        const char* symbol;
        QColor tint;
        const char* english;
        const char* turkish;
        int percent;
    };
    const QList<Case> cases{
        {BatteryEvent::pluggedIn(80), "bolt.fill", kNoticeGreen, "Charging", "Şarj oluyor", 80},
        {BatteryEvent::unplugged(80), "battery.75percent", kNoticeWhite, "On battery power",
         "Pil gücüne geçildi", 80},
        {BatteryEvent::low(19), "battery.25percent", kNoticeRed, "Battery low", "Pil azalıyor", 19},
        {BatteryEvent::full(), "battery.100percent.bolt", kNoticeGreen, "Fully charged",
         "Tam şarj oldu", 100},
    };
    for (const Case& c : cases) {
        showBatteryHUD(*model, c.event);
        ASSERT_TRUE(model->hud());
        const HUDEvent english = *model->hud();
        EXPECT_EQ(english.symbol, QString::fromLatin1(c.symbol));
        EXPECT_EQ(english.tint, c.tint);
        EXPECT_EQ(english.title, QString::fromUtf8(c.english));
        EXPECT_EQ(english.trailing, QStringLiteral("%1%").arg(c.percent));
        EXPECT_FALSE(english.showsArtwork);
        {
            TurkishLanguage turkish;
            showBatteryHUD(*model, c.event);
        }
        EXPECT_EQ(model->hud()->title, QString::fromUtf8(c.turkish));
        EXPECT_EQ(model->hud()->trailing, QStringLiteral("%%1").arg(c.percent));
        EXPECT_NE(model->hud()->id, english.id);
    }
    EXPECT_EQ(QString(*model->hud()->trailing), QStringLiteral("%100"));

    settings.setShowBatteryHUD(false);
    model->setHud(std::nullopt);
    showBatteryHUD(*model, BatteryEvent::pluggedIn(50));
    EXPECT_FALSE(model->hud());
}

TEST_F(HudTest, TrackNoticeJoinsTitleAndArtistAndLeavesOutEmptyOnes) {
    const QColor accent(200, 40, 90);
    showTrackChangeHUD(*model, QStringLiteral("Blue in Green"), QString(), accent);
    ASSERT_TRUE(model->hud());
    EXPECT_EQ(model->hud()->title, QStringLiteral("Blue in Green"));
    EXPECT_EQ(model->hud()->symbol, QStringLiteral("music.note"));
    EXPECT_EQ(model->hud()->tint, accent);
    EXPECT_TRUE(model->hud()->showsArtwork);
    EXPECT_FALSE(model->hud()->trailing);

    showTrackChangeHUD(*model, QStringLiteral("So What"), QStringLiteral("Miles Davis"), accent);
    EXPECT_EQ(model->hud()->title, QStringLiteral("So What · Miles Davis"));

    model->setHud(std::nullopt);
    showTrackChangeHUD(*model, QString(), QStringLiteral("Miles Davis"), accent);
    EXPECT_FALSE(model->hud());
    settings.setTrackChangeHUD(false);
    showTrackChangeHUD(*model, QStringLiteral("So What"), QString(), accent);
    EXPECT_FALSE(model->hud());
}

TEST_F(HudTest, BluetoothDevicesAreLightBlueAndConnectedWiredOnesWhiteAndBare) {
    for (const auto transport : {transport::bluetooth, transport::bluetoothLE}) {
        showAudioDeviceHUD(*model, {7, QStringLiteral("Ada's AirPods Pro"), transport});
        ASSERT_TRUE(model->hud());
        EXPECT_EQ(model->hud()->symbol, QStringLiteral("airpodspro"));
        EXPECT_EQ(model->hud()->tint, kLightBlue);
        EXPECT_EQ(model->hud()->title, QStringLiteral("Ada's AirPods Pro"));
        EXPECT_EQ(model->hud()->trailing, QStringLiteral("Connected"));
    }
    {
        TurkishLanguage turkish;
        showAudioDeviceHUD(*model, {8, QStringLiteral("Kulaklık"), transport::bluetooth});
    }
    EXPECT_EQ(model->hud()->symbol, QStringLiteral("headphones"));
    EXPECT_EQ(model->hud()->trailing, QStringLiteral("Bağlandı"));

    showAudioDeviceHUD(*model, {9, QStringLiteral("Built-in Speakers"), transport::builtIn});
    EXPECT_EQ(model->hud()->symbol, QStringLiteral("laptopcomputer"));
    EXPECT_EQ(model->hud()->tint, kNoticeWhite);
    EXPECT_FALSE(model->hud()->trailing);

    settings.setShowDeviceHUD(false);
    model->setHud(std::nullopt);
    showAudioDeviceHUD(*model, {10, QStringLiteral("DELL U2720Q"), transport::hdmi});
    EXPECT_FALSE(model->hud());
}

TEST_F(HudTest, DeviceSymbolsByNameThenTransport) {
    const QList<std::pair<AudioOutputDevice, const char*>> cases{
        {{1, QStringLiteral("AirPods Max"), transport::bluetooth}, "airpodsmax"},
        {{1, QStringLiteral("Ada's AirPods"), transport::bluetooth}, "airpods"},
        {{1, QStringLiteral("BEATS Studio"), transport::usb}, "beats.headphones"},
        {{1, QStringLiteral("Living room"), transport::airPlay}, "airplayaudio"},
        {{1, QStringLiteral("DELL U2720Q"), transport::hdmi}, "tv"},
        {{1, QStringLiteral("LG"), transport::displayPort}, "tv"},
        {{1, QStringLiteral("Scarlett 2i2"), transport::usb}, "speaker.wave.2.fill"},
        {{1, QStringLiteral("Unknown"), 0}, "speaker.wave.2.fill"},
    };
    for (const auto& [device, symbol] : cases)
        EXPECT_EQ(device.symbol(), QString::fromLatin1(symbol)) << device.name.toStdString();
    EXPECT_EQ(transport::bluetooth, 0x626c7565u);
}

TEST_F(HudTest, ScreenshotAndFocusNoticesInBothLanguages) {
    const QColor orange = QColor::fromRgbF(1.0f, 0.63f, 0.26f);
    showScreenshotHUD(*model);
    EXPECT_EQ(model->hud()->symbol, QStringLiteral("camera.viewfinder"));
    EXPECT_EQ(model->hud()->tint, QColor::fromRgbF(0.36f, 0.84f, 0.96f));
    EXPECT_EQ(model->hud()->title, QStringLiteral("Screenshot added to the shelf"));
    showFocusDoneHUD(*model, QStringLiteral("Deep work"));
    EXPECT_EQ(model->hud()->symbol, QStringLiteral("checkmark.circle.fill"));
    EXPECT_EQ(model->hud()->tint, orange);
    EXPECT_EQ(model->hud()->title, QStringLiteral("Deep work done, time for a break"));
    showBreakOverHUD(*model);
    EXPECT_EQ(model->hud()->symbol, QStringLiteral("cup.and.saucer.fill"));
    EXPECT_EQ(model->hud()->title, QStringLiteral("Break's over, back to work"));
    EXPECT_FALSE(model->hud()->trailing);

    TurkishLanguage turkish;
    showScreenshotHUD(*model);
    EXPECT_EQ(model->hud()->title, QStringLiteral("Ekran görüntüsü rafa eklendi"));
    showFocusDoneHUD(*model, QStringLiteral("Derin iş"));
    EXPECT_EQ(model->hud()->title, QStringLiteral("Derin iş bitti, mola zamanı"));
    showBreakOverHUD(*model);
    EXPECT_EQ(model->hud()->title, QStringLiteral("Mola bitti, işe dönme zamanı"));
}

TEST_F(HudTest, AStartedModelShowsTheTrackNoticeWhenItsMusicMonitorSaysANewSongPlays) {
    auto* music = new ScriptedMusic;
    model->setMusic(music);
    model->start();
    EXPECT_EQ(music->starts, 1);
    ASSERT_TRUE(music->onTrackChange);

    music->title = QStringLiteral("So What");
    music->artist = QStringLiteral("Miles Davis");
    music->accent = QColor(10, 200, 30);
    music->onTrackChange();
    ASSERT_TRUE(model->hud());
    EXPECT_EQ(model->hud()->title, QStringLiteral("So What · Miles Davis"));
    EXPECT_EQ(model->hud()->tint, QColor(10, 200, 30));
    EXPECT_TRUE(model->hud()->showsArtwork);

    // The notice follows the settings and the notch like any other.
    model->setHud(std::nullopt);
    settings.setTrackChangeHUD(false);
    music->onTrackChange();
    EXPECT_FALSE(model->hud());

    // A callback kept past the model does nothing.
    const auto callback = music->onTrackChange;
    model.reset();
    callback();
}
