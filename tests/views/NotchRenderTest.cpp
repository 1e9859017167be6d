// The root view drawn for real (offscreen), with a real model behind it.
#include "RenderSupport.h"
#include "model/ModelFixture.h"
#include "views/NotchBackground.h"

#include <QPointer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class NotchRender : public ModelFixture {};

} // namespace

TEST_F(NotchRender, TheClosedCapsuleIsBlackAtTheTopCentreAndNothingElseIsPainted) {
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    const QImage image = view.grab();
    saveForInspection(image, QStringLiteral("closed"));
    ASSERT_EQ(image.size(), QSize(760, 300));

    // The body is the notch, 190 wide, centred on x 380; the flares reach 8
    // further out at the very top.
    EXPECT_EQ(opaqueSpan(image, 16), std::make_pair(285, 474));
    EXPECT_EQ(opaqueHeight(image, 380), 32);
    const auto top = opaqueSpan(image, 0, 1);
    EXPECT_LE(top.first, 278);
    EXPECT_GE(top.second, 481);
    EXPECT_EQ(image.pixel(380, 16), qRgba(0, 0, 0, 255));
    EXPECT_EQ(paintedPixelsOutside(image, QRect(277, 0, 206, 32)), 0);
}

TEST_F(NotchRender, OpeningGrowsTheOutlineToTheOpenSize) {
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    model->open();
    ASSERT_TRUE(view.waitForSprings());
    // Regular open size 560 x 192: the body spans x 100...659.
    const QImage image = view.grab();
    saveForInspection(image, QStringLiteral("open"));
    EXPECT_EQ(opaqueSpan(image, 100), std::make_pair(100, 659));
    EXPECT_EQ(opaqueHeight(image, 380), 192);
}

TEST_F(NotchRender, ANoticeWidensTheOutlineToTheNoticeSize) {
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    HUDEvent notice;
    notice.title = QStringLiteral("Charging");
    model->setHud(notice);
    ASSERT_TRUE(view.waitForSprings());
    // 338 x 62 centred: x 211...548.
    const QImage image = view.grab();
    saveForInspection(image, QStringLiteral("notice"));
    EXPECT_EQ(opaqueSpan(image, 40), std::make_pair(211, 548));
    EXPECT_EQ(opaqueHeight(image, 380), 62);
    EXPECT_EQ(paintedPixelsOutside(image, QRect(203, 0, 354, 62)), 0);
}

TEST_F(NotchRender, GlassShowsWhenOpenAndStaysBlackWhenClosedOverTheNotch) {
    settings.setGlassAmount(1);
    settings.setShowShadow(false); // the shadow would show through the glass
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    EXPECT_EQ(qAlpha(view.grab().pixel(380, 16)), 255);

    model->open();
    // Full glass: 0.18 black over the glass layer; the window shows through.
    // Measured in the header band over the notch, where no content draws.
    const QColor material = NotchBackground::glassColor(QColor());
    const int expected = qRound(255 * (1 - (1 - material.alphaF()) * 0.82));
    const QPoint glassSpot(380, 20);
    const QImage image = view.grabUntil(
        [&](const QImage& i) { return std::abs(qAlpha(i.pixel(glassSpot)) - expected) <= 2; });
    saveForInspection(image, QStringLiteral("open-glass"));
    EXPECT_NEAR(qAlpha(image.pixel(glassSpot)), expected, 2);
    EXPECT_LT(qAlpha(image.pixel(glassSpot)), 250);
}

