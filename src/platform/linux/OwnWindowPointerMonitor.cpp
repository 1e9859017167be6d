#include "OwnWindowPointerMonitor.h"

#include <QDropEvent>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QWindow>

namespace zelvik {

namespace {
Q_LOGGING_CATEGORY(lcPointer, "zelvik.pointer", QtWarningMsg)
}

OwnWindowPointerMonitor::OwnWindowPointerMonitor(Handler handler, QObject* parent)
    : QObject(parent)
    , m_handler(std::move(handler)) {
    qGuiApp->installEventFilter(this);
}

OwnWindowPointerMonitor::~OwnWindowPointerMonitor() {
    if (qGuiApp)
        qGuiApp->removeEventFilter(this);
}

bool OwnWindowPointerMonitor::eventFilter(QObject* watched, QEvent* event) {
    // Windows get every pointer event first; the items and widgets inside
    // them get copies, which are not counted again.
    if (!watched->isWindowType())
        return false;
    if (lcPointer().isDebugEnabled()) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            qCDebug(lcPointer) << event->type() << static_cast<QWindow*>(watched)->title()
                               << static_cast<QWindow*>(watched)->geometry();
            break;
        default:
            break;
        }
    }
    switch (event->type()) {
    case QEvent::Enter: {
        const bool held = QGuiApplication::mouseButtons() & Qt::LeftButton;
        m_handler(held ? PointerEventType::leftMouseDragged : PointerEventType::mouseMoved,
                  static_cast<QEnterEvent*>(event)->globalPosition());
        break;
    }
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        m_handler(move->buttons() & Qt::LeftButton ? PointerEventType::leftMouseDragged
                                                   : PointerEventType::mouseMoved,
                  move->globalPosition());
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        // Buttons arrive as the user's mapping makes them: a left-handed
        // user's left button is Qt's left button.
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton)
            break;
        m_handler(event->type() == QEvent::MouseButtonPress ? PointerEventType::leftMouseDown
                                                            : PointerEventType::leftMouseUp,
                  press->globalPosition());
        break;
    }
    case QEvent::Leave:
        m_handler(PointerEventType::mouseMoved, std::nullopt);
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // Another program's drag gives no pointer events, only these.
        const auto* drag = static_cast<QDragMoveEvent*>(event);
        m_handler(PointerEventType::leftMouseDragged,
                  static_cast<QWindow*>(watched)->mapToGlobal(drag->position()));
        break;
    }
    case QEvent::DragLeave:
    case QEvent::Drop:
        // Once the drag is over, the compositor tells the window of the
        // pointer again only when it moves over it; until then it may be
        // anywhere.
        m_handler(PointerEventType::mouseMoved, std::nullopt);
        break;
    default:
        break;
    }
    return false;
}

} // namespace zelvik
