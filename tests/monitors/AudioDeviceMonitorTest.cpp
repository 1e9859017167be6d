// The audio output monitor on a PulseAudio server of the test's own, whose
// null sinks carry the properties of real devices. The test switches the
// default sink with pactl, stops the server and starts it again.
#include "monitors/AudioDeviceMonitor.h"
#include "model/FocusFakes.h"
#include "model/HUDProducers.h"
#include "model/ModelFixture.h"
#include "platform/TestServices.h"
#include "platform/linux/PulseAudioOutputSource.h"

#include <QTest>

using namespace zelvik;
using namespace zelvik::test;
using namespace std::chrono_literals;

namespace {

constexpr int kWaitMs = 20000;

const QString kSinks = QStringLiteral(
    "load-module module-null-sink sink_name=airpods sink_properties=\"device.description='AirPods "
    "Pro' device.bus=bluetooth device.api=bluez5 device.form_factor=headphones\"\n"
    "load-module module-null-sink sink_name=speakers "
    "sink_properties=\"device.description='Built-in "
    "Audio' device.bus=pci device.form_factor=internal device.profile.name=analog-stereo\"\n"
    "load-module module-null-sink sink_name=display sink_properties=\"device.description='DELL "
    "U2720Q' device.bus=pci device.profile.name=hdmi-stereo\"\n"
    "load-module module-null-sink sink_name=dac sink_properties=\"device.description='Scarlett "
    "2i2' device.bus=usb\"\n"
    "load-module module-null-sink sink_name=bare\n"
    "set-default-sink speakers\n");

class AudioDeviceMonitorTest : public ModelFixture {
protected:
    static inline PrivatePulseAudio* pulse = nullptr;

    static void SetUpTestSuite() { pulse = new PrivatePulseAudio(kSinks); }
    static void TearDownTestSuite() {
        delete pulse;
        pulse = nullptr;
    }

    void SetUp() override {
        if (pulse->isMissing())
            GTEST_SKIP() << pulse->error().toStdString();
        if (!pulse->isRunning()) {
            ASSERT_TRUE(pulse->restart()) << pulse->error().toStdString();
        }
        ASSERT_TRUE(pulse->pactl({QStringLiteral("set-default-sink"), QStringLiteral("speakers")}));
    }

    // A monitor on the test's server; its retries run on virtual time.
    std::unique_ptr<AudioDeviceMonitor> makeMonitor(const QString& server) {
        auto source = std::make_unique<PulseAudioOutputSource>(time, server);
        sourceOf = source.get();
        auto monitor = std::make_unique<AudioDeviceMonitor>(std::move(source));
        monitor->onChange = [this](const AudioOutputDevice& device) { reports << device; };
        return monitor;
    }
    bool switchTo(const QString& sink) {
        return pulse->pactl({QStringLiteral("set-default-sink"), sink});
    }
    bool waitForReports(qsizetype count) {
        return QTest::qWaitFor([&] { return reports.size() >= count; }, kWaitMs);
    }
    // Runs the pending reconnection attempts until the source is connected.
    bool reconnect() {
        return QTest::qWaitFor(
            [&] {
                if (sourceOf->pendingRetryDelay())
                    time.advance(*sourceOf->pendingRetryDelay());
                return sourceOf->isConnected();
            },
            kWaitMs);
    }

    PulseAudioOutputSource* sourceOf = nullptr;
    QList<AudioOutputDevice> reports;
};

} // namespace

