// What the notch window has to cover where its desktop gives the window's
// whole rectangle every click (an X11 window under a Wayland compositor),
// and the pointer as such a desktop shows it: over our windows only.
#include "FakeDesktop.h"
#include "model/ModelFixture.h"
#include "platform/linux/NotchWindow.h"
#include "window/NotchWindowController.h"

namespace zelvik::test {
namespace {

// One 1920 x 1080 screen without panels: the 190 x 24 capsule, the window
// hanging from the top centre.
ScreenDescription screen(double x = 0) {
    ScreenDescription s;
    s.frame = QRectF(x, 0, 1920, 1080);
    s.displayNumber = std::uint32_t(x) + 1;
    return s;
}

const QRectF kFrame(580, 780, 760, 300);
// The closed zone within the window (the zone also reaches 4 above the top
// edge of the screen, where no window goes).
const QRectF kClosedZone(845, 1046, 230, 34);

class ReachableAreaTest : public ModelFixture {
protected:
    ReachableAreaTest() {
        settings.setHoverDelay(100);
        settings.setCloseDelay(200);
        desktop.screenList = {screen()};
        music = new ScriptedMusic;
        model->setMusic(music);
        // As the views do: a new shape size sets the outline moving, until
        // the test says it has come to rest.
        QObject::connect(model.get(), &NotchModel::shapeSizeChanged, model.get(),
                         [this] { model->setOutlineMoving(true); });
    }

    void show() {
        controller = std::make_unique<NotchWindowController>(*model, desktop, [this] {
            auto surface = std::make_unique<FakeSurface>();
            window = surface.get();
            return surface;
        });
        controller->show();
    }

    void moveTo(double x, double y) {
        desktop.pointerKnown = true;
        desktop.pointer = QPointF(x, y);
        desktop.monitor(PointerEventType::mouseMoved);
    }

    // The views report the outline coming to rest (or, for a change of the
    // test's own, starting to move).
    void outlineMoves() { model->setOutlineMoving(true); }
    void outlineRests() { model->setOutlineMoving(false); }

