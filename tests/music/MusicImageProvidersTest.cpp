// The music views' image sources: the cover as the monitor has it now, and
// player icons, served to QML images.
#include "MusicFakes.h"

#include "support/TestEnvironment.h"
#include "views/MusicImageProviders.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickImageProvider>

using namespace zelvik;
using namespace zelvik::test;

TEST_F(MonitorFixture, QmlImagesShowTheCurrentCoverAndPlayerIcons) {
    QQmlEngine engine;
    installMusicImageProviders(engine, monitor);
    engine.rootContext()->setContextProperty(QStringLiteral("music"), &monitor);
    QQmlComponent component(&engine);
    component.setData("import QtQuick\n"
                      "Item {\n"
                      "  property alias cover: cover\n"
                      "  property alias icon: icon\n"
                      "  Image { id: cover; source: music.artworkUrl; cache: false }\n"
                      "  Image { id: icon; sourceSize: Qt.size(24, 24) }\n"
                      "}\n",
                      QUrl());
    std::unique_ptr<QObject> root(component.create());
    ASSERT_TRUE(root) << component.errorString().toStdString();
    QObject* cover = root->property("cover").value<QObject*>();

    // No cover: no source.
    EXPECT_TRUE(cover->property("source").toUrl().isEmpty());

    notifications->running.insert(MusicSource::appleMusic);
    ASSERT_TRUE(start());
    const QString artwork = tellTo("Music", "return raw data of artwork 1 of current track");
    for (const auto& [title, color] :
         {std::pair{"One", QColor(Qt::red)}, {"Two", QColor(Qt::blue)}}) {
        SCOPED_TRACE(title);
        answer(artwork, [&] {
            ScriptOutput output;
            output.data = pngOf(color, {12, 6});
            return output;
        }());
        notifications->post(MusicSource::appleMusic,
                            {{"Player State", "Playing"}, {"Name", QString::fromLatin1(title)}});
        ASSERT_TRUE(settle());
        ASSERT_TRUE(QTest::qWaitFor([&] { return cover->property("status").toInt() == 1; }));
        EXPECT_EQ(cover->property("source").toUrl(), monitor.artworkUrl());
        EXPECT_EQ(cover->property("implicitWidth").toInt(), 12);
        // The picture QML got is this song's.
        auto* provider = static_cast<QQuickImageProvider*>(
            engine.imageProvider(QStringLiteral("zelvik-artwork")));
        QSize size;
        const QImage served =
            provider->requestImage(monitor.artworkUrl().path().mid(1), &size, QSize(24, 24));
        EXPECT_EQ(served.pixelColor(5, 5).rgb(), color.rgb());
        EXPECT_EQ(size, QSize(48, 24)); // filled, keeping its shape
    }

    // Icons by file, whatever the file is called, as the views name them;
    // none for what cannot be drawn, so that the view draws its own symbol.
    QObject* iconImage = root->property("icon").value<QObject*>();
    const auto show = [&](const QUrl& source) {
        iconImage->setProperty("source", QUrl());
        iconImage->setProperty("source", source);
        // Ready (1) or Error (3).
        EXPECT_TRUE(QTest::qWaitFor([&] {
            const int status = iconImage->property("status").toInt();
            return status == 1 || status == 3;
        }));
        return iconImage->property("status").toInt() == 1 &&
               iconImage->property("implicitWidth").toInt() == 24;
    };
    const auto iconFile = [](const QString& name) {
        const QString path = testRoot() + u'/' + name;
        QImage icon(64, 64, QImage::Format_ARGB32);
        icon.fill(Qt::green);
        EXPECT_TRUE(icon.save(path, "PNG"));
        return path;
    };
    const QString plain = iconFile(QStringLiteral("player-icon.png"));
    EXPECT_TRUE(show(QUrl(QStringLiteral("image://zelvik-icon/") + plain)));
    EXPECT_TRUE(show(playerIconUrl(plain)));
    const QString odd = iconFile(QStringLiteral("player icon 100% #1.png"));
    EXPECT_TRUE(show(playerIconUrl(odd))) << playerIconUrl(odd).toString().toStdString();
    EXPECT_TRUE(playerIconUrl(QString()).isEmpty());
    EXPECT_TRUE(playerIconUrl(testRoot() + QStringLiteral("/no-such-icon.png")).isEmpty());
    EXPECT_TRUE(playerIconUrl(QStringLiteral("zelvik-no-such-theme-icon")).isEmpty());
    EXPECT_TRUE(playerIconUrl(testRoot()).isEmpty()); // a folder
}
