// A program that drags files out, as a file manager does: a small window at
// the given place that, once the left button is pressed in it and the
// pointer moves, starts an XDND drag of the files offering the given actions
// and proposing one of them. It prints "ready", "drag started" and, when the
// drop is over, "action <copy|move|link|none>": the action the drop target
// told it, then "finished" once the target has taken the data. Told "move",
// it deletes the files then, as a file manager would.
//
// Usage: drag_source [--offer copy,move,link] [--propose move]
//                    [--geometry X,Y,W,H] FILE...
#include <QDrag>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRasterWindow>
#include <QTimer>
#include <QUrl>

#include <cstdio>

namespace {

Qt::DropAction actionNamed(const QString& name) {
    if (name == u"copy")
        return Qt::CopyAction;
    if (name == u"move")
        return Qt::MoveAction;
    if (name == u"link")
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

const char* nameOf(Qt::DropAction action) {
    switch (action) {
    case Qt::CopyAction:
        return "copy";
    case Qt::MoveAction:
        return "move";
    case Qt::LinkAction:
        return "link";
    default:
        return "none";
    }
}

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

class Source final : public QRasterWindow {
public:
    Source(QStringList files, Qt::DropActions offered, Qt::DropAction proposed)
        : m_files(std::move(files))
        , m_offered(offered)
        , m_proposed(proposed) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(QRect(QPoint(0, 0), size()), QColor(0x44, 0x88, 0x44));
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_pressedAt = event->globalPosition().toPoint();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_dragging || !(event->buttons() & Qt::LeftButton) ||
            (event->globalPosition().toPoint() - m_pressedAt).manhattanLength() < 10)
            return;
        m_dragging = true;
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QString& file : std::as_const(m_files))
            urls << QUrl::fromLocalFile(file);
        data->setUrls(urls);
        drag->setMimeData(data);
        say("drag started");
        const Qt::DropAction told = drag->exec(m_offered, m_proposed);
        std::printf("action %s\n", nameOf(told));
        std::fflush(stdout);
        if (told == Qt::IgnoreAction) {
            say("finished");
            m_dragging = false;
            return;
        }
        // The drop target fetches the data after the drop; the drag is over
        // once it says it has finished (Qt then lets the drag object go).
        // Only then does a file manager delete what was moved.
        auto finish = [this, told] {
            if (!m_dragging)
                return;
            if (told == Qt::MoveAction)
                for (const QString& file : std::as_const(m_files))
                    QFile::remove(file);
            say("finished");
            m_dragging = false;
        };
        connect(drag, &QObject::destroyed, this, finish);
        QTimer::singleShot(30000, this, finish);
    }

private:
    QStringList m_files;
    Qt::DropActions m_offered;
    Qt::DropAction m_proposed;
    QPoint m_pressedAt;
    bool m_dragging = false;
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments().mid(1);
    Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    Qt::DropAction proposed = Qt::MoveAction;
    QRect geometry(100, 800, 200, 200);
    QStringList files;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--offer" && !args.isEmpty()) {
            offered = {};
            for (const QString& name : args.takeFirst().split(u','))
                offered |= actionNamed(name);
        } else if (arg == u"--propose" && !args.isEmpty()) {
            proposed = actionNamed(args.takeFirst());
        } else if (arg == u"--geometry" && !args.isEmpty()) {
            const QStringList n = args.takeFirst().split(u',');
            if (n.size() == 4)
                geometry = QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt());
        } else {
            files << arg;
        }
    }
    if (files.isEmpty()) {
        std::fputs("usage: drag_source [--offer copy,move,link] [--propose ACTION] "
                   "[--geometry X,Y,W,H] FILE...\n",
                   stderr);
        return 2;
    }
    Source window(files, offered, proposed);
    window.setTitle(QStringLiteral("DragSource"));
    window.setFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setGeometry(geometry);
    window.show();
    say("ready");
    return QGuiApplication::exec();
}