TEST_F(NotchRender, DropTargetStrokesTheOutlineInLightBlue) {
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    // Just left of the body's left edge (x 285), below the flare.
    EXPECT_EQ(qAlpha(view.grab().pixel(284, 20)), 0);
    model->setIsDropTargeted(true);
    const QImage image = view.grabUntil([](const QImage& i) { return qAlpha(i.pixel(284, 20)); });
    saveForInspection(image, QStringLiteral("drop-target"));
    const QRgb edge = image.pixel(284, 20);
    ASSERT_GT(qAlpha(edge), 40);
    // Premultiplied light blue (0.36, 0.84, 0.96): blue over green over red.
    EXPECT_GT(qBlue(edge), qGreen(edge));
    EXPECT_GT(qGreen(edge), 2 * qRed(edge));
    model->setIsDropTargeted(false);
    EXPECT_EQ(qAlpha(view.grabUntil([](const QImage& i) { return qAlpha(i.pixel(284, 20)) == 0; })
                         .pixel(284, 20)),
              0);
}

TEST_F(NotchRender, TheIdleCapsuleFadesOutWithoutANotchAndBackInWhenPeeking) {
    model->setHasPhysicalNotch(false);
    settings.setHideWhenIdleWithoutNotch(true);
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    const QRect everything(0, 0, 0, 0);
    const QImage hidden =
        view.grabUntil([&](const QImage& i) { return paintedPixelsOutside(i, everything) == 0; });
    EXPECT_EQ(paintedPixelsOutside(hidden, everything), 0);

    model->hover(true);
    ASSERT_TRUE(view.waitForSprings());
    const QImage peeking =
        view.grabUntil([](const QImage& i) { return qAlpha(i.pixel(380, 20)) == 255; });
    saveForInspection(peeking, QStringLiteral("peeking"));
    EXPECT_EQ(qAlpha(peeking.pixel(380, 20)), 255);
    EXPECT_EQ(opaqueSpan(peeking, 20), std::make_pair(277, 482)); // 206 wide
}

TEST_F(NotchRender, AClickOnTheClosedShapeOpensItAndRightClickOffersTheMenu) {
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    // The window's corners beside the flare are not the shape.
    QTest::mouseClick(&view.window(), Qt::LeftButton, {}, QPoint(279, 30));
    EXPECT_EQ(model->status(), NotchStatus::closed);
    QTest::mouseClick(&view.window(), Qt::LeftButton, {}, QPoint(380, 16));
    EXPECT_EQ(model->status(), NotchStatus::open);

    int settingsShown = 0;
    model->onShowSettings = [&] { ++settingsShown; };
    // The menu is made on the first right-click only.
    EXPECT_EQ(view.root()->findChild<QObject*>(QStringLiteral("contextMenu")), nullptr);
    ASSERT_TRUE(view.waitForSprings());
    QTest::mouseClick(&view.window(), Qt::RightButton, {}, QPoint(380, 60));
    auto* menu = view.root()->findChild<QObject*>(QStringLiteral("contextMenu"));
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(view.waitFor([menu] { return menu->property("opened").toBool(); }));
    // (With a popup open the offscreen grab comes back without alpha; on X11
    // the rest of the window stays clear.)
    saveForInspection(view.grab(), QStringLiteral("context-menu"));

    auto* settingsItem = view.root()->findChild<QQuickItem*>(QStringLiteral("settingsItem"));
    auto* quitItem = view.root()->findChild<QQuickItem*>(QStringLiteral("quitItem"));
    ASSERT_NE(settingsItem, nullptr);
    ASSERT_NE(quitItem, nullptr);
    EXPECT_EQ(settingsItem->property("text").toString(), QStringLiteral("Settings…"));
    EXPECT_EQ(quitItem->property("text").toString(), QStringLiteral("Quit Zelvik"));
    const QPointF centre =
        settingsItem->mapToScene(QPointF(settingsItem->width() / 2, settingsItem->height() / 2));
    QTest::mouseClick(&view.window(), Qt::LeftButton, {}, centre.toPoint());
    EXPECT_EQ(settingsShown, 1);
    EXPECT_EQ(model->status(), NotchStatus::open); // the notch keeps its state
}

