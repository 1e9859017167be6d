#pragma once

#include "window/HotKeyManager.h"
#include "window/NotchDesktop.h"

#include <QList>

namespace zelvik::test {

// A desktop of plain screen descriptions with a pointer the test moves.
class FakeDesktop final : public NotchDesktop {
public:
    QList<ScreenDescription> screens() const override { return screenList; }
    QPointF pointerLocation() const override { return pointer; }
    bool isPointerLocationKnown() const override { return pointerKnown; }
    int dragChangeCount() const override { return dragCount; }
    void installPointerMonitor(std::function<void(PointerEventType)> handler) override {
        monitor = std::move(handler);
    }
    void observeScreenChanges(std::function<void()> handler) override {
        screensChanged = std::move(handler);
    }
    bool pointerOverOwnWindow() const override { return overOwnWindow; }
    void setPointerWatch(const QRectF& zone, const std::optional<QRectF>& bounds) override {
        watchZone = zone;
        watchBounds = bounds;
    }

    // A built-in screen with a notch (display 11) and an external monitor
    // (display 22), as a laptop at a desk has.
    static QList<ScreenDescription> laptopAndMonitor() {
        ScreenDescription laptop;
        laptop.name = QStringLiteral("Built-in");
        laptop.topInset = 32;
        laptop.displayNumber = 11;
        ScreenDescription external;
        external.name = QStringLiteral("DELL U2720Q");
        external.displayNumber = 22;
        return {laptop, external};
    }

    QList<ScreenDescription> screenList;
    bool overOwnWindow = false;
    QPointF pointer{-1000, -1000};
    bool pointerKnown = true;
    int dragCount = 0;
    std::function<void(PointerEventType)> monitor;
    std::function<void()> screensChanged;
    QRectF watchZone;
    std::optional<QRectF> watchBounds;
};

// Records what the controller asks of the window.
class FakeSurface final : public NotchSurface {
public:
    QRectF frame() const override { return currentFrame; }
    void setFrame(const QRectF& frame) override {
        currentFrame = frame;
        ++frameSets;
    }
    void orderFrontRegardless() override { ++frontOrders; }
    bool isKeyWindow() const override { return key; }
    void resignKeyWindow() override {
        key = false;
        ++resigns;
    }
    bool ignoresMouseEvents() const override { return ignores; }
    void setIgnoresMouseEvents(bool value) override {
        ignores = value;
        ++ignoreSets;
    }
    void setReachableArea(const QRectF& area) override {
        reachable = area;
        reachableHistory << area;
    }
    bool hasOpenPopup() const override { return popupOpen; }
    void closePopups() override {
        ++popupCloses;
        setPopupOpen(false);
    }
    void setPopupOpen(bool open) {
        popupOpen = open;
        if (onPopupsChanged)
            onPopupsChanged();
    }

    QRectF currentFrame{0, 0, 760, 300};
    int frameSets = 0;
    int frontOrders = 0;
    bool key = false;
    int resigns = 0;
    bool ignores = false;
    int ignoreSets = 0;
    bool popupOpen = false;
    int popupCloses = 0;
    QRectF reachable;
    QList<QRectF> reachableHistory;
};

// A shortcut whose grab the test can refuse.
class FakeShortcut final : public GlobalShortcut {
public:
    void installHandler(std::function<void()> pressed) override {
        handler = std::move(pressed);
        ++installs;
    }
    bool grab() override {
        ++grabs;
        held = !refuse;
        return held;
    }
    void ungrab() override {
        ++ungrabs;
        held = false;
    }
    void press() {
        if (handler && held)
            handler();
    }

    std::function<void()> handler;
    bool refuse = false;
    bool held = false;
    int installs = 0;
    int grabs = 0;
    int ungrabs = 0;
};

} // namespace zelvik::test
