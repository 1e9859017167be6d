// A program that takes drops, as a file manager's folder view does: a small
// window at the given place that accepts whatever is dragged onto it with a
// copy and prints, for each drop, "drop <action>" and then one line
// "url <url>" per URL it carried (or "text <text>" without URLs). It prints
// "ready" once shown.
//
// Usage: drop_target [--geometry X,Y,W,H]
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QRasterWindow>
#include <QUrl>

#include <QDragEnterEvent>
#include <QDropEvent>

#include <cstdio>

namespace {

class Target final : public QRasterWindow {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(QRect(QPoint(0, 0), size()), QColor(0x88, 0x44, 0x44));
    }
    bool event(QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            std::printf("drop copy\n");
            const QMimeData* data = drop->mimeData();
            if (data->hasUrls()) {
                for (const QUrl& url : data->urls())
                    std::printf("url %s\n", url.toString(QUrl::FullyEncoded).toUtf8().constData());
            } else if (data->hasText()) {
                std::printf("text %s\n", data->text().toUtf8().constData());
            }
            std::fflush(stdout);
            return true;
        }
        default:
            return QRasterWindow::event(event);
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments().mid(1);
    QRect geometry(1500, 700, 300, 250);
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--geometry" && !args.isEmpty()) {
            const QStringList n = args.takeFirst().split(u',');
            if (n.size() == 4)
                geometry = QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt());
        }
    }
    Target window;
    window.setTitle(QStringLiteral("DropTarget"));
    window.setFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setGeometry(geometry);
    window.show();
    std::printf("ready\n");
    std::fflush(stdout);
    return QGuiApplication::exec();
}