// Through the setter alone, as the tray menu and the settings window switch
// it: the program keeps one store, and texts read the language from it.
TEST_F(NotchRender, ChangingTheLanguageRebuildsTheMenuTexts) {
    DefaultsStore& standard = DefaultsStore::standard();
    NotchModel program(NotchModel::Environment{standard, time, time, &haptics});
    RenderedRootView view(&program);
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    auto text = [&](const char* item) {
        auto* found = view.root()->findChild<QQuickItem*>(QString::fromLatin1(item));
        return found ? found->property("text").toString() : QString();
    };
    // A right-click on the capsule makes the menu of the tree shown now.
    auto openMenu = [&] {
        QTest::mouseClick(&view.window(), Qt::RightButton, {}, QPoint(380, 16));
        auto* menu = view.root()->findChild<QObject*>(QStringLiteral("contextMenu"));
        return menu && view.waitFor([menu] { return menu->property("opened").toBool(); });
    };
    ASSERT_TRUE(openMenu());
    EXPECT_EQ(text("settingsItem"), QStringLiteral("Settings…"));

    const struct {
        AppLanguage language;
        QString settings;
        QString quit;
    } steps[] = {
        {AppLanguage::tr, QStringLiteral("Ayarlar…"), QStringLiteral("Zelvik'den çık")},
        {AppLanguage::en, QStringLiteral("Settings…"), QStringLiteral("Quit Zelvik")},
    };
    for (const auto& step : steps) {
        QPointer<QObject> shown = view.root()->findChild<QObject*>(QStringLiteral("contextMenu"));
        program.settings()->setLanguage(step.language);
        // The old tree, open menu and all, goes away on the next turn of the
        // event loop.
        ASSERT_TRUE(view.waitFor([&] { return shown.isNull(); }));
        ASSERT_TRUE(openMenu());
        EXPECT_EQ(text("settingsItem"), step.settings);
        EXPECT_EQ(text("quitItem"), step.quit);
    }
    auto* menu = view.root()->findChild<QObject*>(QStringLiteral("contextMenu"));
    QTest::keyClick(&view.window(), Qt::Key_Escape);
    ASSERT_TRUE(view.waitFor([menu] { return !menu->property("visible").toBool(); }));
    // Rebuilt in place: the capsule is still there, not animating in.
    EXPECT_EQ(opaqueSpan(view.grab(), 16), std::make_pair(285, 474));
    standard.remove(QStringLiteral("appLanguage"));
}

TEST_F(NotchRender, EachNewContentReplacesThePreviousOne) {
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    auto count = [&](const char* name) {
        return view.root()->findChildren<QQuickItem*>(QString::fromLatin1(name)).size();
    };
    EXPECT_EQ(count("closedContent"), 1);

    HUDEvent first;
    first.title = QStringLiteral("Charging");
    model->setHud(first);
    HUDEvent second = first; // same text, a new notice
    second.id = QUuid::createUuid();
    // Replacements happen once the model's change is complete (a turn of
    // the event loop, which a busy machine may not give within a
    // millisecond).
    ASSERT_TRUE(view.waitFor([&] { return count("hudContent") == 1; }));
    model->setHud(second);
    const bool both = view.waitFor([&] { return count("hudContent") == 2; });
    ASSERT_TRUE(both) << count("hudContent") << " " << count("closedContent") << " "
                      << model->statusName().toStdString();
    // Both notices and the closed content are on screen while they fade.
    EXPECT_EQ(count("hudContent"), 2);
    EXPECT_EQ(count("closedContent"), 1);
    EXPECT_TRUE(
        view.waitFor([&] { return count("hudContent") == 1 && count("closedContent") == 0; }));

    // Opening drops the notice on the way; the closed content never shows.
    // (The panel is read in the background on the first open.)
    model->open();
    bool closedShown = false;
    EXPECT_TRUE(view.waitFor([&] {
        closedShown = closedShown || count("closedContent") > 0;
        return count("openContent") == 1;
    }));
    EXPECT_FALSE(closedShown);
    EXPECT_TRUE(view.waitFor([&] { return count("hudContent") == 0; }));
    EXPECT_EQ(count("openContent"), 1);
    EXPECT_EQ(count("closedContent"), 0);
}

