// A plain window under the notch that reports every press it receives on
// stdout ("press <button> <x> <y>"), so the desktop suite can tell whether a
// click went through the notch window. It paints the desktop's own colour so
// that screenshots show only what Zelvik draws.
#include <QGuiApplication>
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
        std::printf("press %d %d %d\n", int(event->button()), p.x(), p.y());
        std::fflush(stdout);
    }
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
