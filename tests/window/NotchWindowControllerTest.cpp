#include "window/NotchWindowController.h"
#include "FakeDesktop.h"
#include "model/ModelFixture.h"

namespace zelvik::test {
namespace {

ScreenDescription notchedLaptop() {
    ScreenDescription s;
    s.frame = QRectF(0, 0, 1512, 982);
    s.topInset = 32;
    s.auxiliaryTopLeftArea = QRectF(0, 950, 660, 32);
    s.auxiliaryTopRightArea = QRectF(850, 950, 662, 32);
    s.displayNumber = 1;
    s.statusBarThickness = 32;
    s.name = QStringLiteral("Built-in Retina Display");
    return s;
}

ScreenDescription plainScreen(double x, std::optional<std::uint32_t> number,
                              double statusBar = 22) {
    ScreenDescription s;
    s.frame = QRectF(x, 0, 1920, 1080);
    s.displayNumber = number;
    s.statusBarThickness = statusBar;
    s.name = QStringLiteral("DELL U2720Q");
    return s;
}

class ControllerTest : public ModelFixture {
protected:
    ControllerTest() {
        settings.setHoverDelay(100);
        settings.setCloseDelay(200);
    }

    void show() {
        controller = std::make_unique<NotchWindowController>(*model, desktop, [this] {
            auto surface = std::make_unique<FakeSurface>();
            window = surface.get();
            return surface;
        });
        controller->show();
    }

    // Moves the pointer (y upwards) and reports it as a global move.
    void moveTo(double x, double y, PointerEventType type = PointerEventType::mouseMoved) {
        desktop.pointer = QPointF(x, y);
        desktop.monitor(type);
    }

