// The screenshot watcher on real inotify: a temporary home with Pictures,
// Pictures/Screenshots and Desktop, written to and rearranged by the test.
#include "monitors/ScreenshotWatcher.h"
#include "platform/linux/InotifyScreenshotQuery.h"
#include "platform/linux/ScreenshotNaming.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;

TEST(ScreenshotNaming, DesktopToolsNamesInTheirLanguagesAreScreenshots) {
    const struct {
        const char* name;
        bool screenshot;
    } cases[] = {
        {"Screenshot from 2024-05-01 10-20-30.png", true},
        {"Screenshot From 2024-05-01 10-20-30.png", true},
        {"Screenshot 2024-05-01 at 10.20.30.png", true},
        {"Screenshot_20240501_102030.png", true},
        {"Screenshot_2024-05-01_10-20-30.JPG", true},
        {"screenshot.webp", true},
        {"Ekran görüntüsü 2024-05-01 10-20-30.png", true},
        {"Ekran Görüntüsü - 2024-05-01.png", true},
        {"Bildschirmfoto vom 2024-05-01 10-20-30.png", true},
        {"Capture d’écran du 2024-05-01 10-20-30.png", true},
        {"holiday.png", false},
        {"Screenshot notes.txt", false},
        {"Screenshot from 2024-05-01 10-20-30.png.part", false},
        {".Screenshot from 2024-05-01.png", false},
        {"my Screenshot.png", false},
        {"Screenshot", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isScreenshotFileName(QString::fromUtf8(c.name)), c.screenshot) << c.name;
}

namespace {

class ScreenshotWatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        mkdir(pictures);
        mkdir(desktop);
        watcher.onScreenshot = [this](const QUrl& url) {
            EXPECT_TRUE(url.isLocalFile());
            reported << url.toLocalFile();
        };
    }

    QString path(const QString& relative) const { return QDir(home.path()).filePath(relative); }
    static void mkdir(const QString& folder) { ASSERT_TRUE(QDir().mkpath(folder)); }
    static void write(const QString& file, const QByteArray& content = "png") {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Append)) << qPrintable(file);
        f.write(content);
    }
    // A screenshot saved after everything the test did before: once it is
    // reported, every earlier file event has been seen too.
    void saveSentinelIn(const QString& folder) {
        const QString file =
            folder + QStringLiteral("/Screenshot sentinel %1.png").arg(++sentinels);
        write(file);
        ASSERT_TRUE(QTest::qWaitFor([&] { return reported.contains(file); }, 20000))
            << qPrintable(file) << " never reported; got " << qPrintable(reported.join(", "));
        reported.removeAll(file);
    }
    bool waitForReports(qsizetype count) {
        return QTest::qWaitFor([&] { return reported.size() >= count; }, 20000);
    }

    QTemporaryDir home{testRoot() + QStringLiteral("/home-XXXXXX")};
    QString pictures = path(QStringLiteral("Pictures"));
    QString screenshots = path(QStringLiteral("Pictures/Screenshots"));
    QString desktop = path(QStringLiteral("Desktop"));
    int queriesMade = 0;
    ScreenshotWatcher watcher{[this] {
        ++queriesMade;
        return std::make_unique<InotifyScreenshotQuery>(
            QStringList{pictures, screenshots, desktop});
    }};
    QStringList reported;
    int sentinels = 0;
};

} // namespace

TEST_F(ScreenshotWatcherTest, NewScreenshotsAreReportedOnceInOrderAndOldOnesNever) {
    const QString old1 = pictures + QStringLiteral("/Screenshot from 2024-01-01 09-00-00.png");
    const QString old2 = desktop + QStringLiteral("/Screenshot_20240101_090000.png");
    write(old1);
    write(old2);
    watcher.start();

    write(old1, "rewritten");
    const QString first = pictures + QStringLiteral("/Screenshot from 2024-05-01 10-20-30.png");
    const QString second = desktop + QStringLiteral("/Screenshot_20240501_102031.png");
    write(first);
    write(second);
    ASSERT_TRUE(waitForReports(2));
    EXPECT_EQ(reported, (QStringList{first, second}));

    // Not screenshots, a second write of a reported one, an old one again.
    write(pictures + QStringLiteral("/holiday.png"));
    write(pictures + QStringLiteral("/Screenshot notes.txt"));
    write(desktop + QStringLiteral("/.Screenshot hidden.png"));
    write(first, "again");
    write(old2, "again");
    reported.clear();
    saveSentinelIn(desktop);
    EXPECT_TRUE(reported.isEmpty()) << qPrintable(reported.join(", "));

    // Saved elsewhere and moved in: reported once it arrives.
    QTemporaryDir elsewhere(testRoot() + QStringLiteral("/elsewhere-XXXXXX"));
    const QString outside = elsewhere.filePath(QStringLiteral("Screenshot_20240501_110000.png"));
    write(outside);
    const QString movedIn = pictures + QStringLiteral("/Screenshot_20240501_110000.png");
    ASSERT_TRUE(QFile::rename(outside, movedIn));
    ASSERT_TRUE(waitForReports(1));
    EXPECT_EQ(reported, QStringList{movedIn});
}

