// Every state of the notch drawn for real (offscreen, software renderer) with
// a real model, saved as PNG under build/screenshots for a look by eye, and
// checked for the geometry that goes wrong when a view is laid out wrongly:
// the outline's bounds, the wings, the header band and the rectangles the
// header reports for the window controller, and the focus ring.
#include "MusicRig.h"
#include "RenderSupport.h"
#include "model/HUDProducers.h"
#include "model/ModelFixture.h"
#include "shelf/ShelfActions.h"
#include "shelf/ShelfStore.h"
#include "views/Symbols.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <functional>
#include <set>

using namespace zelvik;
using namespace zelvik::test;

namespace {

using Check = std::function<bool(QRgb)>;

Check near(const QColor& colour, int tolerance = 60) {
    return [colour, tolerance](QRgb p) {
        return qAlpha(p) > 200 && std::abs(qRed(p) - colour.red()) < tolerance &&
               std::abs(qGreen(p) - colour.green()) < tolerance &&
               std::abs(qBlue(p) - colour.blue()) < tolerance;
    };
}
// Light ink on the black surface: text and white symbols.
bool light(QRgb p) {
    return qAlpha(p) > 200 && qRed(p) > 140 && qGreen(p) > 140 && qBlue(p) > 140;
}

const QColor kOrange = QColor::fromRgbF(1.0f, 0.63f, 0.26f);
const QColor kLightBlueInk = QColor::fromRgbF(0.36f, 0.84f, 0.96f);
const QColor kPink = QColor::fromRgbF(1.0f, 0.38f, 0.56f);
// The test cover: a deep blue with a darker half, whose accent is a bright blue.
const QColor kCoverLight(40, 120, 200);
const QColor kCoverDark(20, 60, 110);

int count(const QImage& image, const QRect& area, const Check& check) {
    int n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            n += check(image.pixel(x, y)) ? 1 : 0;
    return n;
}

// The smallest rectangle around the pixels of `area` that pass `check`.
QRect inkBounds(const QImage& image, const QRect& area, const Check& check) {
    QRect bounds;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (check(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Items by object name, found through the visual tree: the tiles of a list
// view have no QObject parent to be found by.
// An empty name finds every item.
void collectItems(QQuickItem* item, const QString& name, QList<QQuickItem*>& found) {
    if (name.isEmpty() || item->objectName() == name)
        found << item;
    for (QQuickItem* child : item->childItems())
        collectItems(child, name, found);
}
QList<QQuickItem*> itemsNamed(RenderedRootView& view, const char* name) {
    QList<QQuickItem*> found;
    collectItems(view.window().contentItem(), QString::fromLatin1(name), found);
    return found;
}

QString screenshotFolder() {
    const QString folder = QStringLiteral(ZELVIK_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    return folder;
}

class Screenshots : public ModelFixture {
protected:
    void SetUp() override {
        model->setShelfStorage(&shelfStore);
        model->setShelfActions(&actions);
    }
    void TearDown() override { DefaultsStore::standard().remove(QStringLiteral("appLanguage")); }

    void speakTurkish() {
        DefaultsStore::standard().setValue(QStringLiteral("appLanguage"), QStringLiteral("tr"));
        settings.setLanguage(AppLanguage::tr);
    }

    // Renders until the springs rest and `ready` holds; saves the picture.
    QImage shoot(RenderedRootView& view, const QString& name,
                 const std::function<bool(const QImage&)>& ready = {}) {
        EXPECT_TRUE(view.waitForSprings(8000)) << name.toStdString();
        QImage image = view.grabUntil(
            ready ? ready : [](const QImage&) { return true; }, 8000);
        if (ready) {
            EXPECT_TRUE(ready(image)) << name.toStdString() << " never got ready";
        }
        image.save(screenshotFolder() + u'/' + name + QStringLiteral(".png"));
        symbolsSeen = expectKnownSymbols(view, name);
        return image;
    }

    // Every symbol on screen is one the table knows, so none falls back to
    // the neutral dot by mistake.
    // Returns how many symbols are on screen.
    static int expectKnownSymbols(RenderedRootView& view, const QString& state) {
        int seen = 0;
        for (QQuickItem* item : itemsNamed(view, "")) {
            const QVariant family = item->property("font").value<QFont>().family();
            if (family.toString() != QString::fromLatin1(kSymbolFontFamily) || !item->isVisible())
                continue;
            const QString name = item->property("name").toString();
            EXPECT_TRUE(hasSymbol(name))
                << state.toStdString() << ": \"" << name.toStdString() << "\"";
            ++seen;
        }
        return seen;
    }

    QString makeImage(const QString& name, const QColor& colour) {
        const QString folder = testRoot() + QStringLiteral("/screenshot-files");
        QDir().mkpath(folder);
        QImage image(160, 120, QImage::Format_RGB32);
        image.fill(colour);
        QPainter(&image).fillRect(0, 0, 80, 120, colour.darker(180));
        const QString path = folder + u'/' + name;
        image.save(path);
        return path;
    }

    void fillShelf() {
        time.advanceSeconds(1);
        shelfStore.addText(QStringLiteral(
            "Meeting notes: bring the slides, the budget sheet and the signed contract"));
        time.advanceSeconds(1);
        shelfStore.addLink(QUrl(QStringLiteral("https://example.com/article")));
        time.advanceSeconds(1);
        shelfStore.addReference(
            QUrl::fromLocalFile(makeImage(QStringLiteral("Sunset.png"), QColor(230, 120, 40))));
        time.advanceSeconds(1);
        shelfStore.addReference(
            QUrl::fromLocalFile(makeImage(QStringLiteral("Harbour.jpg"), QColor(40, 120, 200))));
        model->reloadShelf();
    }

    static bool thumbnailsLoaded(RenderedRootView& view) {
        const auto images = itemsNamed(view, "thumbnailImage");
        int withFile = 0;
        for (QQuickItem* image : images) {
            if (image->property("path").toString().isEmpty())
                continue;
            ++withFile;
            if (!image->property("ready").toBool())
                return false;
        }
        return withFile > 0;
    }

    int symbolsSeen = 0;
    static inline int shelves = 0;
    QString shelfFolder = testRoot() + QStringLiteral("/screenshot-shelf-%1").arg(shelves++);
    ShelfStore shelfStore{time, shelfFolder};
    ShelfActions actions{shelfStore, nullptr};
};

QQuickItem* findItem(RenderedRootView& view, const char* name) {
    QQuickItem* found = nullptr;
    for (QQuickItem* item : itemsNamed(view, name))
        if (item->isVisible())
            found = item;
    return found;
}

} // namespace

TEST_F(Screenshots, TheClosedNotchAndItsWings) {
    struct Case {
        const char* name;
        std::function<void()> setup;
        int left, right, height; // the body's columns and rows
        const char* wings;       // "", "focus" or "music"
    };
    ScriptedMusic* music = new ScriptedMusic;
    music->set(false, QString());
    model->setMusic(music);
    const std::vector<Case> cases{
        {"closed", [] {}, 285, 474, 32, ""},
        {"peeking", [this] { model->hover(true); }, 277, 482, 38, ""},
        {"focus-wings",
         [this] {
             FocusState running;
             running.endDate = time.now() + 1234.2;
             model->setFocus(running);
         },
         241, 518, 32, "focus"},
        {"focus-wings-peeking",
         [this] {
             FocusState running;
             running.endDate = time.now() + 59.5;
             model->setFocus(running);
             model->hover(true);
         },
         233, 526, 38, "focus"},
        {"music-wings", [music] { music->set(true, QStringLiteral("Clair de lune")); }, 241, 518,
         32, "music"},
    };
    for (const Case& c : cases) {
        model->hover(false);
        model->setFocus(FocusState());
        music->set(false, QString());
        c.setup();
        RenderedRootView view(model.get());
        ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
        const QImage image = shoot(view, QString::fromLatin1(c.name));
        const int middle = c.height / 2;
        EXPECT_EQ(opaqueSpan(image, middle), std::make_pair(c.left, c.right)) << c.name;
        EXPECT_EQ(opaqueHeight(image, 380), c.height) << c.name;
        EXPECT_EQ(
            paintedPixelsOutside(image, QRect(c.left - 8, 0, c.right - c.left + 17, c.height)), 0)
            << c.name;

        // Each wing is notch height + 12 = 44 wide beside the 190-wide notch.
        const int wingsLeft = 380 - 95 - 44;
        const QRect leftWing(wingsLeft, 0, 44, c.height);
        const QRect rightWing(380 + 95, 0, 44, c.height);
        const QRect overNotch(380 - 95, 0, 190, c.height);
        const std::string wings = c.wings;
        if (wings.empty()) {
            EXPECT_EQ(count(image, QRect(0, 0, 760, c.height),
                            [](QRgb p) {
                                return qAlpha(p) > 0 &&
                                       (qRed(p) > 40 || qGreen(p) > 40 || qBlue(p) > 40);
                            }),
                      0)
                << c.name << ": nothing but black";
        } else {
            EXPECT_EQ(count(image, overNotch, light), 0) << c.name << ": nothing over the notch";
        }
        if (wings == "focus") {
            // The timer symbol and the countdown, both orange, one per wing.
            EXPECT_GT(count(image, leftWing, near(kOrange)), 20) << c.name;
            EXPECT_GT(count(image, rightWing, near(kOrange)), 40) << c.name;
            const QRect text = inkBounds(image, rightWing, near(kOrange, 90));
            EXPECT_NEAR(text.center().x(), rightWing.center().x(), 2) << c.name;
            EXPECT_NEAR(text.center().y(), c.height / 2.0, 3) << c.name;
        }
        if (wings == "music") {
            // The artwork: 22 x 22 in the accent colour, centred in the left wing.
            const QRect art = inkBounds(image, leftWing, [](QRgb p) {
                return qAlpha(p) == 255 && qRed(p) > qBlue(p) + 20 && qRed(p) > 40;
            });
            EXPECT_NEAR(art.width(), 22, 1) << c.name;
            EXPECT_NEAR(art.height(), 22, 1) << c.name;
            EXPECT_NEAR(art.center().x(), leftWing.center().x(), 1) << c.name;
        }
    }
}

TEST_F(Screenshots, EachNoticeShowsItsSymbolValueAndTitle) {
    struct Case {
        const char* name;
        std::function<void(NotchModel&)> show;
        QColor tint;
        bool trailing;
        bool artwork;
    };
    ScriptedMusic* music = new ScriptedMusic;
    model->setMusic(music);
    AudioOutputDevice buds{7, QStringLiteral("AirPods Pro"), transport::bluetooth};
    AudioOutputDevice speakers{8, QStringLiteral("Built-in Speakers"), transport::builtIn};
    const std::vector<Case> cases{
        {"notice-charging", [](NotchModel& m) { showBatteryHUD(m, BatteryEvent::pluggedIn(80)); },
         kNoticeGreen, true, false},
        {"notice-on-battery", [](NotchModel& m) { showBatteryHUD(m, BatteryEvent::unplugged(54)); },
         Qt::white, true, false},
        {"notice-battery-low", [](NotchModel& m) { showBatteryHUD(m, BatteryEvent::low(9)); },
         kNoticeRed, true, false},
        {"notice-battery-full", [](NotchModel& m) { showBatteryHUD(m, BatteryEvent::full()); },
         kNoticeGreen, true, false},
        {"notice-bluetooth", [&](NotchModel& m) { showAudioDeviceHUD(m, buds); }, kLightBlue, true,
         false},
        {"notice-speakers", [&](NotchModel& m) { showAudioDeviceHUD(m, speakers); }, Qt::white,
         false, false},
        {"notice-screenshot", [](NotchModel& m) { showScreenshotHUD(m); }, kLightBlue, false,
         false},
        {"notice-focus-done",
         [](NotchModel& m) { showFocusDoneHUD(m, QStringLiteral("Deep work")); }, kFocusOrange,
         false, false},
        {"notice-break-over", [](NotchModel& m) { showBreakOverHUD(m); }, kFocusOrange, false,
         false},
        {"notice-song",
         [music](NotchModel& m) {
             music->set(true, QStringLiteral("Clair de lune"));
             showTrackChangeHUD(m, QStringLiteral("Clair de lune"), QStringLiteral("Debussy"),
                                QColor());
         },
         kPink, false, true},
    };
    for (const Case& c : cases) {
        music->set(false, QString());
        model->setHud(std::nullopt);
        c.show(*model);
        ASSERT_TRUE(model->hud()) << c.name;
        EXPECT_TRUE(hasSymbol(model->hud()->symbol)) << c.name;
        RenderedRootView view(model.get());
        ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
        const QImage image = shoot(view, QString::fromLatin1(c.name));

        // 338 x 62: wings of 32 + 42 = 74 beside the notch, a 30-point line below.
        EXPECT_EQ(opaqueSpan(image, 16), std::make_pair(211, 548)) << c.name;
        EXPECT_EQ(opaqueHeight(image, 380), 62) << c.name;
        const QRect leftWing(211, 0, 74, 32);
        const QRect rightWing(475, 0, 74, 32);
        const QRect titleLine(223, 32, 314, 30);
        const Check tinted = near(c.tint, 80);
        if (c.artwork) {
            const QRect art = inkBounds(image, leftWing, [](QRgb p) {
                return qAlpha(p) == 255 && qRed(p) > qBlue(p) + 20 && qRed(p) > 40;
            });
            EXPECT_NEAR(art.width(), 22, 1) << c.name;
            EXPECT_NEAR(art.center().x(), leftWing.center().x(), 1) << c.name;
        } else {
            const QRect symbol = inkBounds(image, leftWing, tinted);
            EXPECT_GT(count(image, leftWing, tinted), 25) << c.name;
            EXPECT_NEAR(symbol.center().x(), leftWing.center().x(), 3) << c.name;
            EXPECT_NEAR(symbol.center().y(), 16, 3) << c.name;
        }
        // The right wing: the value, or a song's equalizer.
        EXPECT_EQ(count(image, rightWing, tinted) > 20, c.trailing || c.artwork) << c.name;
        // Nothing over the notch itself; the title centred in the line below.
        EXPECT_EQ(count(image, QRect(285, 0, 190, 32), light), 0) << c.name;
        const QRect title = inkBounds(image, QRect(203, 32, 354, 30), light);
        EXPECT_TRUE(titleLine.contains(title)) << c.name;
        EXPECT_GT(title.width(), 40) << c.name;
        EXPECT_NEAR(title.center().x(), 380, 3) << c.name;
        EXPECT_NEAR(title.center().y(), 47, 3) << c.name;
    }
}

TEST_F(Screenshots, TheOpenHeaderReportsItsButtonsWhereTheyAreDrawn) {
    struct Case {
        const char* name;
        ZelvikPanel tab;
        OpenSizePreset size;
        QSizeF notch;
        bool items;
        int left, top, width, height; // the open body in the window
    };
    const std::vector<Case> cases{
        {"open-music",
         ZelvikPanel::music,
         OpenSizePreset::regular,
         {190, 32},
         true,
         100,
         0,
         560,
         192},
        {"open-shelf-empty",
         ZelvikPanel::shelf,
         OpenSizePreset::regular,
         {190, 32},
         false,
         100,
         0,
         560,
         192},
        {"open-shelf",
         ZelvikPanel::shelf,
         OpenSizePreset::regular,
         {190, 32},
         true,
         100,
         0,
         560,
         192},
        {"open-focus-compact",
         ZelvikPanel::focus,
         OpenSizePreset::compact,
         {190, 32},
         true,
         125,
         0,
         510,
         177},
        {"open-shelf-large",
         ZelvikPanel::shelf,
         OpenSizePreset::large,
         {190, 32},
         true,
         50,
         0,
         660,
         212},
        // A taller notch makes a taller header band.
        {"open-shelf-tall-notch",
         ZelvikPanel::shelf,
         OpenSizePreset::regular,
         {220, 38},
         true,
         85,
         0,
         590,
         198},
    };
    for (const Case& c : cases) {
        model->close();
        settings.setOpenSize(c.size);
        model->setNotchSize(c.notch);
        shelfStore.removeAllEntries();
        if (c.items)
            fillShelf();
        model->reloadShelf();
        RenderedRootView view(model.get());
        ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
        model->open(c.tab);
        const QImage image = shoot(view, QString::fromLatin1(c.name), [&](const QImage&) {
            return model->hitTargets().contains(QStringLiteral("settings")) &&
                   (c.tab != ZelvikPanel::shelf || thumbnailsLoaded(view) || !c.items);
        });
        EXPECT_EQ(opaqueSpan(image, c.height / 2), std::make_pair(c.left, c.left + c.width - 1))
            << c.name;
        EXPECT_EQ(opaqueHeight(image, 380), c.height) << c.name;
        EXPECT_GE(symbolsSeen, 4) << c.name; // three tabs and the settings button at least

        // The header band is as tall as the notch; its buttons are centred in
        // it, 14 in from the body's sides, 4 apart.
        const double band = c.notch.height();
        const double tabTop = (band - 22) / 2;
        const double iconTop = (band - 24) / 2;
        const double right = c.left + c.width - 14;
        QMap<QString, QRectF> expected{
            {"tab.music", QRectF(c.left + 14, tabTop, 32, 22)},
            {"tab.shelf", QRectF(c.left + 14 + 36, tabTop, 32, 22)},
            {"tab.focus", QRectF(c.left + 14 + 72, tabTop, 32, 22)},
            {"settings", QRectF(right - 24, iconTop, 24, 24)},
        };
        if (c.tab == ZelvikPanel::shelf && c.items)
            expected.insert(QStringLiteral("trash"), QRectF(right - 52, iconTop, 24, 24));
        EXPECT_EQ(model->hitTargets(), expected) << c.name;

        // Each reported rectangle holds its button's symbol, and the selected
        // tab's capsule is tinted where its rectangle says.
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const QRect rect = it.value().toRect();
            const QRect ink = inkBounds(image, rect.adjusted(-6, -6, 6, 6), [](QRgb p) {
                return qAlpha(p) == 255 && (qRed(p) > 90 || qGreen(p) > 90 || qBlue(p) > 90);
            });
            EXPECT_FALSE(ink.isEmpty()) << c.name << " " << it.key().toStdString();
            EXPECT_TRUE(rect.contains(ink)) << c.name << " " << it.key().toStdString();
        }
        const QString selected = QStringLiteral("tab.") + rawValue(c.tab);
        const QColor capsule =
            image.pixelColor(expected[selected].toRect().topLeft() + QPoint(16, 2));
        EXPECT_GT(capsule.red() + capsule.green() + capsule.blue(), 40) << c.name;
        for (const char* other : {"tab.music", "tab.shelf", "tab.focus"}) {
            if (selected == QLatin1String(other))
                continue;
            const QColor plain =
                image.pixelColor(expected[QLatin1String(other)].toRect().topLeft() + QPoint(16, 2));
            EXPECT_EQ(plain, QColor(Qt::black)) << c.name << " " << other;
        }
        // Nothing of the tab content reaches into the header band.
        const QRect header(c.left + 14 + 108, 0, c.width - 28 - 108 - 56, int(band));
        EXPECT_EQ(count(image, header, light), 0) << c.name;
    }
}

TEST_F(Screenshots, TheFocusTabInEachOfItsStates) {
    struct Case {
        const char* name;
        std::function<FocusState()> record;
        bool turkish;
        const char* state;
        const char* button;
        const char* time;
        double progress;
    };
    const std::vector<Case> cases{
        {"focus-idle", [] { return FocusState(); }, false, "Ready", "Start", "25:00", 1.0},
        {"focus-running",
         [this] {
             FocusState r;
             r.endDate = time.now() + 61.3;
             return r;
         },
         false, "Focusing, counting down in the notch", "Pause", "01:02", 61.3 / 1500},
        {"focus-paused",
         [] {
             FocusState p;
             p.duration = 2700;
             p.label = QStringLiteral("Deep work");
             p.pausedRemaining = 1800;
             return p;
         },
         false, "Paused", "Resume", "30:00", 1800.0 / 2700},
        {"focus-running-tr",
         [this] {
             FocusState r;
             r.endDate = time.now() + 600;
             r.label = QStringLiteral("Mola");
             r.duration = 300 * 4;
             return r;
         },
         true, "Odaklanıyorsun, notch'ta geri sayıyor", "Duraklat", "10:00", 0.5},
    };
    for (const Case& c : cases) {
        model->close();
        if (c.turkish)
            speakTurkish();
        model->setFocus(c.record());
        RenderedRootView view(model.get());
        ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
        model->open(ZelvikPanel::focus);
        const QImage image = shoot(view, QString::fromLatin1(c.name));

        QQuickItem* ring = findItem(view, "focusRing");
        ASSERT_NE(ring, nullptr) << c.name;
        EXPECT_EQ(QSizeF(ring->width(), ring->height()), QSizeF(104, 104)) << c.name;
        QQuickItem* timeText = findItem(view, "ringTime");
        EXPECT_EQ(timeText->property("text").toString(), QString::fromLatin1(c.time)) << c.name;
        EXPECT_EQ(timeText->opacity(), 1.0) << c.name << ": the time is drawn in full";
        EXPECT_EQ(findItem(view, "focusState")->property("text").toString(),
                  QString::fromUtf8(c.state))
            << c.name;
        EXPECT_EQ(findItem(view, "startText")->property("text").toString(),
                  QString::fromUtf8(c.button))
            << c.name;

        // The ring's line (8 wide, centred on the 104 circle) reaches from
        // 56 left of the centre to 56 right of it.
        const QPoint centre = ring->mapToScene(QPointF(52, 52)).toPoint();
        const auto lit = [](QRgb p) {
            return qAlpha(p) == 255 && qRed(p) + qGreen(p) + qBlue(p) > 20;
        };
        const QRect track = inkBounds(image, QRect(centre.x() - 70, centre.y(), 140, 1), lit);
        EXPECT_NEAR(track.left(), centre.x() - 56, 1) << c.name;
        EXPECT_NEAR(track.width(), 112, 1) << c.name;
        // The orange arc starts at the top and runs clockwise: the top right
        // of the ring is orange whenever there is time left, the top left only
        // when more than three quarters are.
        const Check orange = near(kOrange, 80);
        EXPECT_EQ(orange(image.pixel(centre.x() + 8, centre.y() - 52)), c.progress > 0.03)
            << c.name;
        EXPECT_EQ(orange(image.pixel(centre.x() - 37, centre.y() - 37)), c.progress > 0.9)
            << c.name;
    }
}

TEST_F(Screenshots, TheShelfTabEmptyTargetedAndFilled) {
    struct Case {
        const char* name;
        bool filled;
        bool targeted;
        bool turkish;
    };
    for (const Case& c :
         {Case{"shelf-empty", false, false, false}, Case{"shelf-drop-targeted", false, true, false},
          Case{"shelf-empty-tr", false, false, true}, Case{"shelf-filled", true, false, false}}) {
        model->close();
        if (c.turkish)
            speakTurkish();
        shelfStore.removeAllEntries();
        if (c.filled)
            fillShelf();
        model->reloadShelf();
        RenderedRootView view(model.get());
        ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
        model->open(ZelvikPanel::shelf);
        if (c.targeted)
            model->setIsDropTargeted(true);
        const QImage image = shoot(view, QString::fromLatin1(c.name), [&](const QImage&) {
            return !c.filled || thumbnailsLoaded(view);
        });

        // The tab content: 26 in from the sides, 6 under the header, 18 above the bottom.
        const QRect area(126, 38, 508, 136);
        const QRect share(area.right() - 95, area.top(), 96, area.height());
        // The share button's symbol and label, centred in it (dimmed: no
        // sharing service in the test).
        const QRect shareInk =
            inkBounds(image, share, [](QRgb p) { return qAlpha(p) == 255 && qBlue(p) > 60; });
        EXPECT_GT(shareInk.width(), 20) << c.name;
        EXPECT_NEAR(shareInk.center().x(), share.center().x(), 2) << c.name;
        EXPECT_NEAR(shareInk.center().y(), share.center().y(), 4) << c.name;
        const QRect content(area.left(), area.top(), area.width() - 96 - 12, area.height());
        if (!c.filled) {
            // The dashed zone's edge: the stroke is brighter while targeted.
            const QRect edge(content.left(), content.center().y() - 20, 2, 40);
            const Check blue = [](QRgb p) { return qBlue(p) > 40 && qAlpha(p) == 255; };
            const int dashes = count(image, edge, blue);
            EXPECT_GT(dashes, 20) << c.name;
            EXPECT_LT(dashes, 80) << c.name << ": dashed, not solid";
            const int brightest = [&] {
                int best = 0;
                for (int y = edge.top(); y <= edge.bottom(); ++y)
                    best = std::max(best, qBlue(image.pixel(edge.left(), y)));
                return best;
            }();
            if (c.targeted)
                EXPECT_GT(brightest, 150) << c.name;
            else
                EXPECT_LT(brightest, 120) << c.name;
            EXPECT_EQ(itemsNamed(view, "thumbnailImage").size(), 0);
        } else {
            // Four tiles, newest first, 84 wide and 8 apart from the left.
            const auto tiles = itemsNamed(view, "tileTitle");
            ASSERT_EQ(tiles.size(), 4);
            QList<std::pair<double, QString>> row;
            for (QQuickItem* title : tiles)
                row.append(
                    {title->mapToScene(QPointF(0, 0)).x(), title->property("text").toString()});
            std::sort(row.begin(), row.end());
            EXPECT_EQ(row[0].second, QStringLiteral("Harbour.jpg"));
            EXPECT_EQ(row[3].second.left(14), QStringLiteral("Meeting notes:"));
            EXPECT_DOUBLE_EQ(row[0].first, content.left() + 6);
            EXPECT_DOUBLE_EQ(row[1].first - row[0].first, 92);
            // The harbour's thumbnail: its own blue, in a 48 square at the tile's top.
            EXPECT_GT(count(image, QRect(content.left() + 18, content.top() + 28, 48, 48),
                            near(QColor(40, 120, 200), 40)),
                      500);
        }
    }
}

TEST_F(Screenshots, MenusLookLikeTheNotch) {
    fillShelf();
    RenderedRootView view(model.get());
    ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
    model->open(ZelvikPanel::shelf);
    shoot(view, QStringLiteral("open-before-menus"),
          [&](const QImage&) { return thumbnailsLoaded(view); });

    // Under the pointer the settings button lights up and names itself.
    const QRectF settingsButton = model->hitTargets().value(QStringLiteral("settings"));
    QTest::mouseMove(&view.window(), settingsButton.center().toPoint());
    QQuickItem* tip = nullptr;
    ASSERT_TRUE(view.waitFor([&] {
        for (QQuickItem* item : itemsNamed(view, ""))
            if (item->property("text").toString() == QStringLiteral("Settings") &&
                item->isVisible() && item->opacity() > 0.99)
                tip = item;
        return tip != nullptr;
    }));
    ASSERT_TRUE(view.waitForSprings());
    QTest::qWait(200);
    const QImage hovered = view.grab();
    hovered.save(screenshotFolder() + QStringLiteral("/header-hover.png"));
    // The button's disc: white at 0.12 over black, around the gear.
    const QPoint disc = settingsButton.toRect().topLeft() + QPoint(4, 12);
    EXPECT_NEAR(qRed(hovered.pixel(disc)), 31, 6);
    // The tooltip sits below the button, inside the window.
    const QRectF tipRect = tip->mapRectToScene(tip->boundingRect());
    EXPECT_GT(tipRect.top(), settingsButton.bottom());
    EXPECT_LE(tipRect.right(), 760);
    QTest::mouseMove(&view.window(), QPoint(380, 250));

    // A click on a text's tile opens it, which for a text means copying it.
    QQuickItem* textTile = nullptr;
    for (QQuickItem* title : itemsNamed(view, "tileTitle"))
        if (title->property("text").toString().startsWith(QStringLiteral("Meeting")))
            textTile = title;
    ASSERT_NE(textTile, nullptr);
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(&view.window(), Qt::LeftButton, {},
                      textTile->mapToScene(QPointF(36, -20)).toPoint());
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("Meeting notes:")));

    // A link's menu: no "Show in Files", no sending; the remove entry last.
    QQuickItem* linkTile = nullptr;
    for (QQuickItem* title : itemsNamed(view, "tileTitle"))
        if (title->property("text").toString() == QStringLiteral("example.com"))
            linkTile = title;
    ASSERT_NE(linkTile, nullptr);
    const QPoint onLink = linkTile->mapToScene(QPointF(36, -20)).toPoint();
    QTest::mouseClick(&view.window(), Qt::RightButton, {}, onLink);
    auto* menu = view.root()->findChild<QObject*>(QStringLiteral("tileMenu"));
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(view.waitFor([menu] { return menu->property("opened").toBool(); }));
    QTest::qWait(300); // the menu's own fade
    view.grab().save(screenshotFolder() + QStringLiteral("/tile-menu.png"));
    QStringList shown;
    for (const char* name : {"openItem", "revealItem", "copyItem", "shareItem", "removeItem"}) {
        auto* entry = view.root()->findChild<QQuickItem*>(QString::fromLatin1(name));
        ASSERT_NE(entry, nullptr) << name;
        if (entry->isVisible() && entry->height() > 0)
            shown << entry->property("text").toString();
    }
    EXPECT_EQ(shown, (QStringList{"Open", "Copy", "Remove from shelf"}));

    // Removing through the menu takes the tile away.
    auto* remove = view.root()->findChild<QQuickItem*>(QStringLiteral("removeItem"));
    QTest::mouseClick(&view.window(), Qt::LeftButton, {},
                      remove->mapToScene(QPointF(20, remove->height() / 2)).toPoint());
    EXPECT_EQ(model->shelf().size(), 3);
    EXPECT_TRUE(view.waitFor([&] { return itemsNamed(view, "tileTitle").size() == 3; }));

    // The notch's own menu, from the empty part of the header.
    ASSERT_TRUE(view.waitFor([menu] { return !menu->property("visible").toBool(); }));
    QTest::mouseClick(&view.window(), Qt::RightButton, {}, QPoint(380, 16));
    auto* contextMenu = view.root()->findChild<QObject*>(QStringLiteral("contextMenu"));
    ASSERT_TRUE(view.waitFor([contextMenu] { return contextMenu->property("opened").toBool(); }));
    QTest::qWait(300);
    view.grab().save(screenshotFolder() + QStringLiteral("/context-menu.png"));
}

namespace {

// The rectangle an item covers in the window.
QRect sceneRect(QQuickItem* item) {
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height())).toAlignedRect();
}

} // namespace

