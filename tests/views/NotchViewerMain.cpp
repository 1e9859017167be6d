// A small viewer for looking at the notch outline on a real X display (for
// example Xvfb with picom): the root view in a frameless translucent window
// at the top centre, with a real model. Not a test; run by hand:
//   notch_viewer [--open] [--glass=0.6] [--notice] [--drop] [--style=snappy]
//                [--no-notch --hide-idle] [--peek] [--glass-closed]
#include "model/HapticFeedback.h"
#include "model/NotchModel.h"
#include "model/Scheduler.h"
#include "settings/DefaultsStore.h"
#include "settings/NotchSettings.h"
#include "views/NotchViews.h"
#include "views/SpringValue.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickView>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

using namespace zelvik;

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto value = [&](const QString& name) -> QString {
        for (const QString& a : args)
            if (a.startsWith(name + u'='))
                return a.mid(name.size() + 1);
        return {};
    };

    QTemporaryDir folder;
    DefaultsStore store(folder.filePath(QStringLiteral("viewer.conf")));
    SystemClock clock;
    QtScheduler scheduler;
    NotchModel model({store, scheduler, clock, nullptr});
    NotchSettings& settings = *model.settings();
    if (!value(QStringLiteral("--glass")).isEmpty())
        settings.setGlassAmount(value(QStringLiteral("--glass")).toDouble());
    if (value(QStringLiteral("--style")) == u"snappy")
        settings.setAnimationStyle(NotchAnimationStyle::snappy);
    if (value(QStringLiteral("--style")) == u"smooth")
        settings.setAnimationStyle(NotchAnimationStyle::smooth);
    settings.setGlassWhenClosed(args.contains(QStringLiteral("--glass-closed")));
    if (args.contains(QStringLiteral("--no-notch")))
        model.setHasPhysicalNotch(false);
    settings.setHideWhenIdleWithoutNotch(args.contains(QStringLiteral("--hide-idle")));

    registerViewTypes();
    QQuickView view;
    view.setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                  Qt::X11BypassWindowManagerHint);
    QSurfaceFormat format = view.requestedFormat();
    format.setAlphaBufferSize(8);
    view.setFormat(format);
    view.setColor(Qt::transparent);
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.setInitialProperties({{QStringLiteral("model"), QVariant::fromValue(&model)}});
    view.setSource(notchRootViewUrl());
    const QRect screen = view.screen()->geometry();
    view.setGeometry(screen.x() + (screen.width() - 760) / 2, screen.y(), 760, 300);
    view.show();

    // With --timing, reports how long the springs take in wall-clock time.
    QElapsedTimer clockSinceChange;
    if (args.contains(QStringLiteral("--timing")) && view.rootObject()) {
        for (SpringValue* spring : view.rootObject()->findChildren<SpringValue*>())
            QObject::connect(spring, &SpringValue::runningChanged, spring,
                             [spring, &clockSinceChange] {
                                 if (!spring->running())
                                     qInfo("spring to %.2f at rest after %lld ms", spring->target(),
                                           clockSinceChange.elapsed());
                             });
    }
    QTimer::singleShot(400, &model, [&] {
        clockSinceChange.start();
        if (args.contains(QStringLiteral("--peek")))
            model.hover(true);
        if (args.contains(QStringLiteral("--notice"))) {
            HUDEvent notice;
            notice.title = QStringLiteral("Charging");
            model.setHud(notice);
        }
        if (args.contains(QStringLiteral("--open")))
            model.open();
        if (args.contains(QStringLiteral("--drop")))
            model.setIsDropTargeted(true);
    });
    return app.exec();
}
