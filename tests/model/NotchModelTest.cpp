#include "ModelFixture.h"

#include <QSignalSpy>

#include <limits>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class NotchModelTest : public ModelFixture {
protected:
    QList<NotchStatus> statuses;
    int closedCalls = 0;

    void SetUp() override {
        QObject::connect(model.get(), &NotchModel::statusChanged,
                         [this] { statuses << model->status(); });
        model->onClosed = [this] { ++closedCalls; };
    }
};

} // namespace

TEST_F(NotchModelTest, PointerInAndOutWithinTheHoverDelayNeverOpens) {
    model->hover(true);
    EXPECT_EQ(model->status(), NotchStatus::peeking);
    time.advanceMs(179);
    model->hover(false);
    time.advanceSeconds(5);
    EXPECT_EQ(statuses, (QList{NotchStatus::peeking, NotchStatus::closed}));
    EXPECT_EQ(closedCalls, 0);
    EXPECT_EQ(haptics.count, 1);
}

TEST_F(NotchModelTest, RestingPointerOpensExactlyAfterTheHoverDelay) {
    settings.setDefaultTab(DefaultTabOption::shelf);
    model->hover(true);
    time.advanceMs(179);
    EXPECT_EQ(model->status(), NotchStatus::peeking);
    time.advanceMs(1);
    EXPECT_EQ(model->status(), NotchStatus::open);
    EXPECT_EQ(model->tab(), ZelvikPanel::shelf);
    EXPECT_EQ(haptics.count, 2); // peeking and opening
}

TEST_F(NotchModelTest, WithoutOpenOnHoverItStaysPeekingUntilThePointerLeaves) {
    settings.setOpenOnHover(false);
    model->hover(true);
    time.advanceSeconds(60);
    EXPECT_EQ(model->status(), NotchStatus::peeking);
    EXPECT_EQ(time.pendingCount(), 0u);
    model->hover(false);
    EXPECT_EQ(model->status(), NotchStatus::closed);
    EXPECT_EQ(closedCalls, 0);
}

TEST_F(NotchModelTest, LeavingTheOpenNotchClosesAfterTheCloseDelayUnlessThePointerReturns) {
    model->hover(true);
    time.advanceMs(180);
    ASSERT_EQ(model->status(), NotchStatus::open);

    model->hover(false);
    time.advanceMs(200);
    model->hover(true);
    time.advanceSeconds(10);
    EXPECT_EQ(model->status(), NotchStatus::open);

    model->hover(false);
    time.advanceMs(279);
    EXPECT_EQ(model->status(), NotchStatus::open);
    time.advanceMs(1);
    EXPECT_EQ(model->status(), NotchStatus::closed);
    EXPECT_EQ(closedCalls, 1);
}

TEST_F(NotchModelTest, RepeatedInsideReportsOnlyCancelThePendingClose) {
    model->hover(true);
    model->hover(true);
    EXPECT_EQ(haptics.count, 1);
    EXPECT_EQ(time.pendingCount(), 1u);
    time.advanceMs(180);
    EXPECT_EQ(model->status(), NotchStatus::open);
}

TEST_F(NotchModelTest, ADragOpensAtOnceWithoutPeeking) {
    model->hover(true, /*immediate=*/true);
    EXPECT_EQ(statuses, QList{NotchStatus::open});
    EXPECT_TRUE(model->pointerInside());
}

TEST_F(NotchModelTest, OpeningOnATabWhileOpenOnlySwitchesTheTab) {
    model->open(ZelvikPanel::shelf);
    const int ticks = haptics.count;
    HUDEvent notice;
    QSignalSpy hudSpy(model.get(), &NotchModel::hudChanged);
    model->open(ZelvikPanel::music);
    EXPECT_EQ(model->tab(), ZelvikPanel::music);
    EXPECT_EQ(haptics.count, ticks);
    EXPECT_EQ(hudSpy.count(), 0);
    EXPECT_EQ(statuses, QList{NotchStatus::open});
}

TEST_F(NotchModelTest, DefaultTabRule) {
    model->open(ZelvikPanel::shelf);
    model->close();
    model->open();
    EXPECT_EQ(model->tab(), ZelvikPanel::shelf); // "last" keeps the tab

    settings.setDefaultTab(DefaultTabOption::focus);
    model->close();
    model->setTab(ZelvikPanel::music);
    model->open();
    EXPECT_EQ(model->tab(), ZelvikPanel::focus);
    model->close();
    model->setTab(ZelvikPanel::shelf);
    model->toggle();
    EXPECT_EQ(model->tab(), ZelvikPanel::focus);
}

TEST_F(NotchModelTest, OpeningClearsTheNoticeAndRefreshesTheSongPosition) {
    auto* music = new ScriptedMusic;
    model->setMusic(music);
    HUDEvent notice;
    notice.title = QStringLiteral("Charging");
    model->setHud(notice);
    model->open();
    EXPECT_FALSE(model->hud().has_value());
    EXPECT_EQ(music->refreshes, 0); // on the next main-loop turn, not inside open
    time.advanceMs(0);
    EXPECT_EQ(music->refreshes, 1);
}

TEST_F(NotchModelTest, CloseAlwaysRunsOnClosedAndDropsTheDropTarget) {
    model->setIsDropTargeted(true);
    model->close();
    EXPECT_EQ(closedCalls, 1);
    EXPECT_FALSE(model->isDropTargeted());
    EXPECT_TRUE(statuses.isEmpty());
}