    FakeDesktop desktop;
    FakeSurface* window = nullptr;
    std::unique_ptr<NotchWindowController> controller;
};

TEST_F(ControllerTest, MeasuresTheCameraNotchAndCentresTheWindowOnIt) {
    EXPECT_EQ(NotchWindowController::measureNotch(notchedLaptop()), QSizeF(190, 32));
    desktop.screenList = {notchedLaptop()};
    model->setHasPhysicalNotch(false);
    show();
    EXPECT_DOUBLE_EQ(controller->notchCenterX(), 755);
    EXPECT_EQ(window->frame(), QRectF(375, 682, 760, 300));
    EXPECT_EQ(model->notchSize(), QSizeF(190, 32));
    EXPECT_TRUE(model->hasPhysicalNotch());
    EXPECT_EQ(controller->currentDisplayID(), 1u);
    EXPECT_GE(window->frontOrders, 1);
    EXPECT_TRUE(window->ignoresMouseEvents());
}

TEST_F(ControllerTest, UsesTheCapsuleOnAScreenWithoutNotch) {
    EXPECT_EQ(NotchWindowController::measureNotch(plainScreen(0, 7, 22)), QSizeF(190, 24));
    EXPECT_EQ(NotchWindowController::measureNotch(plainScreen(0, 7, 30)), QSizeF(190, 30));
    // An inset without the menu bar areas counts as a notch but keeps the capsule.
    ScreenDescription odd = plainScreen(0, 7, 0);
    odd.topInset = 40;
    EXPECT_EQ(NotchWindowController::measureNotch(odd), QSizeF(190, 24));
    EXPECT_DOUBLE_EQ(NotchWindowController::notchCenterX(odd), 960);

    desktop.screenList = {plainScreen(100, 7, 22)};
    show();
    EXPECT_EQ(model->notchSize(), QSizeF(190, 24));
    EXPECT_FALSE(model->hasPhysicalNotch());
    EXPECT_DOUBLE_EQ(controller->notchCenterX(), 1060);
    EXPECT_EQ(window->frame(), QRectF(680, 780, 760, 300));
}

TEST_F(ControllerTest, ResolvesEachDisplayMode) {
    const QPointF nowhere(-5000, -5000);
    const QList<ScreenDescription> both{plainScreen(0, 5), notchedLaptop()};
    auto number = [](const std::optional<ScreenDescription>& s) {
        return s ? s->displayNumber : std::optional<std::uint32_t>(999);
    };
    using Mode = NotchDisplayMode;
    EXPECT_EQ(number(NotchWindowController::resolveScreen(Mode::specific(5), both, nowhere)), 5u);
    // An unknown number falls back to the notched screen, else the first one.
    EXPECT_EQ(number(NotchWindowController::resolveScreen(Mode::specific(42), both, nowhere)), 1u);
    const QList<ScreenDescription> plain{plainScreen(0, 5), plainScreen(1920, 6)};
    EXPECT_EQ(number(NotchWindowController::resolveScreen(Mode::specific(42), plain, nowhere)), 5u);
    EXPECT_EQ(number(NotchWindowController::resolveScreen(Mode::builtIn(), both, nowhere)), 1u);
    EXPECT_EQ(number(NotchWindowController::resolveScreen(Mode::primary(), both, nowhere)), 5u);
    EXPECT_FALSE(NotchWindowController::resolveScreen(Mode::primary(), {}, nowhere));
    EXPECT_FALSE(NotchWindowController::resolveScreen(Mode::builtIn(), {}, nowhere));
    // The pointer on the second plain screen; its top pixel row is at max y.
    EXPECT_EQ(number(NotchWindowController::resolveScreen(Mode::mouse(), plain, {2000, 1080})), 6u);
    EXPECT_EQ(number(NotchWindowController::resolveScreen(Mode::mouse(), plain, nowhere)), 5u);
}

TEST_F(ControllerTest, PrimaryWithNoScreensLeavesTheWindowWhereItWas) {
    settings.setDisplayMode(NotchDisplayMode::primary());
    show();
    EXPECT_EQ(window->frameSets, 0);
    EXPECT_EQ(window->frame(), QRectF(0, 0, 760, 300));
    EXPECT_FALSE(controller->currentDisplayID());
    // A screen arriving later is picked up.
    desktop.screenList = {plainScreen(0, 3)};
    desktop.screensChanged();
    EXPECT_EQ(window->frame(), QRectF(580, 780, 760, 300));
}

TEST_F(ControllerTest, TheDisplaySettingMovesTheWindow) {
    desktop.screenList = {plainScreen(0, 5), plainScreen(1920, 6)};
    show();
    EXPECT_EQ(controller->currentDisplayID(), 5u);
    settings.setDisplayMode(NotchDisplayMode::specific(6));
    EXPECT_EQ(controller->currentDisplayID(), 6u);
    EXPECT_EQ(window->frame(), QRectF(1920 + 960 - 380, 780, 760, 300));
}

TEST_F(ControllerTest, MouseModeFollowsThePointerOnlyWhileClosed) {
    desktop.screenList = {plainScreen(0, 5), plainScreen(1920, 6)};
    settings.setDisplayMode(NotchDisplayMode::mouse());
    desktop.pointer = QPointF(100, 500);
    show();
    EXPECT_EQ(controller->currentDisplayID(), 5u);
    // The pointer leaving the screen must be seen at once.
    EXPECT_EQ(desktop.watchBounds, QRectF(0, 0, 1920, 1080));
    moveTo(2500, 500);
    EXPECT_EQ(controller->currentDisplayID(), 6u);
    EXPECT_EQ(desktop.watchBounds, QRectF(1920, 0, 1920, 1080));
    // Peek on the second screen, then cross back: the window stays.
    moveTo(1920 + 960, 1080);
    EXPECT_EQ(model->status(), NotchStatus::peeking);
    EXPECT_EQ(desktop.watchBounds, std::nullopt);
    const int sets = window->frameSets;
    desktop.pointer = QPointF(100, 500);
    controller->handlePointerEvent(PointerEventType::mouseMoved, true);
    // That move left the zone, so the model closed; the next move re-places.
    EXPECT_EQ(window->frameSets, sets);
    EXPECT_EQ(model->status(), NotchStatus::closed);
    moveTo(100, 400);
    EXPECT_EQ(controller->currentDisplayID(), 5u);
}

TEST_F(ControllerTest, ScreensWithoutNumbersCountAsTheSameScreen) {
    desktop.screenList = {plainScreen(0, std::nullopt), plainScreen(1920, std::nullopt)};
    settings.setDisplayMode(NotchDisplayMode::mouse());
    desktop.pointer = QPointF(100, 500);
    show();
    const QRectF first = window->frame();
    moveTo(2500, 500);
    EXPECT_EQ(window->frame(), first);
}

TEST_F(ControllerTest, ZoneFollowsTheShapeAndReachesAboveTheTopEdge) {
    desktop.screenList = {plainScreen(0, 5)};
    show();
    // Closed capsule 190 x 24: zone 230 x 34, plus 4 above the top edge.
    EXPECT_EQ(controller->interactionZone(), QRectF(960 - 115, 1080 - 34, 230, 38));
    moveTo(960, 1080); // top pixel row
    EXPECT_EQ(model->status(), NotchStatus::peeking);
    EXPECT_FALSE(window->ignoresMouseEvents());
    // Peeking widens the zone to 246 x 40.
    EXPECT_EQ(controller->interactionZone(), QRectF(960 - 123, 1080 - 40, 246, 44));
    // Half-open: the right edge is outside, the left edge inside.
    moveTo(960 + 123, 1070);
    EXPECT_EQ(model->status(), NotchStatus::closed);
    EXPECT_TRUE(window->ignoresMouseEvents());
    moveTo(960 - 115, 1070);
    EXPECT_EQ(model->status(), NotchStatus::peeking);
    time.advanceMs(100);
    EXPECT_EQ(model->status(), NotchStatus::open);
    // Open (regular 560 x 184): zone 616 x 202.
    EXPECT_EQ(controller->interactionZone(), QRectF(960 - 308, 1080 - 202, 616, 206));
    // The desktop follows the pointer exactly wherever the zone is now.
    EXPECT_EQ(desktop.watchZone, controller->interactionZone());
    EXPECT_EQ(desktop.watchBounds, std::nullopt);
}

TEST_F(ControllerTest, TheClickThroughFlagChangesOnlyWhenItMustFlip) {
    desktop.screenList = {plainScreen(0, 5)};
    show();
    const int sets = window->ignoreSets;
    moveTo(10, 10);
    moveTo(20, 20);
    EXPECT_EQ(window->ignoreSets, sets);
    moveTo(960, 1075);
    moveTo(961, 1075);
    EXPECT_EQ(window->ignoreSets, sets + 1);
}

TEST_F(ControllerTest, AClickOutsideClosesOnlyTheOpenNotch) {
    desktop.screenList = {plainScreen(0, 5)};
    show();
    moveTo(10, 10, PointerEventType::leftMouseDown);
    EXPECT_EQ(model->status(), NotchStatus::closed);
    model->open();
    moveTo(10, 10, PointerEventType::leftMouseDown);
    EXPECT_EQ(model->status(), NotchStatus::closed);
    // The same click from inside the app's own window (not global) leaves it open.
    model->open();
    desktop.pointer = QPointF(10, 10);
    controller->handlePointerEvent(PointerEventType::leftMouseDown, false);
    EXPECT_EQ(model->status(), NotchStatus::open);
    // Peeking and a click elsewhere: nothing closes by click (the move does).
    model->close();
    moveTo(960, 1075);
    ASSERT_EQ(model->status(), NotchStatus::peeking);
    desktop.pointer = QPointF(960, 1075);
    desktop.monitor(PointerEventType::leftMouseDown);
    EXPECT_EQ(model->status(), NotchStatus::peeking);
}

// A click in one of the program's own windows (the tray icon, the settings
// window) is no click in another application: the open notch stays.
TEST_F(ControllerTest, AClickOnTheProgramsOwnWindowsKeepsTheNotchOpen) {
    desktop.screenList = {plainScreen(0, 5)};
    show();
    model->open();
    desktop.overOwnWindow = true;
    moveTo(1900, 1070, PointerEventType::leftMouseDown);
    EXPECT_EQ(model->status(), NotchStatus::open);
    desktop.overOwnWindow = false;
    moveTo(1900, 1070, PointerEventType::leftMouseDown);
    EXPECT_EQ(model->status(), NotchStatus::closed);
}

// The context menu reaches beyond the zone. While it is open the window
// takes every click and the notch stays as it was under it, even with the
// pointer outside the zone; a click in another application closes the menu
// only; once the menu is gone the click-through rule holds again.
TEST_F(ControllerTest, WhileAPopupIsOpenTheWindowTakesInputAndTheNotchStays) {
    settings.setOpenOnHover(false);
    desktop.screenList = {plainScreen(0, 5)};
    show();
    moveTo(960, 1075);
    ASSERT_EQ(model->status(), NotchStatus::peeking);
    window->setPopupOpen(true);
    // Down to "Quit Zelvik", below the zone, and a click on it.
    moveTo(960, 1000);
    EXPECT_EQ(model->status(), NotchStatus::peeking);
    EXPECT_FALSE(window->ignoresMouseEvents());
    desktop.overOwnWindow = true;
    moveTo(960, 1000, PointerEventType::leftMouseDown);
    EXPECT_EQ(window->popupCloses, 0);
    desktop.overOwnWindow = false;

    // Open under the menu, the notch does not close on a leave either.
    model->open();
    moveTo(300, 300);
    time.advanceMs(1000);
    EXPECT_EQ(model->status(), NotchStatus::open);
    // A click elsewhere: the menu goes, the notch stays open until the
    // pointer's leave closes it as usual.
    moveTo(300, 300, PointerEventType::leftMouseDown);
    EXPECT_EQ(window->popupCloses, 1);
    EXPECT_TRUE(window->ignoresMouseEvents());
    EXPECT_EQ(model->status(), NotchStatus::open);
    time.advanceMs(200);
    EXPECT_EQ(model->status(), NotchStatus::closed);
}

TEST_F(ControllerTest, AFileDragEnteringTheZoneOpensAtOnce) {
    desktop.screenList = {plainScreen(0, 5)};
    show();
    desktop.dragCount = 4;
    moveTo(100, 100, PointerEventType::leftMouseDown);
    // A button-held move without a new drag only peeks.
    moveTo(960, 1075, PointerEventType::leftMouseDragged);
    EXPECT_EQ(model->status(), NotchStatus::peeking);
    moveTo(100, 100, PointerEventType::leftMouseUp);
    moveTo(100, 100, PointerEventType::leftMouseDown);
    desktop.dragCount = 5; // another program started a drag
    moveTo(500, 500, PointerEventType::leftMouseDragged);
    EXPECT_EQ(model->status(), NotchStatus::closed);
    moveTo(960, 1075, PointerEventType::leftMouseDragged);
    EXPECT_EQ(model->status(), NotchStatus::open);
    EXPECT_EQ(controller->dragChangeCount(), 4);
}

TEST_F(ControllerTest, HeaderButtonsRunFromTheirGrownRectangles) {
    desktop.screenList = {plainScreen(0, 5)};
    show();
    // Window frame (580, 780) .. top at 1080.
    model->setHitTargets(QMap<QString, QRectF>{{QStringLiteral("tab.shelf"), {300, 10, 20, 20}},
                                               {QStringLiteral("tab.focus"), {330, 10, 20, 20}}});
    model->open();
    ASSERT_EQ(model->tab(), ZelvikPanel::music);
    // 3 points left of the shelf button's left edge: inside its 4-point outset.
    moveTo(580 + 297, 1080 - 20, PointerEventType::leftMouseDown);
    EXPECT_EQ(model->tab(), ZelvikPanel::shelf);
    time.advanceSeconds(1);
    moveTo(580 + 340, 1080 - 33, PointerEventType::leftMouseDown); // bottom outset
    EXPECT_EQ(model->tab(), ZelvikPanel::focus);
    time.advanceSeconds(1);
    moveTo(580 + 340, 1080 - 35, PointerEventType::leftMouseDown); // below it
    EXPECT_EQ(model->tab(), ZelvikPanel::focus);
    // Closed: the hit test is not consulted.
    model->close();
    moveTo(580 + 310, 1080 - 20, PointerEventType::leftMouseDown);
    EXPECT_EQ(model->tab(), ZelvikPanel::focus);
}

TEST_F(ControllerTest, ScrollsOverTheNotchBecomeSwipes) {
    auto* music = new ScriptedMusic;
    model->setMusic(music);
    music->set(true, QStringLiteral("Song"));
    desktop.screenList = {plainScreen(0, 5)};
    show();
    desktop.pointer = QPointF(960, 1070);
    // Momentum after the fingers lift never counts.
    window->onScroll(ScrollEvent{true, false, false, false, -30, 1});
    window->onScroll(ScrollEvent{false, false, false, true, -30, 1});
    EXPECT_TRUE(music->sent.isEmpty());
    window->onScroll(ScrollEvent{false, false, false, false, -25, 1});
    EXPECT_EQ(music->sent, QStringList{QStringLiteral("next track")});
    // A cancelled gesture ends it; the next one starts afresh.
    window->onScroll(ScrollEvent{false, false, true, false, 0, 0});
    window->onScroll(ScrollEvent{true, false, false, false, 40, 0});
    // Outside the zone nothing reaches the model.
    desktop.pointer = QPointF(10, 10);
    window->onScroll(ScrollEvent{false, false, false, false, 40, 0});
    EXPECT_EQ(music->sent.size(), 1);
    desktop.pointer = QPointF(960, 1070);
    window->onScroll(ScrollEvent{false, true, false, false, 20, 0});
    EXPECT_EQ(music->sent,
              (QStringList{QStringLiteral("next track"), QStringLiteral("previous track")}));
}

TEST_F(ControllerTest, EscapeClosesAndFocusGoesBackAfterTheDelay) {
    desktop.screenList = {plainScreen(0, 5)};
    show();
    model->open();
    window->key = true;
    window->onCancel();
    EXPECT_EQ(model->status(), NotchStatus::closed);
    time.advanceMs(449);
    EXPECT_TRUE(window->key);
    time.advanceMs(1);
    EXPECT_FALSE(window->key);
    EXPECT_EQ(window->resigns, 1);

    // Reopened before the delay ran out: focus stays.
    window->key = true;
    model->close();
    model->open();
    time.advanceSeconds(1);
    EXPECT_TRUE(window->key);
    EXPECT_EQ(window->resigns, 1);
}

TEST_F(ControllerTest, NothingHappensBeforeShowOrAfterTheControllerIsGone) {
    desktop.screenList = {plainScreen(0, 5)};
    NotchWindowController early(*model, desktop, [] { return std::make_unique<FakeSurface>(); });
    desktop.pointer = QPointF(960, 1075);
    early.handlePointerEvent(PointerEventType::mouseMoved, true);
    EXPECT_EQ(model->status(), NotchStatus::closed);

    show();
    auto monitor = desktop.monitor;
    controller.reset();
    monitor(PointerEventType::mouseMoved);
    settings.setDisplayMode(NotchDisplayMode::primary());
    model->close();
    time.advanceSeconds(1);
    EXPECT_EQ(model->status(), NotchStatus::closed);
}

} // namespace
} // namespace zelvik::test
