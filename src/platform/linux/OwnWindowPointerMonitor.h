#pragma once

#include "window/NotchDesktop.h"

#include <QObject>
#include <QPointF>

#include <functional>
#include <optional>

namespace zelvik {

// The pointer as this program's own windows see it, for desktops that show a
// program nothing of the pointer elsewhere: under a Wayland compositor an
// X11 program sees no pointer over native windows, and XInput2 raw events
// arrive only while the pointer is over some X11 window. Entering, moving
// over and pressing or releasing the left button on any top-level window of
// ours are reported with the pointer's global position (Qt's logical
// coordinates), and so is another program's drag moving over one of them;
// leaving them, and the end of such a drag, are reported without one.
class OwnWindowPointerMonitor final : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(PointerEventType, std::optional<QPointF> globalPosition)>;

    explicit OwnWindowPointerMonitor(Handler handler, QObject* parent = nullptr);
    ~OwnWindowPointerMonitor() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler m_handler;
};

} // namespace zelvik
