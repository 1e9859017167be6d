// The X11 listeners against a real X server: the shortcut grab, the raw
// pointer monitor and the drag counter, driven by xdotool and xte.
#include "X11ServerFixture.h"
#include "platform/linux/X11Connection.h"
#include "platform/linux/X11DragCounter.h"
#include "platform/linux/X11GlobalShortcut.h"
#include "platform/linux/X11PointerMonitor.h"
#include "window/HotKeyManager.h"

#include <QList>

#include <cstring>
#include <utility>

namespace zelvik::test {
namespace {

using X11ListenersTest = X11ServerFixture;

TEST_F(X11ListenersTest, TheShortcutFiresWithAndWithoutNumLock) {
    X11Connection connection;
    ASSERT_TRUE(connection.isValid());
    X11GlobalShortcut shortcut(connection);
    HotKeyManager manager(&shortcut);
    int presses = 0;
    manager.onPress = [&] { ++presses; };
    manager.registerHotKey();
    ASSERT_TRUE(manager.isRegistered());

    ASSERT_TRUE(runClient(QStringLiteral("xdotool"),
                          {QStringLiteral("key"), QStringLiteral("super+alt+n")}));
    EXPECT_TRUE(waitUntil([&] { return presses == 1; }));
    // N alone, or with one of the two modifiers, is not the shortcut.
    runClient(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("n"),
                                          QStringLiteral("alt+n"), QStringLiteral("super+n")});
    runClient(QStringLiteral("xdotool"),
              {QStringLiteral("key"), QStringLiteral("Num_Lock"), QStringLiteral("super+alt+n")});
    EXPECT_TRUE(waitUntil([&] { return presses == 2; }));
    EXPECT_EQ(presses, 2);

    manager.unregisterHotKey();
    runClient(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("super+alt+n")});
    waitUntil([] { return false; }, 300);
    EXPECT_EQ(presses, 2);
}

// The grab is made on a keycode and a modifier mask, both read from the
// keyboard mapping. A new mapping (another layout, xmodmap) puts N or NumLock
// elsewhere, and the shortcut follows it there.
TEST_F(X11ListenersTest, TheShortcutFollowsANewKeyboardMapping) {
    X11Connection connection;
    ASSERT_TRUE(connection.isValid());
    X11GlobalShortcut shortcut(connection);
    HotKeyManager manager(&shortcut);
    int presses = 0;
    manager.onPress = [&] { ++presses; };
    manager.registerHotKey();
    ASSERT_TRUE(manager.isRegistered());
    const auto settle = [] { waitUntil([] { return false; }, 300); };

    // N moves to another key; its old key types something else.
    ASSERT_TRUE(runClient(QStringLiteral("xmodmap"),
                          {QStringLiteral("-e"), QStringLiteral("keycode 57 = x X"),
                           QStringLiteral("-e"), QStringLiteral("keycode 200 = n N")}));
    settle();
    runClient(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("super+alt+n")});
    EXPECT_TRUE(waitUntil([&] { return presses == 1; }));
    // The key that used to be N is not the shortcut any more.
    runClient(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("super+alt+x")});
    settle();
    EXPECT_EQ(presses, 1);

    // NumLock moves to another modifier bit: with NumLock on, the shortcut
    // still fires.
    ASSERT_TRUE(runClient(QStringLiteral("xmodmap"),
                          {QStringLiteral("-e"), QStringLiteral("clear mod2"), QStringLiteral("-e"),
                           QStringLiteral("add mod3 = Num_Lock")}));
    settle();
    runClient(QStringLiteral("xdotool"),
              {QStringLiteral("key"), QStringLiteral("Num_Lock"), QStringLiteral("super+alt+n")});
    EXPECT_TRUE(waitUntil([&] { return presses == 2; }));

    // Unregistered, a new mapping takes no key.
    manager.unregisterHotKey();
    ASSERT_TRUE(runClient(QStringLiteral("xmodmap"),
                          {QStringLiteral("-e"), QStringLiteral("keycode 57 = n N")}));
    settle();
    runClient(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("super+alt+n")});
    settle();
    EXPECT_EQ(presses, 2);
}

TEST_F(X11ListenersTest, ATakenShortcutIsRefusedQuietlyAndTakenOnALaterTry) {
    X11Connection other;
    X11GlobalShortcut otherShortcut(other);
    ASSERT_TRUE(otherShortcut.grab());

    X11Connection connection;
    X11GlobalShortcut shortcut(connection);
    HotKeyManager manager(&shortcut);
    int presses = 0;
    manager.onPress = [&] { ++presses; };
    manager.registerHotKey();
    EXPECT_FALSE(manager.isRegistered());

    otherShortcut.ungrab();
    manager.registerHotKey();
    EXPECT_TRUE(manager.isRegistered());
    runClient(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("super+alt+n")});
    EXPECT_TRUE(waitUntil([&] { return presses == 1; }));
}