TEST_F(Screenshots, TheMusicTabInEachOfItsStates) {
    struct Case {
        const char* name;
        bool track;
        bool playing;
        bool permission;
        bool players;
        bool turkish;
        const char* emptyText;
        QStringList buttons;
    };
    const QString iconFile = makeImage(QStringLiteral("player-icon.png"), QColor(250, 200, 30));
    const std::vector<Case> cases{
        {"music-playing", true, true, false, true, false, nullptr, {}},
        {"music-paused", true, false, false, true, false, nullptr, {}},
        {"music-permission", true, true, true, true, false, nullptr, {}},
        {"music-empty", false, false, false, false, false, "Nothing playing right now", {}},
        {"music-empty-players",
         false,
         false,
         true,
         true,
         false,
         "Nothing playing right now",
         {"Open Spotify", "Open Rhythmbox"}},
        {"music-permission-tr", true, true, true, true, true, nullptr, {}},
        {"music-empty-tr",
         false,
         false,
         false,
         true,
         true,
         "Şu an bir şey çalmıyor",
         {"Spotify'ı aç", "Rhythmbox uygulamasını aç"}},
    };
    for (const Case& c : cases) {
        model->close();
        if (c.turkish)
            speakTurkish();
        MusicRig rig(*model, time, time);
        if (c.permission && !c.track) {
            // A running player refuses the start-up read: nothing to show,
            // and the prompt under the buttons.
            rig.notifications->running.insert(MusicSource::appleMusic);
            rig.answer(statusScript("Music"), errorOutput(scriptError::notPermitted));
        }
        ASSERT_TRUE(rig.started());
        if (c.players) {
            rig.install(MusicSource::spotify, QStringLiteral("Spotify"));
            rig.install(MusicSource::appleMusic, QStringLiteral("Rhythmbox"), iconFile);
        }
        if (c.track) {
            ASSERT_TRUE(rig.play(QStringLiteral("Clair de lune"), QStringLiteral("Claude Debussy"),
                                 215000, 12.4, c.playing, coverPng(kCoverLight, kCoverDark)))
                << c.name;
        }
        if (c.permission && c.track) {
            // The player refused to be asked: the prompt takes the bar's place.
            rig.answer(tellTo("Music", "return player position"),
                       errorOutput(scriptError::notPermitted));
            rig.monitor->refreshPosition();
            ASSERT_TRUE(rig.settle());
        }
        ASSERT_EQ(rig.monitor->needsPermission(), c.permission) << c.name;
        RenderedRootView view(model.get());
        ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
        model->open(ZelvikPanel::music);
        const QImage image = shoot(view, QString::fromLatin1(c.name), [&](const QImage&) {
            QQuickItem* icon = findItem(view, "badgeIcon");
            return !c.track || !c.players || (icon && icon->property("status").toInt() == 1);
        });
        const QRect area(126, 38, 508, 136); // the tab's content
        const auto visibleNamed = [&](const char* name) { return findItem(view, name); };

        if (!c.track) {
            ASSERT_NE(visibleNamed("musicEmpty"), nullptr) << c.name;
            EXPECT_EQ(visibleNamed("musicPlaying"), nullptr) << c.name;
            EXPECT_EQ(visibleNamed("nothingPlaying")->property("text").toString(),
                      QString::fromUtf8(c.emptyText))
                << c.name;
            QStringList shown;
            QList<QQuickItem*> buttons;
            for (QQuickItem* button : itemsNamed(view, "openButton")) {
                shown << button->property("text").toString();
                buttons << button;
            }
            EXPECT_EQ(shown, c.buttons) << c.name;
            // The note, the line and the buttons centred under one another.
            const QRect note = inkBounds(image, area, near(kPink, 50));
            EXPECT_NEAR(note.center().x(), 380, 2) << c.name;
            for (QQuickItem* button : buttons)
                EXPECT_GT(sceneRect(button).top(), note.bottom()) << c.name;
            if (buttons.size() == 2) {
                EXPECT_NEAR(buttons[1]->mapToScene(QPointF(0, 0)).x() -
                                buttons[0]->mapToScene(QPointF(buttons[0]->width(), 0)).x(),
                            8, 0.01)
                    << c.name;
                EXPECT_NEAR((sceneRect(buttons[0]).left() + sceneRect(buttons[1]).right()) / 2.0,
                            380, 1)
                    << c.name;
            }
            QQuickItem* prompt = visibleNamed("permissionPrompt");
            EXPECT_EQ(prompt != nullptr, c.permission) << c.name;
            if (prompt && !buttons.isEmpty()) {
                EXPECT_GT(sceneRect(prompt).top(), sceneRect(buttons[0]).bottom()) << c.name;
            }
            continue;
        }

        ASSERT_NE(visibleNamed("musicPlaying"), nullptr) << c.name;
        EXPECT_EQ(visibleNamed("musicEmpty"), nullptr) << c.name;
        EXPECT_EQ(visibleNamed("musicTitle")->property("text").toString(),
                  QStringLiteral("Clair de lune"));
        EXPECT_EQ(visibleNamed("musicArtist")->property("text").toString(),
                  QStringLiteral("Claude Debussy"));

        // The artwork: a 104 x 104 frame at the left of the tab, centred
        // down it, drawn smaller (0.9) about its centre while paused. The
        // cover fills it, its rounded corners left out.
        QQuickItem* art = visibleNamed("musicArtwork");
        ASSERT_NE(art, nullptr) << c.name;
        EXPECT_EQ(QSizeF(art->width(), art->height()), QSizeF(104, 104)) << c.name;
        const QRect frame(area.left(), area.top() + (area.height() - 104) / 2, 104, 104);
        const double scale = c.playing ? 1.0 : 0.9;
        const QRect cover = inkBounds(image, frame.adjusted(-10, -10, 10, 10), [](QRgb p) {
            return qAlpha(p) == 255 && (near(kCoverLight, 30)(p) || near(kCoverDark, 24)(p));
        });
        EXPECT_NEAR(cover.width(), 104 * scale, 2) << c.name;
        EXPECT_NEAR(cover.height(), 104 * scale, 2) << c.name;
        EXPECT_NEAR(cover.center().x(), frame.center().x(), 1) << c.name;
        EXPECT_NEAR(cover.center().y(), frame.center().y(), 1) << c.name;
        EXPECT_TRUE(near(kCoverLight, 30)(image.pixel(cover.topLeft() + QPoint(20, 20))));
        EXPECT_TRUE(near(kCoverDark, 24)(image.pixel(cover.bottomRight() - QPoint(20, 20))));
        EXPECT_FALSE(near(kCoverLight, 30)(image.pixel(cover.topLeft() + QPoint(1, 1))))
            << c.name << ": the corner is rounded off";

        // The badge: the player's own icon at the right of the title row.
        QQuickItem* badge = visibleNamed("sourceBadge");
        ASSERT_NE(badge, nullptr) << c.name;
        EXPECT_EQ(sceneRect(badge).right(), area.right()) << c.name;
        EXPECT_EQ(sceneRect(badge).size(), QSize(18, 18)) << c.name;
        EXPECT_GT(count(image, sceneRect(badge), near(QColor(250, 200, 30), 40)), 80) << c.name;

        // The controls centred under the texts, the play button in the middle.
        QQuickItem* play = visibleNamed("playPauseButton");
        ASSERT_NE(play, nullptr);
        const int detailsLeft = frame.right() + 1 + 18;
        EXPECT_NEAR(sceneRect(play).center().x(), (detailsLeft + area.right()) / 2.0, 1) << c.name;
        EXPECT_EQ(sceneRect(play).size(), QSize(42, 42)) << c.name;

        QQuickItem* prompt = visibleNamed("permissionPrompt");
        QQuickItem* bar = visibleNamed("progressBar");
        EXPECT_EQ(prompt != nullptr, c.permission) << c.name;
        EXPECT_EQ(bar == nullptr, c.permission) << c.name;
        if (prompt) {
            EXPECT_EQ(findItem(view, "permissionText")->property("text").toString(),
                      c.turkish ? QStringLiteral("Kontrol için izin ver: Otomasyon ayarları")
                                : QStringLiteral("Allow control: Automation settings"));
            // In the bar's place: under the titles, over the controls.
            EXPECT_EQ(sceneRect(prompt).left(), detailsLeft) << c.name;
            EXPECT_LT(sceneRect(prompt).bottom(), sceneRect(play).top()) << c.name;
        }
        if (bar) {
            // The bar: 5 high across the texts' column, filled in the
            // accent from its left end for 12.4 of 215 seconds.
            const QRect track = sceneRect(bar);
            EXPECT_EQ(track.left(), detailsLeft) << c.name;
            EXPECT_EQ(track.right(), area.right()) << c.name;
            EXPECT_EQ(track.height(), 5) << c.name;
            const QRect fill = inkBounds(image, track, near(rig.monitor->accent(), 40));
            EXPECT_EQ(fill.left(), track.left()) << c.name;
            EXPECT_NEAR(fill.width(), track.width() * 12.4 / 215, 1.5) << c.name;
            EXPECT_EQ(visibleNamed("elapsedText")->property("text").toString(), u"00:13");
            EXPECT_EQ(visibleNamed("remainingText")->property("text").toString(), u"-03:23");
            EXPECT_GT(sceneRect(visibleNamed("remainingText")).top(), track.bottom());
            EXPECT_EQ(sceneRect(visibleNamed("remainingText")).right(), area.right());
        }
    }
}

