#pragma once

#include "window/NotchDesktop.h"
#include "window/ScrollGestureGrouper.h"

#include <QPointer>
#include <QQuickItem>
#include <QQuickView>

#include <xcb/xcb.h>

namespace zelvik {

class NotchModel;
class Scheduler;

// The notch panel: a frameless, translucent Qt Quick window that bypasses the
// window manager (so it is neither moved, decorated nor listed in the taskbar
// or the window switcher, and stays on every workspace), kept above other
// windows. Clicks pass through it unless the controller says the pointer is
// in the interaction zone. A mouse-down inside takes the keyboard focus;
// Escape then cancels.
class NotchWindow final : public QQuickView, public NotchSurface {
    Q_OBJECT
public:
    NotchWindow(const QUrl& rootView, NotchModel& model, Scheduler& scheduler);
    ~NotchWindow() override;

    QRectF frame() const override;
    void setFrame(const QRectF& frame) override;
    void orderFrontRegardless() override;
    bool isKeyWindow() const override;
    void resignKeyWindow() override;
    bool ignoresMouseEvents() const override { return m_ignoresMouse; }
    void setIgnoresMouseEvents(bool ignores) override;
    bool hasOpenPopup() const override;
    void closePopups() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void applyInputShape();
    void becomeKey();
    // Follows the Qt Quick overlay, where open popups live.
    void watchOverlay();
    void updatePopupState();

    bool m_ignoresMouse = false;
    xcb_window_t m_previousFocus = XCB_NONE;
    QPointer<QQuickItem> m_overlay;
    bool m_popupOpen = false;
    ScrollGestureGrouper m_scrollGroups;
};

} // namespace zelvik
