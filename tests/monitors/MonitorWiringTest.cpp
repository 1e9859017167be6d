// The model's start wires the battery and the screenshot watcher into its
// notices and the shelf: a fake power-supply folder and real inotify.
#include "FakePowerSupplies.h"
#include "model/HUDProducers.h"
#include "model/ModelFixture.h"
#include "monitors/BatteryMonitor.h"
#include "monitors/ScreenshotWatcher.h"
#include "platform/linux/InotifyScreenshotQuery.h"
#include "platform/linux/SysfsPowerSourceReader.h"
#include "shelf/ShelfActions.h"
#include "shelf/ShelfStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvik;
using namespace zelvik::test;
using namespace std::chrono_literals;

namespace {

class MonitorWiringTest : public ModelFixture {
protected:
    void SetUp() override {
        supplies.laptop(50, true);
        model->battery().setReader(std::make_unique<SysfsPowerSourceReader>(time, supplies.root()));
        model->screenshots().setQueryFactory([this] {
            return std::make_unique<InotifyScreenshotQuery>(QStringList{pictures.path()});
        });
        model->setShelfStorage(&store);
        model->setShelfActions(&actions);
    }
    // The battery as the next minute's re-read finds it.
    void battery(int level, bool plugged) {
        supplies.laptop(level, plugged);
        time.advance(1min);
    }
    QString hudTitle() const { return model->hud() ? model->hud()->title : QString(); }
    QString saveScreenshot(const QString& name) {
        QFile file(pictures.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("png");
        return file.fileName();
    }

    FakePowerSupplies supplies;
    QTemporaryDir pictures{testRoot() + QStringLiteral("/pictures-XXXXXX")};
    ShelfStore store{time, testRoot() + QStringLiteral("/data/wiring-shelf-") +
                               QString::number(QDateTime::currentMSecsSinceEpoch())};
    ShelfActions actions{store, nullptr};
};

} // namespace

TEST_F(MonitorWiringTest, BatteryEventsBecomeNoticesUnlessOpenOrSwitchedOff) {
    model->start();
    EXPECT_TRUE(model->battery().didRead());
    EXPECT_FALSE(model->hud()); // the first read is the baseline

    battery(50, false);
    EXPECT_EQ(hudTitle(), QStringLiteral("On battery power"));
    EXPECT_EQ(model->hud()->trailing, QStringLiteral("50%"));

    // The threshold is read from the setting at each read.
    settings.setLowBatteryThreshold(45);
    battery(45, false);
    EXPECT_EQ(hudTitle(), QStringLiteral("Battery low"));
    EXPECT_EQ(model->hud()->trailing, QStringLiteral("45%"));

    model->open();
    battery(44, true);
    EXPECT_FALSE(model->hud());
    model->close();
    EXPECT_FALSE(model->hud());

    settings.setShowBatteryHUD(false);
    battery(44, false);
    EXPECT_FALSE(model->hud());
    settings.setShowBatteryHUD(true);
    battery(44, true);
    EXPECT_EQ(hudTitle(), QStringLiteral("Charging"));
}

TEST_F(MonitorWiringTest, ScreenshotsGoToTheShelfWithANoticeWhileTheSettingIsOn) {
    saveScreenshot(QStringLiteral("Screenshot old.png"));
    settings.setScreenshotsToShelf(true);
    model->start();
    EXPECT_TRUE(model->screenshots().isWatching());

    const QString shot = saveScreenshot(QStringLiteral("Screenshot from 2024-05-01 10-20-30.png"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->shelf().size() == 1; }, 20000));
    EXPECT_EQ(model->shelf().first().externalPath, shot);
    EXPECT_EQ(hudTitle(), QStringLiteral("Screenshot added to the shelf"));
    EXPECT_EQ(model->hud()->tint, kLightBlue);

    settings.setScreenshotsToShelf(false);
    EXPECT_FALSE(model->screenshots().isWatching());
    saveScreenshot(QStringLiteral("Screenshot while off.png"));
    QTest::qWait(100);
    settings.setScreenshotsToShelf(true);
    saveScreenshot(QStringLiteral("Screenshot back on.png"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->shelf().size() == 2; }, 20000));
    QTest::qWait(100);
    EXPECT_EQ(model->shelf().size(), 2);
}