TEST_F(NotchModelTest, ToggleFollowsTheStatusAndLeavesPointerStateAlone) {
    model->toggle();
    EXPECT_EQ(model->status(), NotchStatus::open);
    EXPECT_FALSE(model->pointerInside());
    model->hover(false); // pointer was never inside: no delayed close
    time.advanceSeconds(5);
    EXPECT_EQ(model->status(), NotchStatus::open);
    model->toggle();
    EXPECT_EQ(model->status(), NotchStatus::closed);
}

TEST_F(NotchModelTest, HeaderActionRepeatGuard) {
    model->open(ZelvikPanel::focus);
    model->headerAction(QStringLiteral("tab.shelf"));
    EXPECT_EQ(model->tab(), ZelvikPanel::shelf);
    model->setTab(ZelvikPanel::focus);
    time.advanceSeconds(0.5);
    model->headerAction(QStringLiteral("tab.shelf")); // same action 0.5 s later: dropped
    EXPECT_EQ(model->tab(), ZelvikPanel::focus);
    time.advanceSeconds(0.1);
    model->headerAction(QStringLiteral("tab.shelf")); // 0.6 s after the first: runs
    EXPECT_EQ(model->tab(), ZelvikPanel::shelf);

    model->headerAction(QStringLiteral("tab.music"));
    time.advanceSeconds(0.1);
    model->headerAction(QStringLiteral("tab.shelf"));
    EXPECT_EQ(model->tab(), ZelvikPanel::shelf);
}

TEST_F(NotchModelTest, UnknownTabActionsAreRecordedButDoNothing) {
    model->open(ZelvikPanel::music);
    const int ticks = haptics.count;
    model->headerAction(QStringLiteral("tab."));
    model->headerAction(QStringLiteral("tab.Shelf"));
    EXPECT_EQ(model->tab(), ZelvikPanel::music);
    EXPECT_EQ(haptics.count, ticks);
    // "tab." was recorded: a second one right away is a repeat, but a real tab is not.
    model->headerAction(QStringLiteral("tab.focus"));
    EXPECT_EQ(model->tab(), ZelvikPanel::focus);
    EXPECT_EQ(haptics.count, ticks + 1);
}

TEST_F(NotchModelTest, HeaderGuardSurvivesAClockSetBackwards) {
    model->headerAction(QStringLiteral("tab.shelf"));
    model->setTab(ZelvikPanel::music);
    time.setWallTime(time.now() - 3600);
    model->headerAction(QStringLiteral("tab.shelf"));
    EXPECT_EQ(model->tab(), ZelvikPanel::shelf);
}

TEST_F(NotchModelTest, SettingsAndTrashHeaderActions) {
    MemoryShelf shelf;
    ShelfItem item;
    item.title = QStringLiteral("a.txt");
    shelf.items = {item};
    model->setShelfStorage(&shelf);
    model->start();
    EXPECT_EQ(model->shelf().size(), 1);

    int settingsShown = 0;
    model->onShowSettings = [&] { ++settingsShown; };
    model->open();
    model->headerAction(QStringLiteral("settings"));
    EXPECT_EQ(model->status(), NotchStatus::closed);
    EXPECT_EQ(settingsShown, 1);
    EXPECT_EQ(closedCalls, 1);

    model->headerAction(QStringLiteral("trash"));
    EXPECT_EQ(shelf.removeAllCalls, 1);
    EXPECT_TRUE(model->shelf().isEmpty());
}

TEST_F(NotchModelTest, AutoClearRunsOnStartAndOnEveryOpeningWhenEnabled) {
    MemoryShelf shelf;
    model->setShelfStorage(&shelf);
    model->start();
    model->open();
    EXPECT_TRUE(shelf.clearedDays.isEmpty());
    model->close();
    settings.setShelfAutoClear(ShelfAutoClear::week);
    model->open();
    EXPECT_EQ(shelf.clearedDays, QList{7});
}

TEST_F(NotchModelTest, StoredDelaysOutsideAnySensibleRangeAreClamped) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double stored;
        long long expectedMs;
    } cases[] = {{-50, 0},       {nan, 180},   {inf, 10000},    {-inf, 0},
                 {1e300, 10000}, {250.9, 250}, {9.3e18, 10000}, {0, 0}};
    for (const auto& c : cases) {
        settings.setHoverDelay(c.stored);
        EXPECT_EQ(model->hoverDelay().count(), c.expectedMs) << c.stored;
        settings.setCloseDelay(c.stored);
        EXPECT_EQ(model->closeDelay().count(), c.stored != c.stored ? 280 : c.expectedMs)
            << c.stored;
    }

    settings.setHoverDelay(inf);
    model->hover(true);
    time.advanceMs(9999);
    EXPECT_EQ(model->status(), NotchStatus::peeking);
    time.advanceMs(1);
    EXPECT_EQ(model->status(), NotchStatus::open);
}

TEST_F(NotchModelTest, FocusCountdownOutranksMusicInTheWings) {
    auto* music = new ScriptedMusic;
    model->setMusic(music);
    EXPECT_FALSE(model->closedActivity().has_value());
    music->set(true, QStringLiteral("One"));
    EXPECT_EQ(model->closedActivity(), ClosedActivity::music);

    FocusState running;
    running.endDate = time.now() + 600;
    model->setFocus(running);
    EXPECT_EQ(model->closedActivity(), ClosedActivity::focus);
    EXPECT_EQ(model->closedActivityName(), QStringLiteral("focus"));

    FocusState paused;
    paused.pausedRemaining = 300;
    model->setFocus(paused);
    EXPECT_EQ(model->closedActivity(), ClosedActivity::music);

    music->set(true, QString()); // no title, no wings
    EXPECT_FALSE(model->closedActivity().has_value());
    music->set(true, QStringLiteral("Two"));
    settings.setShowMusicActivity(false);
    EXPECT_FALSE(model->closedActivity().has_value());
}
