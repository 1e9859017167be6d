// A small viewer for looking at the notch outline on a real X display (for
// example Xvfb with picom): the root view in a frameless translucent window
// at the top centre, with a real model. Not a test; run by hand:
//   notch_viewer [--open] [--glass=0.6] [--notice] [--drop] [--style=snappy]
//                [--no-notch --hide-idle] [--peek] [--glass-closed]
//                [--tab=shelf|focus|music] [--shelf] [--focus=running|paused]
//                [--music] [--lang=tr] [--toggle-every=ms]
#include "model/FocusState.h"
#include "model/HapticFeedback.h"
#include "model/MusicStatus.h"
#include "model/NotchModel.h"
#include "model/Scheduler.h"
#include "settings/DefaultsStore.h"
#include "settings/NotchSettings.h"
#include "shelf/ShelfActions.h"
#include "shelf/ShelfStore.h"
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

namespace {

// A song that plays for as long as the viewer runs.
class SampleMusic final : public MusicStatus {
public:
    void start() override {}
    bool isPlaying() const override { return true; }
    QString trackTitle() const override { return QStringLiteral("Clair de lune"); }
    QString trackArtist() const override { return {}; }
    void refreshPosition() override {}
    void send(const QString&) override {}
    QColor accentColor() const override { return QColor(120, 90, 220); }
};

} // namespace

int main(int argc, char** argv) {
    // The viewer's settings and shelf never touch the user's own.
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", folder.filePath(QStringLiteral("data")).toLocal8Bit());
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto value = [&](const QString& name) -> QString {
        for (const QString& a : args)
            if (a.startsWith(name + u'='))
                return a.mid(name.size() + 1);
        return {};
    };

    if (value(QStringLiteral("--lang")) == u"tr")
        DefaultsStore::standard().setValue(QStringLiteral("appLanguage"), QStringLiteral("tr"));
    DefaultsStore store(folder.filePath(QStringLiteral("viewer.conf")));
    SystemClock clock;
    QtScheduler scheduler;
    NotchModel model({store, scheduler, clock, nullptr});
    NotchSettings& settings = *model.settings();
    if (value(QStringLiteral("--lang")) == u"tr")
        settings.setLanguage(AppLanguage::tr);
    ShelfStore shelf(clock, folder.filePath(QStringLiteral("shelf")));
    ShelfActions actions(shelf, nullptr);
    model.setShelfStorage(&shelf);
    model.setShelfActions(&actions);
    if (args.contains(QStringLiteral("--shelf"))) {
        QImage picture(160, 120, QImage::Format_RGB32);
        picture.fill(QColor(230, 120, 40));
        const QString path = folder.filePath(QStringLiteral("Sunset.png"));
        picture.save(path);
        shelf.addText(QStringLiteral("Meeting notes: bring the slides and the budget sheet"));
        shelf.addLink(QUrl(QStringLiteral("https://example.com/article")));
        shelf.addReference(QUrl::fromLocalFile(path));
        model.reloadShelf();
    }
    if (args.contains(QStringLiteral("--music")))
        model.setMusic(new SampleMusic);
    if (const QString focus = value(QStringLiteral("--focus")); !focus.isEmpty()) {
        FocusState state;
        if (focus == u"paused")
            state.pausedRemaining = 600;
        else
            state.endDate = clock.now() + 754.5;
        model.setFocus(state);
    }
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
        if (args.contains(QStringLiteral("--open"))) {
            const auto tab = panelFromRaw(value(QStringLiteral("--tab")));
            model.open(tab);
        }
        if (args.contains(QStringLiteral("--drop")))
            model.setIsDropTargeted(true);
    });
    // With --toggle-every, opens and closes the notch again and again, for
    // looking at the morph.
    QTimer toggler;
    if (const int every = value(QStringLiteral("--toggle-every")).toInt(); every > 0) {
        QObject::connect(&toggler, &QTimer::timeout, &model, [&] {
            if (model.status() == NotchStatus::open)
                model.close();
            else
                model.open(panelFromRaw(value(QStringLiteral("--tab"))));
        });
        toggler.start(every);
    }
    return app.exec();
}
