// Thumbnails of shelf files: decoded images, the freedesktop cache, and the
// MIME type's icon when neither has one.
#include "support/TestEnvironment.h"
#include "views/ShelfThumbnailer.h"
#include "views/ThumbnailImage.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImageWriter>
#include <QPainter>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace zelvik;
using namespace zelvik::test;

namespace {

QString folderFor(const char* name) {
    const QString folder = testRoot() + QStringLiteral("/thumbnails-test/") + QLatin1String(name);
    QDir().mkpath(folder);
    return folder;
}

// Left half red, right half blue: a crop that keeps the middle shows both.
QImage halves(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height, Qt::red);
    painter.fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
    return image;
}

QString writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

// What a thumbnailer leaves in the cache for `path`, stamped with `mtime`.
void cacheThumbnail(const QString& path, const char* size, qint64 mtime, const QColor& colour) {
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                           QStringLiteral("/thumbnails/") + QLatin1String(size);
    QDir().mkpath(folder);
    QImage image(128, 128, QImage::Format_ARGB32);
    image.fill(colour);
    image.setText(QStringLiteral("Thumb::URI"), QString::fromUtf8(uri));
    image.setText(QStringLiteral("Thumb::MTime"), QString::number(mtime));
    QImageWriter writer(
        folder + u'/' +
        QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
        QStringLiteral(".png"));
    ASSERT_TRUE(writer.write(image)) << writer.errorString().toStdString();
}

qint64 mtimeOf(const QString& path) {
    return QFileInfo(path).lastModified().toSecsSinceEpoch();
}

} // namespace

TEST(Thumbnails, EachKindOfFileGetsTheRightPictureOrNone) {
    const QString folder = folderFor("kinds");
    halves(400, 200).save(folder + QStringLiteral("/wide.png"));
    halves(30, 60).save(folder + QStringLiteral("/small.jpg"), "jpg", 100);
    writeFile(folder + QStringLiteral("/not-really.png"), "plain text, not a picture");
    const QString cached = writeFile(folder + QStringLiteral("/report.pdf"), "%PDF-1.4");
    cacheThumbnail(QFileInfo(cached).absoluteFilePath(), "normal", mtimeOf(cached), Qt::green);
    const QString stale = writeFile(folder + QStringLiteral("/old.pdf"), "%PDF-1.4");
    cacheThumbnail(QFileInfo(stale).absoluteFilePath(), "normal", mtimeOf(stale) - 60, Qt::green);
    writeFile(folder + QStringLiteral("/notes.txt"), "nothing cached for this one");
    QDir().mkpath(folder + QStringLiteral("/a-folder.png"));
    ASSERT_EQ(mkfifo(qPrintable(folder + QStringLiteral("/pipe.png")), 0600), 0);

    struct Case {
        const char* file;
        bool picture;
        QColor left;  // colour a little in from the left edge
        QColor right; // and from the right edge
    };
    for (const Case& c : {
             Case{"wide.png", true, Qt::red, Qt::blue},  // cropped to its middle square
             Case{"small.jpg", true, Qt::red, Qt::blue}, // scaled up to fill
             Case{"not-really.png", false, {}, {}},
             Case{"report.pdf", true, Qt::green, Qt::green}, // from the cache
             Case{"old.pdf", false, {}, {}}, // the cached one is of an older version
             Case{"notes.txt", false, {}, {}}, Case{"missing.png", false, {}, {}},
             Case{"a-folder.png", false, {}, {}},
             Case{"pipe.png", false, {}, {}}, // must not wait for a writer
         }) {
        const QImage image = loadShelfThumbnail(folder + u'/' + QLatin1String(c.file), 96);
        ASSERT_EQ(!image.isNull(), c.picture) << c.file;
        if (!c.picture)
            continue;
        EXPECT_EQ(image.size(), QSize(96, 96)) << c.file;
        const auto near = [](QColor a, QColor b) {
            return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
                   std::abs(a.blue() - b.blue()) < 40;
        };
        EXPECT_TRUE(near(image.pixelColor(10, 48), c.left)) << c.file;
        EXPECT_TRUE(near(image.pixelColor(85, 48), c.right)) << c.file;
    }
}

TEST(Thumbnails, TheCacheAnswersWithItsSmallestSizeThatIsLargeEnough) {
    const QString folder = folderFor("sizes");
    const QString file =
        QFileInfo(writeFile(folder + QStringLiteral("/clip.mkv"), "x")).absoluteFilePath();
    cacheThumbnail(file, "normal", mtimeOf(file), Qt::green);
    cacheThumbnail(file, "large", mtimeOf(file), Qt::yellow);
    EXPECT_EQ(cachedThumbnail(file, 96).pixelColor(48, 48), QColor(Qt::green));
    EXPECT_EQ(cachedThumbnail(file, 200).pixelColor(100, 100), QColor(Qt::yellow));
}

TEST(Thumbnails, AFileWithoutAPictureShowsItsTypesIcon) {
    // A theme of its own, so the test does not depend on the machine's.
    const QString themes = folderFor("icons");
    const QString theme = themes + QStringLiteral("/ZelvikTest");
    QDir().mkpath(theme + QStringLiteral("/48x48/mimetypes"));
    writeFile(theme + QStringLiteral("/index.theme"),
              "[Icon Theme]\nName=ZelvikTest\nDirectories=48x48/mimetypes\n\n"
              "[48x48/mimetypes]\nSize=48\nType=Fixed\n");
    QImage icon(48, 48, QImage::Format_ARGB32);
    icon.fill(Qt::magenta);
    icon.save(theme + QStringLiteral("/48x48/mimetypes/text-plain.png"));
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString themeName = QIcon::themeName();
    QIcon::setThemeSearchPaths({themes});
    QIcon::setThemeName(QStringLiteral("ZelvikTest"));

    const QString text = writeFile(folderFor("icon") + QStringLiteral("/notes.txt"), "words");
    const QImage shown = mimeTypeIcon(text, 48);
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixelColor(24, 24), QColor(Qt::magenta));

    // The tile's picture item goes the same way: nothing from the file,
    // then the icon, loaded off the main thread.
    ThumbnailImage item;
    item.setPath(text);
    EXPECT_TRUE(QTest::qWaitFor([&] { return item.ready(); }, 5000));
    EXPECT_EQ(item.image().pixelColor(24, 24), QColor(Qt::magenta));
    item.setPath(QString());
    EXPECT_FALSE(item.ready());

    QIcon::setThemeName(themeName);
    QIcon::setThemeSearchPaths(searchPaths);
}
