#include "window/HotKeyManager.h"
#include "FakeDesktop.h"
#include "model/ModelFixture.h"

namespace zelvik::test {
namespace {

TEST(HotKeyManagerTest, RegisteringTwiceGrabsOnceAndTheHandlerIsInstalledOnce) {
    FakeShortcut shortcut;
    HotKeyManager manager(&shortcut);
    int presses = 0;
    manager.onPress = [&] { ++presses; };
    manager.registerHotKey();
    manager.registerHotKey();
    EXPECT_EQ(shortcut.grabs, 1);
    EXPECT_TRUE(manager.isRegistered());
    shortcut.press();
    EXPECT_EQ(presses, 1);

    manager.unregisterHotKey();
    manager.unregisterHotKey();
    EXPECT_EQ(shortcut.ungrabs, 1);
    EXPECT_FALSE(manager.isRegistered());
    manager.registerHotKey();
    EXPECT_EQ(shortcut.grabs, 2);
    EXPECT_EQ(shortcut.installs, 1);
    EXPECT_TRUE(manager.isHandlerInstalled());
}

TEST(HotKeyManagerTest, ARefusedGrabIsSilentAndTriedAgain) {
    FakeShortcut shortcut;
    HotKeyManager manager(&shortcut);
    shortcut.refuse = true;
    manager.registerHotKey();
    EXPECT_FALSE(manager.isRegistered());
    manager.unregisterHotKey();
    EXPECT_EQ(shortcut.ungrabs, 0);
    shortcut.refuse = false;
    manager.registerHotKey();
    EXPECT_TRUE(manager.isRegistered());
    EXPECT_EQ(shortcut.grabs, 2);
}

TEST(HotKeyManagerTest, APressAfterTheManagerIsGoneDoesNothing) {
    FakeShortcut shortcut;
    int presses = 0;
    {
        HotKeyManager manager(&shortcut);
        manager.onPress = [&] { ++presses; };
        manager.registerHotKey();
    }
    shortcut.press();
    EXPECT_EQ(presses, 0);
}

class HotKeyModelTest : public ModelFixture {
protected:
    FakeShortcut shortcut;
};

TEST_F(HotKeyModelTest, TheShortcutTogglesTheNotchAndFollowsItsSetting) {
    model->hotKey().setShortcut(&shortcut);
    model->start();
    EXPECT_TRUE(shortcut.held);
    shortcut.press();
    EXPECT_EQ(model->status(), NotchStatus::open);
    shortcut.press();
    EXPECT_EQ(model->status(), NotchStatus::closed);
    model->hover(true);
    ASSERT_EQ(model->status(), NotchStatus::peeking);
    shortcut.press();
    EXPECT_EQ(model->status(), NotchStatus::open);

    settings.setHotKeyEnabled(false);
    EXPECT_FALSE(shortcut.held);
    EXPECT_FALSE(model->hotKey().isRegistered());
    settings.setHotKeyEnabled(true);
    EXPECT_TRUE(shortcut.held);
    EXPECT_EQ(shortcut.installs, 1);
    EXPECT_EQ(shortcut.grabs, 2);
}

TEST_F(HotKeyModelTest, StartingWithTheShortcutOffTakesNoKey) {
    settings.setHotKeyEnabled(false);
    model->hotKey().setShortcut(&shortcut);
    model->start();
    EXPECT_EQ(shortcut.grabs, 0);
}

} // namespace
} // namespace zelvik::test