    FakeDesktop desktop;
    FakeSurface* window = nullptr;
    ScriptedMusic* music = nullptr;
    std::unique_ptr<NotchWindowController> controller;
};

TEST_F(ReachableAreaTest, GrowsBeforeTheOutlineAndShrinksOnlyOnceItRests) {
    show();
    outlineRests();
    time.advanceMs(0);
    EXPECT_EQ(window->reachable, kClosedZone);

    // Peeking: the whole window at once, before the outline starts moving.
    QList<QRectF> atFirstMove;
    QObject::connect(model.get(), &NotchModel::outlineMovingChanged, model.get(), [&] {
        if (model->isOutlineMoving())
            atFirstMove << window->reachable;
    });
    moveTo(960, 1075);
    ASSERT_EQ(model->status(), NotchStatus::peeking);
    EXPECT_EQ(window->reachable, kFrame);
    EXPECT_EQ(atFirstMove, QList<QRectF>{kFrame});

    // Open, then the pointer leaves: closed after the close delay, but the
    // outline is still shrinking, so the window stays whole.
    time.advanceMs(100);
    ASSERT_EQ(model->status(), NotchStatus::open);
    outlineRests();
    moveTo(100, 100);
    time.advanceMs(200);
    ASSERT_EQ(model->status(), NotchStatus::closed);
    time.advanceMs(500);
    EXPECT_EQ(window->reachable, kFrame);
    outlineRests();
    EXPECT_EQ(window->reachable, kFrame); // the views have their turn first
    time.advanceMs(0);
    EXPECT_EQ(window->reachable, kClosedZone);

    // It never passed through anything smaller than the outline needed.
    EXPECT_EQ(window->reachableHistory, (QList<QRectF>{kClosedZone, kFrame, kClosedZone}));
}

TEST_F(ReachableAreaTest, NoticesWingsAndPopupsNeedTheirRoom) {
    show();
    // A notice on the closed notch: the whole window until it has gone and
    // the outline is back at rest.
    HUDEvent notice;
    notice.title = QStringLiteral("Charging");
    model->showHUD(notice);
    EXPECT_EQ(window->reachable, kFrame);
    time.advanceSeconds(settings.hudDuration() + 0.1);
    ASSERT_FALSE(model->hud());
    EXPECT_EQ(window->reachable, kFrame);
    outlineRests();
    time.advanceMs(0);
    EXPECT_EQ(window->reachable, kClosedZone);

    // Wings of the playing song widen the closed zone to 302 x 34 at once...
    const QRectF wingsZone(960 - 151, 1046, 302, 34);
    music->set(true, QStringLiteral("One"));
    EXPECT_EQ(window->reachable, wingsZone);
    outlineRests();
    // ... and when they go, the zone shrinks once the outline has.
    music->set(false, QString());
    time.advanceMs(300);
    EXPECT_EQ(window->reachable, wingsZone);
    outlineRests();
    time.advanceMs(0);
    EXPECT_EQ(window->reachable, kClosedZone);

    // The context menu reaches beyond the zone (and holds the notch
    // peeking while it is up).
    window->setPopupOpen(true);
    EXPECT_EQ(window->reachable, kFrame);
    window->setPopupOpen(false);
    time.advanceMs(300);
    EXPECT_EQ(window->reachable, kFrame);
    outlineRests();
    time.advanceMs(0);
    EXPECT_EQ(window->reachable, kClosedZone);
}

TEST_F(ReachableAreaTest, AnOutlineThatNeverSaysItStoppedStillLetsTheWindowShrink) {
    show();
    model->open();
    outlineMoves();
    model->close();
    time.advanceMs(NotchWindowController::kLongestMorph.count() - 1);
    EXPECT_EQ(window->reachable, kFrame);
    time.advanceMs(1);
    EXPECT_EQ(window->reachable, kClosedZone);

    // A change in between starts the wait afresh.
    model->open();
    model->close();
    time.advanceMs(1500);
    model->showHUD(HUDEvent{});
    model->setHud(std::nullopt);
    time.advanceMs(1500);
    EXPECT_EQ(window->reachable, kFrame);
    time.advanceMs(500);
    EXPECT_EQ(window->reachable, kClosedZone);
}

TEST_F(ReachableAreaTest, AnotherScreenTakesItsOwnZoneAtOnce) {
    desktop.screenList = {screen(), screen(1920)};
    show();
    model->open();
    outlineMoves();
    settings.setDisplayMode(NotchDisplayMode::specific(1921));
    EXPECT_EQ(window->frame(), kFrame.translated(1920, 0));
    EXPECT_EQ(window->reachable, kFrame.translated(1920, 0));
    model->close();
    outlineRests();
    time.advanceMs(0);
    EXPECT_EQ(window->reachable, kClosedZone.translated(1920, 0));
}

// Where the desktop shows the pointer only over our own windows, a pointer
// that left them counts as outside the notch wherever it was last seen.
TEST_F(ReachableAreaTest, APointerThatLeftOurWindowsIsOutside) {
    settings.setDisplayMode(NotchDisplayMode::mouse());
    desktop.screenList = {screen(), screen(1920)};
    show();
    moveTo(960, 1075);
    ASSERT_EQ(model->status(), NotchStatus::peeking);

    // Left the window from inside the zone: closed, though the last place
    // seen is in the zone.
    desktop.pointerKnown = false;
    desktop.monitor(PointerEventType::mouseMoved);
    EXPECT_EQ(model->status(), NotchStatus::closed);
    EXPECT_TRUE(window->ignoresMouseEvents());

    // Open and left: closes after the close delay, as on leaving the zone.
    moveTo(960, 1075);
    time.advanceMs(100);
    ASSERT_EQ(model->status(), NotchStatus::open);
    desktop.pointerKnown = false;
    desktop.monitor(PointerEventType::mouseMoved);
    time.advanceMs(199);
    EXPECT_EQ(model->status(), NotchStatus::open);
    time.advanceMs(1);
    EXPECT_EQ(model->status(), NotchStatus::closed);

    // An unknown pointer neither moves the notch to another screen nor
    // scrolls it.
    desktop.pointer = QPointF(2500, 1075);
    desktop.monitor(PointerEventType::mouseMoved);
    EXPECT_EQ(controller->currentDisplayID(), 1u);
    desktop.pointer = QPointF(960, 1075);
    window->onScroll(ScrollEvent{true, false, false, false, 40, 0});
    window->onScroll(ScrollEvent{false, true, false, false, 40, 0});
    EXPECT_TRUE(music->sent.isEmpty());
}

// The X window itself, in Qt's coordinates (y downwards): the 760 x 300
// frame at x 580, the closed zone 230 x 34 at x 845.
TEST(XWaylandWindowTest, TakesTheAreaAndGrowsLeftOnlyOnceItsRightSideIsShown) {
    const QRect frame(580, 0, 760, 300);
    const QRect zone(845, 0, 230, 34);
    EXPECT_EQ(NotchWindow::windowGeometry(frame, zone), zone);
    EXPECT_EQ(NotchWindow::windowGeometry(frame, QRect(845, -4, 230, 38)), zone);
    EXPECT_EQ(NotchWindow::windowGeometry(frame, QRect()), frame);
    EXPECT_EQ(NotchWindow::windowGeometry(frame, QRect(0, 500, 10, 10)), frame);

    struct Case {
        QRect current;
        QRect target;
        std::optional<QRect> first;
    };
    const QRect wings(809, 0, 302, 34);
    const Case cases[] = {
        // Closed to peeking or open: first right and down, keeping the left edge.
        {zone, frame, QRect(845, 0, 495, 300)},
        // Wings growing out of the closed zone.
        {zone, wings, QRect(845, 0, 266, 34)},
        // Shrinking and growing only rightwards or downwards take one step.
        {frame, zone, std::nullopt},
        {zone, QRect(845, 0, 230, 300), std::nullopt},
        // Moving to another screen is no growth.
        {frame, frame.translated(1920, 0), std::nullopt},
        {QRect(), frame, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto first = NotchWindow::firstGrowthStep(c.current, c.target);
        EXPECT_EQ(first, c.first) << c.current.x() << "," << c.current.width() << " -> "
                                  << c.target.x() << "," << c.target.width();
        if (!first)
            continue;
        // While the compositor still shows the old picture at the target's
        // left edge, that picture covers the whole old rectangle, so a
        // pointer resting in it never seems to leave.
        EXPECT_LE(c.target.left(), c.current.left());
        EXPECT_GE(c.target.left() + first->width() - 1, c.current.right());
        EXPECT_EQ(first->left(), c.current.left());
        EXPECT_EQ(first->right(), c.target.right());
        EXPECT_EQ(first->bottom(), c.target.bottom());
    }
}

} // namespace
} // namespace zelvik::test