TEST_F(AudioDeviceMonitorTest, EachNewDefaultSinkIsReportedWithItsSymbolAndTheFirstIsNot) {
    auto monitor = makeMonitor(pulse->serverAddress());
    monitor->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->current().has_value(); }, kWaitMs));
    const AudioOutputDevice builtIn = *monitor->current();
    EXPECT_EQ(builtIn.name, QStringLiteral("Built-in Audio"));
    EXPECT_EQ(builtIn.transport, transport::builtIn);
    EXPECT_NE(builtIn.id, 0u);

    const struct {
        const char* sink;
        const char* name; // nullptr: any name but an empty one
        std::uint32_t transport;
        const char* symbol;
    } steps[] = {
        {"airpods", "AirPods Pro", transport::bluetooth, "airpodspro"},
        {"display", "DELL U2720Q", transport::hdmi, "tv"},
        {"dac", "Scarlett 2i2", transport::usb, "speaker.wave.2.fill"},
        {"bare", nullptr, 0, "speaker.wave.2.fill"},
        {"speakers", "Built-in Audio", transport::builtIn, "laptopcomputer"},
        {"airpods", "AirPods Pro", transport::bluetooth, "airpodspro"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.sink);
        const qsizetype before = reports.size();
        ASSERT_TRUE(switchTo(QString::fromLatin1(step.sink)));
        ASSERT_TRUE(waitForReports(before + 1));
        const AudioOutputDevice& device = reports.last();
        if (step.name) {
            EXPECT_EQ(device.name, QString::fromUtf8(step.name));
        }
        EXPECT_FALSE(device.name.trimmed().isEmpty());
        EXPECT_EQ(device.transport, step.transport);
        EXPECT_EQ(device.symbol(), QString::fromLatin1(step.symbol));
        EXPECT_EQ(monitor->current(), device);
    }
    // A device keeps its id: the speakers again are the speakers of start.
    EXPECT_EQ(reports[4].id, builtIn.id);
    EXPECT_EQ(reports[0].id, reports[5].id);

    // The same device changing its volume, or the default set to itself, is
    // no new device; the next real switch is the next report.
    ASSERT_TRUE(pulse->pactl(
        {QStringLiteral("set-sink-volume"), QStringLiteral("airpods"), QStringLiteral("50%")}));
    ASSERT_TRUE(switchTo(QStringLiteral("airpods")));
    ASSERT_TRUE(switchTo(QStringLiteral("speakers")));
    ASSERT_TRUE(waitForReports(7));
    QTest::qWait(200);
    EXPECT_EQ(reports.size(), 7);
    EXPECT_EQ(reports.last().name, QStringLiteral("Built-in Audio"));
}

TEST_F(AudioDeviceMonitorTest, UnusualSinkDescriptionsStillGiveANamedDevice) {
    auto monitor = makeMonitor(pulse->serverAddress());
    monitor->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->current().has_value(); }, kWaitMs));
    const QString longName(10000, u'A');
    ASSERT_TRUE(pulse->pactl({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                              QStringLiteral("sink_name=long"),
                              QStringLiteral("sink_properties=device.description=") + longName}));
    ASSERT_TRUE(switchTo(QStringLiteral("long")));
    ASSERT_TRUE(waitForReports(1));
    EXPECT_EQ(reports.last().name, longName);
    EXPECT_EQ(reports.last().symbol(), QStringLiteral("speaker.wave.2.fill"));

    // No description at all: the fallback name, in the language of the moment.
    ASSERT_TRUE(pulse->pactl({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                              QStringLiteral("sink_name=nameless"),
                              QStringLiteral("sink_properties=device.description=''")}));
    ASSERT_TRUE(switchTo(QStringLiteral("nameless")));
    ASSERT_TRUE(waitForReports(2));
    EXPECT_EQ(reports.last().name, QStringLiteral("Audio output"));
    ASSERT_TRUE(switchTo(QStringLiteral("speakers")));
    ASSERT_TRUE(waitForReports(3));
    {
        TurkishLanguage turkish;
        ASSERT_TRUE(switchTo(QStringLiteral("nameless")));
        ASSERT_TRUE(waitForReports(4));
    }
    EXPECT_EQ(reports.last().name, QStringLiteral("Ses çıkışı"));
    EXPECT_EQ(reports.last().id, reports[1].id);
}