TEST_F(Screenshots, TheMusicWingsAndTheSongNoticeShowTheCover) {
    MusicRig rig(*model, time, time);
    ASSERT_TRUE(rig.started());
    ASSERT_TRUE(rig.play(QStringLiteral("Clair de lune"), QStringLiteral("Claude Debussy"), 215000,
                         12.4, true, coverPng(kCoverLight, kCoverDark)));
    const QColor accent = rig.monitor->accent();
    ASSERT_NE(accent, rig.monitor->defaultAccent());
    for (const char* name : {"music-wings-cover", "notice-song-cover"}) {
        model->setHud(std::nullopt);
        if (QLatin1String(name) == QLatin1String("notice-song-cover"))
            showTrackChangeHUD(*model, QStringLiteral("Clair de lune"),
                               QStringLiteral("Claude Debussy"), accent);
        RenderedRootView view(model.get());
        ASSERT_NE(view.root(), nullptr) << view.errors().toStdString();
        const QImage image = shoot(view, QString::fromLatin1(name));
        const bool notice = model->hud().has_value();
        const int wing = notice ? 74 : 44;
        const int rowHeight = 32;
        const QRect leftWing(285 - wing, 0, wing, rowHeight);
        const QRect rightWing(475, 0, wing, rowHeight);

        // The cover, 22 x 22, centred in the left wing.
        const QRect cover = inkBounds(image, leftWing, [](QRgb p) {
            return near(kCoverLight, 30)(p) || near(kCoverDark, 24)(p);
        });
        EXPECT_NEAR(cover.width(), 22, 1) << name;
        EXPECT_NEAR(cover.height(), 22, 1) << name;
        EXPECT_NEAR(cover.center().x(), leftWing.center().x(), 1) << name;
        EXPECT_NEAR(cover.center().y(), rowHeight / 2.0, 1) << name;

        // The equalizer in the accent, 16 wide, centred in the right wing,
        // its bars no taller than 14 and not all alike.
        const QRect bars = inkBounds(image, rightWing, near(accent, 50));
        EXPECT_NEAR(bars.width(), 16, 1) << name;
        EXPECT_LE(bars.height(), 15) << name;
        EXPECT_NEAR(bars.center().x(), rightWing.center().x(), 1) << name;
        EXPECT_NEAR(bars.center().y(), rowHeight / 2.0, 1.5) << name;
        std::set<int> heights;
        for (int x = bars.left(); x <= bars.right(); ++x) {
            const QRect column = inkBounds(image, QRect(x, 0, 1, rowHeight), near(accent, 50));
            if (!column.isEmpty())
                heights.insert(column.height());
        }
        EXPECT_GE(heights.size(), 2u) << name;
    }
}