TEST_F(X11ListenersTest, ThePointerMonitorSeesMovesAndLeftButtonsEverywhere) {
    QList<std::pair<PointerEventType, QPoint>> events;
    X11PointerMonitor monitor([&](PointerEventType type, QPoint position) {
        events.append({type, position});
    });
    ASSERT_TRUE(monitor.isActive());

    runClient(QStringLiteral("xte"), {QStringLiteral("mousemove 300 200")});
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(events.last().first, PointerEventType::mouseMoved);
    EXPECT_EQ(events.last().second, QPoint(300, 200));

    // Raw events carry no position; the monitor asks for it as it reads them,
    // so each step is read before the next one moves the pointer.
    events.clear();
    auto step = [&](const QString& program, const QStringList& arguments, qsizetype count) {
        runClient(program, arguments);
        return waitUntil([&] { return events.size() >= count; });
    };
    EXPECT_TRUE(
        step(QStringLiteral("xdotool"), {QStringLiteral("mousedown"), QStringLiteral("1")}, 1));
    EXPECT_TRUE(step(QStringLiteral("xte"), {QStringLiteral("mousemove 320 210")}, 2));
    EXPECT_TRUE(
        step(QStringLiteral("xdotool"), {QStringLiteral("mouseup"), QStringLiteral("1")}, 3));
    // The right button is not watched.
    runClient(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("3")});
    EXPECT_TRUE(step(QStringLiteral("xte"), {QStringLiteral("mousemove 330 220")}, 4));
    waitUntil([] { return false; }, 200);
    ASSERT_EQ(events.size(), 4);
    EXPECT_EQ(events[0].first, PointerEventType::leftMouseDown);
    EXPECT_EQ(events[0].second, QPoint(300, 200));
    EXPECT_EQ(events[1].first, PointerEventType::leftMouseDragged);
    EXPECT_EQ(events[1].second, QPoint(320, 210));
    EXPECT_EQ(events[2].first, PointerEventType::leftMouseUp);
    EXPECT_EQ(events[3].first, PointerEventType::mouseMoved);
    EXPECT_EQ(events[3].second, QPoint(330, 220));
}

// A mouse crossing the screen far from the notch is looked up a few times a
// second, not at every move; near the notch, on a click and where it stops
// it is exact.
TEST_F(X11ListenersTest, ThePointerMonitorGathersMovesFarFromTheWatchedZone) {
    QList<std::pair<PointerEventType, QPoint>> events;
    X11PointerMonitor monitor([&](PointerEventType type, QPoint position) {
        events.append({type, position});
    });
    ASSERT_TRUE(monitor.isActive());
    monitor.setWatch(X11PointerMonitor::Watch{QRect(500, 0, 200, 30), std::nullopt});
    runClient(QStringLiteral("xte"), {QStringLiteral("mousemove 100 700")});
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));

    // 300 moves a millisecond apart, 670 pixels or more below the zone.
    events.clear();
    int lookups = monitor.lookupCount();
    QStringList moves;
    for (int i = 1; i <= 300; ++i)
        moves << QStringLiteral("mousemove %1 %2").arg(100 + i).arg(700 + i % 7)
              << QStringLiteral("usleep 1000");
    runClient(QStringLiteral("xte"), moves);
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty() && events.last().second.x() == 400; }));
    EXPECT_EQ(events.last(), std::pair(PointerEventType::mouseMoved, QPoint(400, 700 + 300 % 7)));
    EXPECT_LT(monitor.lookupCount() - lookups, 40) << "moves far from the zone are gathered";

    // Into the zone with one jump: seen where it lands, and a click there
    // where it happens.
    events.clear();
    runClient(QStringLiteral("xte"), {QStringLiteral("mousemove 600 10")});
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(events.last().second, QPoint(600, 10));
    // Away again and a click at once, inside the quiet time of the first
    // move away: the moves before the click count first, where they ended.
    events.clear();
    runClient(QStringLiteral("xte"),
              {QStringLiteral("mousemove 1200 700"), QStringLiteral("mousemove 1200 780"),
               QStringLiteral("mouseclick 1")});
    ASSERT_TRUE(waitUntil(
        [&] { return !events.isEmpty() && events.last().first == PointerEventType::leftMouseUp; }));
    ASSERT_GE(events.size(), 3);
    EXPECT_EQ(events[events.size() - 3],
              std::pair(PointerEventType::mouseMoved, QPoint(1200, 780)));
    EXPECT_EQ(events[events.size() - 2],
              std::pair(PointerEventType::leftMouseDown, QPoint(1200, 780)));

    // Near the zone every move counts.
    events.clear();
    lookups = monitor.lookupCount();
    QStringList near;
    for (int i = 1; i <= 20; ++i)
        near << QStringLiteral("mousemove %1 40").arg(500 + i * 5) << QStringLiteral("usleep 5000");
    runClient(QStringLiteral("xte"), near);
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty() && events.last().second.x() == 600; }));
    EXPECT_GE(monitor.lookupCount() - lookups, 18);

    // The quiet time grows with the distance, and shrinks towards the edge
    // of the bounds the pointer must not leave unseen.
    const X11PointerMonitor::Watch watch{QRect(500, 0, 200, 30), QRect(0, 0, 1920, 1080)};
    using std::chrono::milliseconds;
    EXPECT_EQ(X11PointerMonitor::quietTime(QPoint(600, 20), watch), milliseconds(0));
    EXPECT_EQ(X11PointerMonitor::quietTime(QPoint(600, 129), watch), milliseconds(20));
    EXPECT_EQ(X11PointerMonitor::quietTime(QPoint(900, 500), watch),
              X11PointerMonitor::kLongestQuiet);
    EXPECT_EQ(X11PointerMonitor::quietTime(QPoint(1900, 900), watch), milliseconds(3));
    EXPECT_EQ(X11PointerMonitor::quietTime(QPoint(900, 900), std::nullopt), milliseconds(0));
}

