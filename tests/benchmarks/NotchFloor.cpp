// The floor Zelvik's footprint is measured against: the least a Qt Quick
// program can be that shows what a closed, idle Zelvik shows. A translucent,
// frameless 760 x 300 window at the top centre of the screen, drawing only a
// black 190 x 24 capsule. Run by scripts/bench-footprint beside Zelvik.
//
// It prints one line once its first frame is on its way to the screen:
//   first-frame <CLOCK_MONOTONIC nanoseconds>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QScreen>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QQuickView view;
    view.setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                  Qt::X11BypassWindowManagerHint | Qt::NoDropShadowWindowHint);
    QSurfaceFormat format = view.requestedFormat();
    format.setAlphaBufferSize(8);
    view.setFormat(format);
    view.setColor(Qt::transparent);
    view.setResizeMode(QQuickView::SizeRootObjectToView);

    QQmlComponent capsule(view.engine());
    capsule.setData("import QtQuick\n"
                    "Item {\n"
                    "    Rectangle {\n"
                    "        x: (parent.width - width) / 2\n"
                    "        width: 190; height: 24; radius: 12\n"
                    "        color: \"black\"\n"
                    "    }\n"
                    "}\n",
                    QUrl());
    auto* root = qobject_cast<QQuickItem*>(capsule.create());
    if (!root) {
        std::fprintf(stderr, "notch_floor: %s\n", qPrintable(capsule.errorString()));
        return 1;
    }
    view.setContent(QUrl(), &capsule, root);

    const QRect screen = view.screen()->geometry();
    view.setGeometry(screen.x() + (screen.width() - 760) / 2, screen.y(), 760, 300);
    QObject::connect(
        &view, &QQuickWindow::frameSwapped, &view,
        [] {
            static bool reported = false;
            if (reported)
                return;
            reported = true;
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("first-frame %lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
        },
        Qt::DirectConnection);
    view.show();
    return QGuiApplication::exec();
}