TEST_F(NotchRender, NothingRedrawsOrWakesWhileIdleAndTheCountdownOnlyWhileShown) {
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    int frames = 0;
    QObject::connect(&view.window(), &QQuickWindow::afterRendering, &view.window(),
                     [&frames] { ++frames; });
    // Frames drawn in `ms` once whatever just moved has had its last frame.
    const auto framesDuring = [&](int ms) {
        QTest::qWait(100);
        frames = 0;
        QTest::qWait(ms);
        return frames;
    };
    // Wake-ups the views have asked for, beside the model's own focus end.
    const auto viewTasks = [&] {
        return time.pendingCount() - (model->hasPendingFocusEnd() ? 1 : 0);
    };
    ASSERT_TRUE(view.waitForSprings());
    // Closed, nothing playing, no focus: no frame, no task.
    EXPECT_EQ(framesDuring(400), 0);
    EXPECT_EQ(time.pendingCount(), 0u);

    // The focus wings: one wake-up armed for the countdown's next second,
    // and no frame until it comes.
    model->startOrPauseFocus();
    time.advanceSeconds(0.5);
    ASSERT_TRUE(view.waitForSprings());
    EXPECT_EQ(viewTasks(), 1u);
    EXPECT_EQ(framesDuring(300), 0);
    frames = 0;
    time.advanceSeconds(0.5);
    QTest::qWait(100);
    EXPECT_GT(frames, 0); // 24:59 is drawn
    EXPECT_EQ(viewTasks(), 1u);

    // Opened on the shelf, the wings are gone and so is their wake-up.
    model->open(ZelvikPanel::shelf);
    time.advanceMs(0); // the position refresh that opening asks for
    ASSERT_TRUE(view.waitForSprings());
    ASSERT_TRUE(view.waitFor([&] { return viewTasks() == 0; }));
    EXPECT_EQ(framesDuring(400), 0);

    // The focus tab redraws once a second while a period runs...
    model->headerAction(QStringLiteral("tab.focus"));
    ASSERT_TRUE(view.waitForSprings());
    EXPECT_EQ(viewTasks(), 1u);
    // ...and not at all once it is paused.
    model->startOrPauseFocus();
    EXPECT_FALSE(model->hasPendingFocusEnd());
    ASSERT_TRUE(view.waitFor([&] { return time.pendingCount() == 0; }));
    ASSERT_TRUE(view.waitForSprings());
    QTest::qWait(1100); // the ring's last one-second move
    EXPECT_EQ(framesDuring(400), 0);
}

TEST_F(NotchRender, AClickOnATabSwitchesItOnceEvenWhenTheControllerSeesItToo) {
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    model->open(ZelvikPanel::music);
    ASSERT_TRUE(
        view.waitFor([&] { return model->hitTargets().contains(QStringLiteral("tab.focus")); }));
    ASSERT_TRUE(view.waitForSprings());
    const QRectF focusTab = model->hitTargets().value(QStringLiteral("tab.focus"));
    const int ticks = haptics.count;
    QSignalSpy tabChanges(model.get(), &NotchModel::tabChanged);

    QTest::mouseClick(&view.window(), Qt::LeftButton, {}, focusTab.center().toPoint());
    // The window controller finds the same click in the same rectangle.
    model->headerAction(QStringLiteral("tab.focus"));
    EXPECT_EQ(model->tab(), ZelvikPanel::focus);
    EXPECT_EQ(tabChanges.count(), 1);
    EXPECT_EQ(haptics.count, ticks + 1);

    // The settings button closes the notch and asks for the settings window.
    int settingsShown = 0;
    model->onShowSettings = [&] { ++settingsShown; };
    const QRectF settingsButton = model->hitTargets().value(QStringLiteral("settings"));
    QTest::mouseClick(&view.window(), Qt::LeftButton, {}, settingsButton.center().toPoint());
    EXPECT_EQ(model->status(), NotchStatus::closed);
    EXPECT_EQ(settingsShown, 1);
}