// Raw events carry physical buttons. For a left-handed user (buttons
// swapped with xmodmap, before the monitor starts or while it runs) the left
// button is physical button 3, and physical button 1 is a right click.
TEST_F(X11ListenersTest, ThePointerMonitorFollowsTheButtonMapping) {
    ASSERT_TRUE(runClient(QStringLiteral("xmodmap"),
                          {QStringLiteral("-e"), QStringLiteral("pointer = 3 2 1")}));
    QList<PointerEventType> events;
    X11PointerMonitor monitor([&](PointerEventType type, QPoint) { events.append(type); });
    ASSERT_TRUE(monitor.isActive());

    // Clicks of both physical buttons, each followed by a move as a marker.
    int x = 300;
    auto clicks = [&](const char* physical) {
        events.clear();
        runClient(QStringLiteral("xdotool"),
                  {QStringLiteral("click"), QString::fromLatin1(physical)});
        runClient(QStringLiteral("xte"), {QStringLiteral("mousemove %1 200").arg(x += 10)});
        EXPECT_TRUE(waitUntil(
            [&] { return !events.isEmpty() && events.last() == PointerEventType::mouseMoved; }));
        return events;
    };
    const QList<PointerEventType> leftClick{PointerEventType::leftMouseDown,
                                            PointerEventType::leftMouseUp,
                                            PointerEventType::mouseMoved};
    const QList<PointerEventType> noClick{PointerEventType::mouseMoved};
    EXPECT_EQ(clicks("1"), noClick);
    EXPECT_EQ(clicks("3"), leftClick);

    ASSERT_TRUE(runClient(QStringLiteral("xmodmap"),
                          {QStringLiteral("-e"), QStringLiteral("pointer = 1 2 3")}));
    // The change reaches the monitor as an event; a click after it is read
    // with the new mapping.
    EXPECT_EQ(clicks("1"), leftClick);
    EXPECT_EQ(clicks("3"), noClick);
}

TEST_F(X11ListenersTest, TheDragCounterCountsNewOwnersOfTheDragSelection) {
    X11Connection connection;
    X11DragCounter drags(connection);
    EXPECT_EQ(drags.changeCount(), 0);

    // Another client starts a drag: it takes the XdndSelection.
    X11Connection source;
    xcb_connection_t* c = source.connection();
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, source.root(), 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t dnd = source.internAtom("XdndSelection");
    const xcb_atom_t clipboard = source.internAtom("CLIPBOARD");
    xcb_set_selection_owner(c, window, dnd, XCB_CURRENT_TIME);
    xcb_flush(c);
    EXPECT_TRUE(waitUntil([&] { return drags.changeCount() == 1; }));
    // Copying to the clipboard is no drag.
    xcb_set_selection_owner(c, window, clipboard, XCB_CURRENT_TIME);
    xcb_set_selection_owner(c, window, dnd, XCB_CURRENT_TIME);
    xcb_flush(c);
    EXPECT_TRUE(waitUntil([&] { return drags.changeCount() == 2; }));
    waitUntil([] { return false; }, 200);
    EXPECT_EQ(drags.changeCount(), 2);
}

} // namespace
} // namespace zelvik::test
