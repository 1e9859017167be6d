#include "ModelFixture.h"

using namespace zelvik;
using namespace zelvik::test;

namespace {

class SwipeTest : public ModelFixture {
protected:
    ScriptedMusic* music = new ScriptedMusic;

    void SetUp() override {
        model->setMusic(music);
        music->set(true, QStringLiteral("So What"));
    }
};

} // namespace

TEST_F(SwipeTest, LeftSwipeSendsNextTrackOncePerGesture) {
    model->swipe(true, false, -20, 1);
    model->swipe(false, false, -20, -2);
    EXPECT_TRUE(music->sent.isEmpty());
    model->swipe(false, false, -15, 0);
    EXPECT_EQ(music->sent, QStringList{"next track"});
    EXPECT_EQ(haptics.count, 1);
    model->swipe(false, false, -80, 0);
    model->swipe(false, false, 200, 0);
    model->swipe(false, true, 0, 0);
    EXPECT_EQ(music->sent, QStringList{"next track"});
    EXPECT_EQ(haptics.count, 1);
}

TEST_F(SwipeTest, TheThresholdIsStrict) {
    model->swipe(true, false, 25, 0);
    model->swipe(false, false, 25, 0);
    EXPECT_TRUE(music->sent.isEmpty());
    model->swipe(false, false, 0.5, 0);
    EXPECT_EQ(music->sent, QStringList{"previous track"});

    model->swipe(true, false, -50, 0);
    EXPECT_EQ(music->sent.size(), 1);
}

TEST_F(SwipeTest, DiagonalAndVerticalEventsAddNothingButKeepTheSum) {
    model->swipe(true, false, 40, 0);
    model->swipe(false, false, 30, 30);
    model->swipe(false, false, 5, -90);
    EXPECT_TRUE(music->sent.isEmpty());
    model->swipe(false, false, 11, 0);
    EXPECT_EQ(music->sent, QStringList{"previous track"});
}

TEST_F(SwipeTest, NothingIsSentOrSummedWhileOpenOrWithoutASong) {
    model->open(std::nullopt);
    model->swipe(true, false, -60, 0);
    model->close();
    model->swipe(false, false, -20, 0);
    EXPECT_TRUE(music->sent.isEmpty());

    music->set(false, QString());
    model->swipe(true, false, -60, 0);
    music->set(true, QStringLiteral("So What"));
    model->swipe(false, false, -20, 0);
    EXPECT_TRUE(music->sent.isEmpty());

    settings.setSwipeToSkip(false);
    model->swipe(true, false, -80, 0);
    EXPECT_TRUE(music->sent.isEmpty());
}

TEST_F(SwipeTest, AnEventThatBeginsAndEndsFiresAndResets) {
    model->swipe(true, true, -60, 0);
    EXPECT_EQ(music->sent, QStringList{"next track"});
    // The gesture was reset by the same event, so the next one fires again.
    model->swipe(false, false, -51, 0);
    EXPECT_EQ(music->sent, (QStringList{"next track", "next track"}));
}

TEST_F(SwipeTest, AStopEarlyLeavesTheFieldsForTheNextGestureToReset) {
    model->swipe(true, false, -30, 0);
    model->open(std::nullopt);
    model->swipe(false, true, 0, 0); // ignored while open: no reset
    model->close();
    model->swipe(false, false, -25, 0);
    EXPECT_EQ(music->sent, QStringList{"next track"});
}
