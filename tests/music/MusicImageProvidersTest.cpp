// The music views' image sources: the cover as the monitor has it now, and
// player icons, served to QML images.
#include "MusicFakes.h"

#include "support/TestEnvironment.h"
#include "views/MusicImageProviders.h"

#include <QBuffer>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickImageProvider>

using namespace zelvik;
using namespace zelvik::test;

namespace {

QByteArray pngOf(const QColor& color, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

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

    const QString iconFile = testRoot() + QStringLiteral("/player-icon.png");
    QImage icon(64, 64, QImage::Format_ARGB32);
    icon.fill(Qt::green);
    ASSERT_TRUE(icon.save(iconFile));
    QObject* iconImage = root->property("icon").value<QObject*>();
    iconImage->setProperty("source", QUrl(QStringLiteral("image://zelvik-icon/") + iconFile));
    ASSERT_TRUE(QTest::qWaitFor([&] { return iconImage->property("status").toInt() == 1; }));
    EXPECT_EQ(iconImage->property("implicitWidth").toInt(), 24);
}
