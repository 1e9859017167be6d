// A plain window under the notch that reports every press it receives on
// stdout ("press <button> <x> <y>"), so the desktop suite can tell whether a
// click went through the notch window, and the keyboard focus it gets and
// loses ("focus in", "focus out") with the keys it is given ("key <text>"). Dragging with the left
// button held starts a real drag-and-drop of a line of text, as a file manager would. It paints the
// desktop's own colour so that screenshots show only what Zelvik draws.
#include <QDrag>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRasterWindow>

#include <cstdio>

namespace {

class Recorder final : public QRasterWindow {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(QRect(QPoint(0, 0), size()), QColor(0x33, 0x66, 0xcc));
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint p = event->globalPosition().toPoint();
        m_pressedAt = p;
        std::printf("press %d %d %d\n", int(event->button()), p.x(), p.y());
        std::fflush(stdout);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton) ||
            (event->globalPosition().toPoint() - m_pressedAt).manhattanLength() < 10)
            return;
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setText(QStringLiteral("dragged text"));
        drag->setMimeData(data);
        std::printf("drag started\n");
        std::fflush(stdout);
        drag->exec(Qt::CopyAction);
        std::printf("drag ended\n");
        std::fflush(stdout);
    }

    void focusInEvent(QFocusEvent*) override { say("focus in"); }
    void focusOutEvent(QFocusEvent*) override { say("focus out"); }
    void keyPressEvent(QKeyEvent* event) override {
        const QString name =
            event->key() == Qt::Key_Escape ? QStringLiteral("Escape") : event->text();
        std::printf("key %s\n", qPrintable(name));
        std::fflush(stdout);
    }

private:
    static void say(const char* line) {
        std::printf("%s\n", line);
        std::fflush(stdout);
    }

    QPoint m_pressedAt;
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    Recorder window;
    window.setTitle(QStringLiteral("ClickRecorder"));
    window.setFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setGeometry(0, 0, 1920, 1080);
    window.show();
    std::printf("ready\n");
    std::fflush(stdout);
    return QGuiApplication::exec();
}
