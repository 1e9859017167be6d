#pragma once

#include "NotchDesktop.h"
#include "model/Scheduler.h"
#include "settings/SettingsEnums.h"

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <functional>
#include <memory>
#include <optional>

namespace zelvik {

class NotchModel;

// Owns the one notch window: chooses the display, measures its notch (or
// picks the capsule), hangs the window from the top edge centred on it, and
// turns pointer, click and scroll events into operations of the model.
class NotchWindowController : public QObject {
    Q_OBJECT
public:
    static constexpr double kWindowWidth = 760;
    static constexpr double kWindowHeight = 300;
    static constexpr double kCapsuleWidth = 190;
    static constexpr double kCapsuleMinHeight = 24;
    static constexpr double kZoneExtensionAbove = 4;
    static constexpr double kHitTargetOutset = 4;
    static constexpr std::chrono::milliseconds kKeyReturnDelay{450};
    // Longer than any morph of the outline takes to come to rest (the
    // slowest spring needs about 1.1 s for the largest change).
    static constexpr std::chrono::milliseconds kLongestMorph{2000};

    using WindowFactory = std::function<std::unique_ptr<NotchSurface>()>;

    NotchWindowController(NotchModel& model, NotchDesktop& desktop, WindowFactory makeWindow,
                          QObject* parent = nullptr);
    ~NotchWindowController() override;

    // Builds, places and shows the window and starts following the pointer,
    // the display setting and the screens. Called once.
    void show();
    // Chooses the screen, measures it and places the window.
    void reposition();

    void handlePointerEvent(PointerEventType type, bool fromGlobalMonitor);
    void handleScrollEvent(const ScrollEvent& event);
    void hitTestHeader(const QPointF& point);
    // The model's onClosed: gives the keyboard focus back once the notch has
    // been closed for a moment.
    void scheduleKeyReturn();

    // The zone in which the pointer counts as over the notch, in screen points.
    QRectF interactionZone() const;
    // What the window has to show and take the pointer over now, in screen
    // points (see NotchSurface::setReachableArea): the whole frame while the
    // notch is peeking, open, showing a notice or has a popup up, the
    // interaction zone while it is closed. It grows at once, before the
    // outline starts growing, and shrinks only once the outline has stopped.
    QRectF reachableArea() const { return m_reachableArea; }
    NotchSurface* window() const { return m_window.get(); }
    QRectF screenFrame() const { return m_screenFrame; }
    double notchCenterX() const { return m_notchCenterX; }
    std::optional<std::uint32_t> currentDisplayID() const { return m_currentDisplayID; }
    int dragChangeCount() const { return m_dragChangeCount; }

    // Placement rules, on plain screen descriptions.
    static QSizeF measureNotch(const ScreenDescription& screen);
    static std::optional<ScreenDescription> resolveScreen(const NotchDisplayMode& mode,
                                                          const QList<ScreenDescription>& screens,
                                                          const QPointF& pointer);
    static double notchCenterX(const ScreenDescription& screen);

private:
    // The area the current state needs, at rest.
    QRectF neededArea() const;
    void followReachableArea();
    // Tells the desktop where the pointer must be followed exactly.
    void updatePointerWatch();
    void shrinkReachableArea();
    void applyReachableArea(const QRectF& area);

    NotchModel& m_model;
    NotchDesktop& m_desktop;
    WindowFactory m_makeWindow;
    std::unique_ptr<NotchSurface> m_window;
    QRectF m_screenFrame;
    double m_notchCenterX = 0;
    std::optional<std::uint32_t> m_currentDisplayID;
    int m_dragChangeCount = 0;
    QRectF m_reachableArea;
    TaskHandle m_shrinkTask;
    TaskHandle m_shrinkDeadline;
};

} // namespace zelvik