TEST_F(ScreenshotWatcherTest, StartAndStopTwiceAreHarmlessAndARestartIgnoresWhatExists) {
    watcher.stop();
    watcher.start();
    watcher.start();
    EXPECT_EQ(queriesMade, 1);
    EXPECT_TRUE(watcher.isWatching());
    watcher.stop();
    watcher.stop();
    EXPECT_FALSE(watcher.isWatching());

    const QString whileStopped = pictures + QStringLiteral("/Screenshot while stopped.png");
    write(whileStopped);
    QTest::qWait(50);
    watcher.start();
    EXPECT_EQ(queriesMade, 2);
    write(whileStopped, "touched again");
    saveSentinelIn(pictures);
    EXPECT_TRUE(reported.isEmpty()) << qPrintable(reported.join(", "));
}

TEST_F(ScreenshotWatcherTest, FoldersThatComeGoAndAreReplacedAreFollowed) {
    QDir(desktop).removeRecursively();
    watcher.start();

    // GNOME makes its Screenshots folder with the first screenshot.
    mkdir(screenshots);
    const QString firstInNewFolder =
        screenshots + QStringLiteral("/Screenshot from 2024-05-01.png");
    write(firstInNewFolder);
    ASSERT_TRUE(waitForReports(1));
    EXPECT_EQ(reported, QStringList{firstInNewFolder});
    reported.clear();

    // Removed and made again.
    ASSERT_TRUE(QDir(screenshots).removeRecursively());
    saveSentinelIn(pictures);
    mkdir(screenshots);
    saveSentinelIn(screenshots);

    // A folder full of old screenshots moved in as the Desktop: those are
    // not new.
    QTemporaryDir old(testRoot() + QStringLiteral("/old-desktop-XXXXXX"));
    old.setAutoRemove(false);
    write(old.filePath(QStringLiteral("Screenshot_20200101_000000.png")));
    ASSERT_TRUE(QFile::rename(old.path(), desktop));
    // Events come in order: once this one is in, the Desktop is watched.
    saveSentinelIn(pictures);
    saveSentinelIn(desktop);
    EXPECT_TRUE(reported.isEmpty()) << qPrintable(reported.join(", "));

    // Renamed away: its new name is no screenshot folder.
    const QString renamed = path(QStringLiteral("Pictures/Old screenshots"));
    ASSERT_TRUE(QDir().rename(screenshots, renamed));
    write(renamed + QStringLiteral("/Screenshot after rename.png"));
    saveSentinelIn(pictures);
    EXPECT_TRUE(reported.isEmpty()) << qPrintable(reported.join(", "));

    // Pictures gone altogether: the Desktop goes on; Pictures comes back.
    ASSERT_TRUE(QDir(pictures).removeRecursively());
    saveSentinelIn(desktop);
    mkdir(pictures);
    saveSentinelIn(pictures);
    mkdir(screenshots);
    saveSentinelIn(screenshots);
    EXPECT_TRUE(reported.isEmpty()) << qPrintable(reported.join(", "));
}

TEST_F(ScreenshotWatcherTest, StoppingFromInsideAReportEndsTheBatch) {
    watcher.onScreenshot = [this](const QUrl& url) {
        reported << url.toLocalFile();
        watcher.stop();
    };
    watcher.start();
    // Written before the event loop runs, so both arrive in one read.
    write(pictures + QStringLiteral("/Screenshot 1.png"));
    write(pictures + QStringLiteral("/Screenshot 2.png"));
    ASSERT_TRUE(waitForReports(1));
    QTest::qWait(100);
    EXPECT_EQ(reported.size(), 1);
    EXPECT_FALSE(watcher.isWatching());
}
