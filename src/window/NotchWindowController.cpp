#include "NotchWindowController.h"

#include "model/NotchModel.h"
#include "settings/NotchSettings.h"

#include <QPointer>

#include <algorithm>

namespace zelvik {

namespace {

// Half-open containment: the minimum edges are inside, the maximum ones not.
bool zoneContains(const QRectF& rect, const QPointF& point) {
    return point.x() >= rect.x() && point.x() < rect.x() + rect.width() && point.y() >= rect.y() &&
           point.y() < rect.y() + rect.height();
}

// Whether the pointer is on a screen, with y upwards: the top pixel row of a
// screen lies at its maximum y, so the top edge belongs to the screen and the
// bottom edge does not.
bool pointerOnScreen(const QPointF& point, const QRectF& frame) {
    return point.x() >= frame.x() && point.x() < frame.x() + frame.width() &&
           point.y() > frame.y() && point.y() <= frame.y() + frame.height();
}

const ScreenDescription* firstNotched(const QList<ScreenDescription>& screens) {
    for (const ScreenDescription& screen : screens)
        if (screen.topInset > 0)
            return &screen;
    return screens.isEmpty() ? nullptr : &screens.first();
}

const ScreenDescription* screenUnderPointer(const QList<ScreenDescription>& screens,
                                            const QPointF& pointer) {
    for (const ScreenDescription& screen : screens)
        if (pointerOnScreen(pointer, screen.frame))
            return &screen;
    return nullptr;
}

} // namespace

NotchWindowController::NotchWindowController(NotchModel& model, NotchDesktop& desktop,
                                             WindowFactory makeWindow, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_desktop(desktop)
    , m_makeWindow(std::move(makeWindow))
    , m_dragChangeCount(desktop.dragChangeCount()) {}

NotchWindowController::~NotchWindowController() = default;

QSizeF NotchWindowController::measureNotch(const ScreenDescription& screen) {
    if (screen.topInset > 0 && screen.auxiliaryTopLeftArea && screen.auxiliaryTopRightArea) {
        const double width = screen.frame.width() - screen.auxiliaryTopLeftArea->width() -
                             screen.auxiliaryTopRightArea->width();
        return {width, screen.topInset};
    }
    return {kCapsuleWidth, std::max(kCapsuleMinHeight, screen.statusBarThickness)};
}

std::optional<ScreenDescription> NotchWindowController::resolveScreen(
    const NotchDisplayMode& mode, const QList<ScreenDescription>& screens, const QPointF& pointer) {
    const ScreenDescription* chosen = nullptr;
    switch (mode.kind()) {
    case NotchDisplayMode::Kind::specific:
        for (const ScreenDescription& screen : screens) {
            if (screen.displayNumber && *screen.displayNumber == mode.displayNumber()) {
                chosen = &screen;
                break;
            }
        }
        if (!chosen)
            chosen = firstNotched(screens);
        break;
    case NotchDisplayMode::Kind::builtIn:
        chosen = firstNotched(screens);
        break;
    case NotchDisplayMode::Kind::primary:
        chosen = screens.isEmpty() ? nullptr : &screens.first();
        break;
    case NotchDisplayMode::Kind::mouse:
        chosen = screenUnderPointer(screens, pointer);
        if (!chosen)
            chosen = firstNotched(screens);
        break;
    }
    if (!chosen)
        return std::nullopt;
    return *chosen;
}

double NotchWindowController::notchCenterX(const ScreenDescription& screen) {
    if (screen.topInset > 0 && screen.auxiliaryTopLeftArea)
        return screen.frame.x() + screen.auxiliaryTopLeftArea->width() +
               measureNotch(screen).width() / 2;
    return screen.frame.center().x();
}

void NotchWindowController::show() {
    if (m_window)
        return;
    m_window = m_makeWindow();
    QPointer<NotchWindowController> self(this);
    m_window->onCancel = [self] {
        if (self)
            self->m_model.close();
    };
    m_window->onScroll = [self](const ScrollEvent& event) {
        if (self)
            self->handleScrollEvent(event);
    };
    // Closing a popup gives the click-through rule back at once, not at the
    // next move of the pointer.
    m_window->onPopupsChanged = [self] {
        if (!self)
            return;
        self->handlePointerEvent(PointerEventType::mouseMoved, false);
        self->followReachableArea();
    };
    m_window->setIgnoresMouseEvents(true);
    m_model.onClosed = [self] {
        if (self)
            self->scheduleKeyReturn();
    };
    reposition();
    m_window->orderFrontRegardless();
    m_desktop.installPointerMonitor([self](PointerEventType type) {
        if (self)
            self->handlePointerEvent(type, true);
    });
    m_model.settings()->onDisplayChange = [self] {
        if (self)
            self->reposition();
    };
    m_desktop.observeScreenChanges([self] {
        if (self)
            self->reposition();
    });
    // The window takes what the notch shows: each change of the state may
    // grow or shrink it.
    for (auto signal : {&NotchModel::statusChanged, &NotchModel::hudChanged,
                        &NotchModel::interactionSizeChanged, &NotchModel::outlineMovingChanged})
        connect(&m_model, signal, this, &NotchWindowController::followReachableArea);
}

void NotchWindowController::reposition() {
    if (!m_window)
        return;
    const auto screen = resolveScreen(m_model.settings()->displayMode(), m_desktop.screens(),
                                      m_desktop.pointerLocation());
    if (!screen)
        return;
    m_currentDisplayID = screen->displayNumber;
    m_screenFrame = screen->frame;
    m_notchCenterX = notchCenterX(*screen);
    m_model.setNotchSize(measureNotch(*screen));
    m_model.setHasPhysicalNotch(screen->topInset > 0);
    m_window->setFrame(QRectF(m_notchCenterX - kWindowWidth / 2, screen->maxY() - kWindowHeight,
                              kWindowWidth, kWindowHeight));
    // On another screen nothing of the old area counts any more.
    m_shrinkTask.cancel();
    m_shrinkDeadline.cancel();
    applyReachableArea(neededArea());
    updatePointerWatch();
    m_window->orderFrontRegardless();
}

void NotchWindowController::updatePointerWatch() {
    // A closed notch that follows the pointer moves when the pointer leaves
    // its screen.
    const bool followsPointer =
        m_model.settings()->displayMode().kind() == NotchDisplayMode::Kind::mouse &&
        m_model.status() == NotchStatus::closed;
    m_desktop.setPointerWatch(interactionZone(),
                              followsPointer ? std::optional(m_screenFrame) : std::nullopt);
}

QRectF NotchWindowController::neededArea() const {
    const bool whole = m_model.status() != NotchStatus::closed || m_model.hud().has_value() ||
                       m_window->hasOpenPopup();
    // The zone reaches above the screen's top edge; the window cannot.
    const QRectF frame = m_window->frame();
    return whole ? frame : interactionZone().intersected(frame);
}

void NotchWindowController::followReachableArea() {
    if (!m_window)
        return;
    updatePointerWatch();
    const QRectF needed = neededArea();
    // Growing happens at once, so the outline never grows past the window.
    const QRectF grown = m_reachableArea.united(needed);
    if (grown != m_reachableArea)
        applyReachableArea(grown);
    if (m_reachableArea == needed) {
        m_shrinkTask.cancel();
        m_shrinkDeadline.cancel();
        return;
    }
    // Shrinking waits: the views start moving the outline in answer to the
    // same change that got us here, and only then say so. Once they have
    // had their turn, a still outline lets the window shrink; a moving one
    // brings us back here when it stops. Should the views never say that it
    // stopped (an animation that no frame drives any more), the window
    // shrinks anyway once the slowest morph would long be over.
    QPointer<NotchWindowController> self(this);
    if (!m_shrinkTask.isPending())
        m_shrinkTask = m_model.scheduler().after(std::chrono::milliseconds(0), [self] {
            if (self)
                self->shrinkReachableArea();
        });
    m_shrinkDeadline.cancel();
    m_shrinkDeadline = m_model.scheduler().after(kLongestMorph, [self] {
        if (self)
            self->applyReachableArea(self->neededArea());
    });
}

void NotchWindowController::shrinkReachableArea() {
    if (!m_window || m_model.isOutlineMoving())
        return;
    m_shrinkDeadline.cancel();
    applyReachableArea(neededArea());
}

void NotchWindowController::applyReachableArea(const QRectF& area) {
    if (area == m_reachableArea)
        return;
    m_reachableArea = area;
    m_window->setReachableArea(area);
}

QRectF NotchWindowController::interactionZone() const {
    const QSizeF size = m_model.interactionSize();
    const double top = m_screenFrame.y() + m_screenFrame.height();
    return {m_notchCenterX - size.width() / 2, top - size.height(), size.width(),
            size.height() + kZoneExtensionAbove};
}

void NotchWindowController::handlePointerEvent(PointerEventType type, bool fromGlobalMonitor) {
    if (!m_window)
        return;
    const QPointF pointer = m_desktop.pointerLocation();
    const bool pointerKnown = m_desktop.isPointerLocationKnown();

    if (pointerKnown && m_model.settings()->displayMode().kind() == NotchDisplayMode::Kind::mouse &&
        m_model.status() == NotchStatus::closed) {
        const QList<ScreenDescription> screens = m_desktop.screens();
        if (const ScreenDescription* under = screenUnderPointer(screens, pointer);
            under && under->displayNumber != m_currentDisplayID)
            reposition();
    }

    bool dragging = false;
    if (type == PointerEventType::leftMouseDown)
        m_dragChangeCount = m_desktop.dragChangeCount();
    else if (type == PointerEventType::leftMouseDragged)
        dragging = m_desktop.dragChangeCount() != m_dragChangeCount;

    // A popup of the notch may reach beyond the zone. While one is open the
    // pointer counts as on the notch wherever it is, as a menu holds the
    // pointer until it closes: the notch neither closes under the menu nor
    // lets the click on one of its entries through.
    const bool popupOpen = m_window->hasOpenPopup();
    const bool inZone = pointerKnown && zoneContains(interactionZone(), pointer);
    const bool inside = inZone || popupOpen;

    if (type == PointerEventType::leftMouseDown && inZone && m_model.status() == NotchStatus::open)
        hitTestHeader(pointer);

    // Only a click in another application is a click outside: one on the
    // program's own windows (the tray icon, the settings window) is not.
    // (Asked on presses only: it costs a round trip to the X server.)
    if (type == PointerEventType::leftMouseDown && fromGlobalMonitor &&
        !m_desktop.pointerOverOwnWindow()) {
        if (popupOpen) {
            // The click dismisses the menu, not the notch; once the menu has
            // gone the pointer is looked at again (onPopupsChanged).
            m_window->closePopups();
            return;
        }
        if (m_model.status() == NotchStatus::open && !inside)
            m_model.close();
    }

    if (m_window->ignoresMouseEvents() != !inside)
        m_window->setIgnoresMouseEvents(!inside);

    m_model.hover(inside, dragging && inZone);
}

void NotchWindowController::hitTestHeader(const QPointF& point) {
    if (!m_window)
        return;
    const QRectF frame = m_window->frame();
    const double top = frame.y() + frame.height();
    const auto& targets = m_model.hitTargets();
    for (auto it = targets.cbegin(); it != targets.cend(); ++it) {
        const QRectF& rect = it.value();
        const QRectF screenRect(frame.x() + rect.x(), top - (rect.y() + rect.height()),
                                rect.width(), rect.height());
        const QRectF grown = screenRect.adjusted(-kHitTargetOutset, -kHitTargetOutset,
                                                 kHitTargetOutset, kHitTargetOutset);
        if (zoneContains(grown, point)) {
            m_model.headerAction(it.key());
            return;
        }
    }
}

void NotchWindowController::handleScrollEvent(const ScrollEvent& event) {
    if (event.momentum)
        return;
    if (!m_desktop.isPointerLocationKnown() ||
        !zoneContains(interactionZone(), m_desktop.pointerLocation()))
        return;
    m_model.swipe(event.began, event.ended || event.cancelled, event.deltaX, event.deltaY);
}

void NotchWindowController::scheduleKeyReturn() {
    // Every close starts its own task; each one checks the state when it runs.
    QPointer<NotchWindowController> self(this);
    m_model.scheduler().after(kKeyReturnDelay, [self] {
        if (!self || !self->m_window)
            return;
        if (self->m_window->isKeyWindow() && self->m_model.status() == NotchStatus::closed)
            self->m_window->resignKeyWindow();
    });
}

} // namespace zelvik