TEST_F(AudioDeviceMonitorTest, WithoutAServerTheMonitorIsQuietAndRetriesEverLessOften) {
    auto monitor = makeMonitor(QStringLiteral("unix:") + testRoot() + QStringLiteral("/no-server"));
    monitor->start();
    QTest::qWait(100);
    EXPECT_FALSE(monitor->current());
    EXPECT_FALSE(sourceOf->isConnected());
    std::vector<std::chrono::milliseconds> delays;
    for (int i = 0; i < 9 && sourceOf->pendingRetryDelay(); ++i) {
        delays.push_back(*sourceOf->pendingRetryDelay());
        time.advance(delays.back());
        QCoreApplication::processEvents();
    }
    const std::vector<std::chrono::milliseconds> expected{1s, 2s, 4s, 8s, 16s, 32s, 60s, 60s, 60s};
    EXPECT_EQ(delays, expected);
    EXPECT_EQ(sourceOf->connectionAttempts(), 10);
    // Only the next attempt is ever pending.
    EXPECT_EQ(time.pendingCount(), 1u);
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_FALSE(monitor->current());
}

TEST_F(AudioDeviceMonitorTest, AServerThatGoesAwayAndComesBackIsFoundAgain) {
    auto monitor = makeMonitor(pulse->serverAddress());
    monitor->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sourceOf->isConnected(); }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->current().has_value(); }, kWaitMs));
    const AudioOutputDevice before = *monitor->current();

    pulse->stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sourceOf->isConnected(); }, kWaitMs));
    EXPECT_EQ(monitor->current(), before);
    ASSERT_TRUE(pulse->restart());
    ASSERT_TRUE(reconnect());
    // Back with the same default device: nothing to report.
    ASSERT_TRUE(switchTo(QStringLiteral("airpods")));
    ASSERT_TRUE(waitForReports(1));
    EXPECT_EQ(reports.size(), 1);
    EXPECT_EQ(reports.first().name, QStringLiteral("AirPods Pro"));
}

TEST_F(AudioDeviceMonitorTest, AServerThatComesOnlyAfterStartSetsTheBaselineWithoutANotice) {
    pulse->stop();
    auto monitor = makeMonitor(pulse->serverAddress());
    monitor->start();
    QTest::qWait(100);
    EXPECT_FALSE(sourceOf->isConnected());
    ASSERT_TRUE(pulse->restart());
    ASSERT_TRUE(reconnect());
    ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->current().has_value(); }, kWaitMs));
    EXPECT_EQ(monitor->current()->name, QStringLiteral("Built-in Audio"));
    EXPECT_TRUE(reports.isEmpty());
    ASSERT_TRUE(switchTo(QStringLiteral("display")));
    ASSERT_TRUE(waitForReports(1));
    EXPECT_EQ(reports.first().symbol(), QStringLiteral("tv"));
}

TEST_F(AudioDeviceMonitorTest, TheModelShowsTheNewDeviceOnlyWhileNotOpen) {
    model->audio().setSource(
        std::make_unique<PulseAudioOutputSource>(time, pulse->serverAddress()));
    model->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->audio().current().has_value(); }, kWaitMs));
    EXPECT_FALSE(model->hud());

    ASSERT_TRUE(switchTo(QStringLiteral("airpods")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->hud().has_value(); }, kWaitMs));
    EXPECT_EQ(model->hud()->symbol, QStringLiteral("airpodspro"));
    EXPECT_EQ(model->hud()->tint, kLightBlue);
    EXPECT_EQ(model->hud()->title, QStringLiteral("AirPods Pro"));
    EXPECT_EQ(model->hud()->trailing, QStringLiteral("Connected"));

    model->open();
    ASSERT_FALSE(model->hud());
    ASSERT_TRUE(switchTo(QStringLiteral("speakers")));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return model->audio().current()->name == QStringLiteral("Built-in Audio"); },
        kWaitMs));
    EXPECT_FALSE(model->hud());
    model->close();
    EXPECT_FALSE(model->hud());
}
