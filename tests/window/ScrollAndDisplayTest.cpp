#include "support/VirtualTime.h"
#include "window/DisplayNumber.h"
#include "window/ScreenOptions.h"
#include "window/ScrollGestureGrouper.h"

#include "settings/AppLanguage.h"
#include "settings/DefaultsStore.h"

#include <gtest/gtest.h>

namespace zelvik::test {
namespace {

TEST(ScrollGestureGrouperTest, ABurstOfStepsIsOneGestureEndedByAPause) {
    VirtualTime time;
    std::vector<ScrollEvent> events;
    ScrollGestureGrouper grouper(time, [&](const ScrollEvent& e) { events.push_back(e); });
    grouper.step(-10, 0);
    time.advanceMs(200);
    grouper.step(-12, 1);
    time.advanceMs(249);
    EXPECT_EQ(events.size(), 2u);
    time.advanceMs(1);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_TRUE(events[0].began);
    EXPECT_DOUBLE_EQ(events[0].deltaX, -10);
    EXPECT_FALSE(events[1].began);
    EXPECT_FALSE(events[1].ended);
    EXPECT_DOUBLE_EQ(events[1].deltaY, 1);
    EXPECT_TRUE(events[2].ended);
    EXPECT_DOUBLE_EQ(events[2].deltaX, 0);
    EXPECT_FALSE(grouper.inGesture());
    grouper.step(5, 0);
    EXPECT_TRUE(events.back().began);
}

TEST(DisplayNumberTest, IsTheFnv1aHashOfTheConnectorName) {
    EXPECT_EQ(displayNumberForConnector(""), 0x811c9dc5u);
    EXPECT_EQ(displayNumberForConnector("a"), 0xe40c292cu);
    EXPECT_EQ(displayNumberForConnector("foobar"), 0xbf9cf968u);
    EXPECT_NE(displayNumberForConnector("HDMI-1"), displayNumberForConnector("HDMI-2"));
}

TEST(ScreenOptionsTest, NamesEachNumberedScreenAndMarksNotches) {
    DefaultsStore::standard().setValue(QStringLiteral("appLanguage"), QStringLiteral("tr"));
    ScreenDescription notched;
    notched.name = QStringLiteral("eDP-1");
    notched.topInset = 32;
    notched.displayNumber = 9;
    ScreenDescription unnamed;
    unnamed.name = QStringLiteral("X");
    ScreenDescription plain;
    plain.name = QStringLiteral("HDMI-1");
    plain.displayNumber = 4;
    const auto options = screenOptions({notched, unnamed, plain});
    DefaultsStore::standard().remove(QStringLiteral("appLanguage"));
    ASSERT_EQ(options.size(), 2);
    EXPECT_EQ(options[0].title, QStringLiteral("eDP-1 (notch'lu)"));
    EXPECT_EQ(options[0].mode, NotchDisplayMode::specific(9));
    EXPECT_EQ(options[1].title, QStringLiteral("HDMI-1"));
    EXPECT_EQ(options[1].mode, NotchDisplayMode::specific(4));
}

} // namespace
} // namespace zelvik::test
