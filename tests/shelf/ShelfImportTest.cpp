#include "ShelfFixture.h"

#include "shelf/ShelfImport.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QTest>

using namespace zelvik;
using namespace zelvik::test;

namespace {

using Action = ShelfDropItem::Action;

QByteArray utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

QByteArray pngBytes() {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class ShelfImportTest : public ShelfFixture {
protected:
    const ShelfImportWords words{QStringLiteral("File"), QStringLiteral("Text")};
};

TEST_F(ShelfImportTest, FileUrlsFollowTheCopySettingAndOtherUrlsAreLinks) {
    const QString a = makeFile(QStringLiteral("a.txt"));
    const QString b = makeFile(QStringLiteral("b.png"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a), QUrl(QStringLiteral("https://example.com/page")),
                  QUrl::fromLocalFile(b)});
    data.setText(QStringLiteral("ignored"));

    QList<ShelfDropItem> items = readDrop(data, true);
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].action, Action::copyFile);
    EXPECT_EQ(items[1].action, Action::link);
    EXPECT_EQ(items[2].action, Action::copyFile);
    items = readDrop(data, false);
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].action, Action::referenceFile);
    EXPECT_EQ(items[2].action, Action::referenceFile);

    EXPECT_EQ(storeDropItems(store, readDrop(data, true), words), 3);
    EXPECT_EQ(copiedFiles().size(), 2);
    // By reference: new entries for both files, then the same drop adds nothing.
    EXPECT_EQ(storeDropItems(store, readDrop(data, false), words), 3);
    EXPECT_EQ(storeDropItems(store, readDrop(data, false), words), 1);
    const QList<ShelfItem> shelf = store.loadShelf();
    EXPECT_EQ(shelf.size(), 7);
    EXPECT_EQ(copiedFiles().size(), 2);
}

TEST_F(ShelfImportTest, AWebLinkWinsOverItsImageAndTextAndTakesTheBrowsersTitle) {
    QMimeData data;
    const QUrl url(QStringLiteral("https://example.com/cat.jpg"));
    data.setUrls({url});
    data.setData(QStringLiteral("text/x-moz-url"),
                 utf16(QStringLiteral("https://example.com/cat.jpg\nA cat")));
    data.setData(QStringLiteral("image/png"), pngBytes());
    data.setText(url.toString());
    const QList<ShelfDropItem> items = readDrop(data, false);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].action, Action::link);
    EXPECT_EQ(items[0].url, url);
    EXPECT_EQ(items[0].suggestedName, "A cat");

    QMimeData netscape;
    netscape.setUrls({url});
    netscape.setData(QStringLiteral("_NETSCAPE_URL"), "https://example.com/cat.jpg\nCat page");
    EXPECT_EQ(readDrop(netscape, false).value(0).suggestedName, "Cat page");

    QMimeData untitled;
    untitled.setUrls({url});
    EXPECT_FALSE(readDrop(untitled, false).value(0).suggestedName);
    EXPECT_EQ(storeDropItems(store, readDrop(untitled, false), words), 1);
    EXPECT_EQ(store.loadShelf().value(0).title, "example.com");
}

TEST_F(ShelfImportTest, MediaIsCopiedWhateverTheSetting) {
    QMimeData image;
    image.setData(QStringLiteral("text/html"), "<img>");
    image.setData(QStringLiteral("image/png"), pngBytes());
    image.setText(QStringLiteral("a picture"));
    const QList<ShelfDropItem> items = readDrop(image, false);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].action, Action::copyData);
    EXPECT_EQ(items[0].mimeType, "image/png");
    EXPECT_EQ(storeDropItems(store, items, words), 1);
    const ShelfItem stored = store.loadShelf().value(0);
    EXPECT_EQ(stored.kind, ShelfItem::Kind::image);
    EXPECT_EQ(stored.title, "image.png");
    QFile copy(store.entryFileURL(stored).toLocalFile());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), pngBytes());

    QMimeData video;
    video.setData(QStringLiteral("video/mp4"), "not really a movie");
    EXPECT_EQ(storeDropItems(store, readDrop(video, false), words), 1);
    EXPECT_EQ(store.loadShelf().value(0).kind, ShelfItem::Kind::video);
    EXPECT_EQ(store.loadShelf().value(0).title, "video.mp4");

    // An image dragged within the program comes as a QImage alone.
    QMimeData inProcess;
    QImage picture(2, 2, QImage::Format_ARGB32);
    picture.fill(Qt::blue);
    inProcess.setImageData(picture);
    const QList<ShelfDropItem> decoded = readDrop(inProcess, false);
    ASSERT_EQ(decoded.size(), 1);
    EXPECT_EQ(decoded[0].mimeType, "image/png");
    EXPECT_EQ(QImage::fromData(decoded[0].data).pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(ShelfImportTest, TextIsKeptAndEmptyTextFallsThroughToACopy) {
    QMimeData text;
    text.setText(QStringLiteral("\nRemember the milk\nand eggs"));
    QList<ShelfDropItem> items = readDrop(text, true);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].action, Action::text);
    EXPECT_EQ(storeDropItems(store, items, words), 1);
    EXPECT_EQ(store.loadShelf().value(0).title, "Remember the milk");

    QMimeData emptyText;
    emptyText.setText(QString());
    emptyText.setData(QStringLiteral("application/pdf"), "%PDF-1.4");
    items = readDrop(emptyText, true);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].action, Action::copyData);
    EXPECT_EQ(items[0].mimeType, "application/pdf");
    EXPECT_EQ(storeDropItems(store, items, words), 1);
    EXPECT_EQ(store.loadShelf().value(0).title, "data.pdf");
    EXPECT_EQ(store.loadShelf().value(0).kind, ShelfItem::Kind::file);
}

TEST_F(ShelfImportTest, ADropWithNothingUsableAddsNothing) {
    QMimeData nothing;
    EXPECT_TRUE(readDrop(nothing, true).isEmpty());
    QMimeData emptyOnly;
    emptyOnly.setText(QString());
    EXPECT_TRUE(readDrop(emptyOnly, true).isEmpty());
    QMimeData missingFile;
    missingFile.setUrls({QUrl::fromLocalFile(shelfFolder + QStringLiteral("/gone.txt"))});
    writeShelfFile("[]");
    EXPECT_EQ(storeDropItems(store, readDrop(missingFile, true), words), 0);
    EXPECT_EQ(readShelfFile(), "[]");
}

// Copies finish on worker threads while the main thread keeps adding; each
// load-change-save cycle must see the others' entries.
TEST_F(ShelfImportTest, TwoHundredConcurrentCopiesWithMainThreadAddsLoseNothing) {
    constexpr int kCopies = 200;
    QStringList expectedTitles;
    QList<QList<ShelfDropItem>> drops;
    for (int i = 0; i < kCopies; ++i) {
        const QString name = QStringLiteral("source-%1.txt").arg(i);
        ShelfDropItem item;
        item.action = Action::copyFile;
        item.url = QUrl::fromLocalFile(makeFile(name, QByteArray::number(i)));
        drops << QList{item};
        expectedTitles << name;
    }
    ShelfImport importer(store);
    int reported = 0;
    int reports = 0;
    for (int i = 0; i < kCopies; ++i) {
        importer.importItems(drops[i], [&](int added) {
            reported += added;
            ++reports;
        });
        const QString text = QStringLiteral("main %1").arg(i);
        store.addText(text);
        expectedTitles << text;
    }
    importer.waitForDone();
    QTRY_COMPARE_WITH_TIMEOUT(reports, kCopies, 10000);
    EXPECT_EQ(reported, kCopies);

    QStringList titles;
    for (const ShelfItem& item : store.loadShelf())
        titles << item.title;
    QStringList lost;
    for (const QString& title : std::as_const(expectedTitles)) {
        if (!titles.contains(title))
            lost << title;
    }
    EXPECT_EQ(titles.size(), expectedTitles.size());
    EXPECT_TRUE(lost.isEmpty()) << lost.size()
                                << " entries lost: " << qPrintable(lost.mid(0, 5).join(u", "));
    EXPECT_EQ(copiedFiles().size(), kCopies);
}

// Quitting destroys the import while a large copy runs: the copy stops and
// neither an entry nor a piece of the file is left in the shelf.
TEST_F(ShelfImportTest, DestroyingTheImportStopsARunningCopyAndLeavesNothing) {
    const QString big = makeFile(QStringLiteral("big.iso"), QByteArray());
    {
        QFile file(big);
        ASSERT_TRUE(file.resize(qint64(256) << 20)); // sparse: quick to make, slow to copy
    }
    ShelfDropItem item;
    item.action = Action::copyFile;
    item.url = QUrl::fromLocalFile(big);
    auto importer = std::make_unique<ShelfImport>(store);
    importer->importItems({item}, {});

    const QDir files(store.filesFolder());
    const auto inFiles = [&] {
        return files.entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                               QDir::NoDotAndDotDot);
    };
    const bool copying = QTest::qWaitFor([&] { return !inFiles().isEmpty(); }, 30000);
    importer.reset();
    ASSERT_TRUE(copying) << "the copy never started";
    EXPECT_TRUE(inFiles().isEmpty()) << qPrintable(inFiles().join(u", "));
    EXPECT_TRUE(store.loadShelf().isEmpty());
}

// The source of a drop is told what the shelf did with it. A file manager
// told "move" deletes its original, so that answer is never given.
TEST_F(ShelfImportTest, ADropIsReportedAsACopyOrALinkNeverAMove) {
    const QUrl file = QUrl::fromLocalFile(makeFile(QStringLiteral("a.txt")));
    const QUrl web(QStringLiteral("https://example.com/"));
    const Qt::DropActions copyOrMove = Qt::CopyAction | Qt::MoveAction;
    const Qt::DropActions all = copyOrMove | Qt::LinkAction;
    const struct {
        QList<QUrl> urls;
        bool copyFiles;
        Qt::DropActions offered;
        Qt::DropAction expected;
    } cases[] = {
        {{file}, true, copyOrMove, Qt::CopyAction},
        {{file}, true, all, Qt::CopyAction},
        {{file}, false, all, Qt::LinkAction},        // kept where it is
        {{file}, false, copyOrMove, Qt::CopyAction}, // no link offered
        {{file}, false, Qt::MoveAction, Qt::CopyAction},
        {{file, web}, false, all, Qt::CopyAction}, // the web page is copied in
        {{web}, false, all, Qt::CopyAction},
        {{}, false, all, Qt::CopyAction}, // text
    };
    for (const auto& c : cases) {
        QMimeData data;
        if (c.urls.isEmpty())
            data.setText(QStringLiteral("words"));
        else
            data.setUrls(c.urls);
        EXPECT_EQ(shelfDropAction(data, c.copyFiles, c.offered), c.expected)
            << c.urls.size() << " urls, copy " << c.copyFiles << ", offered " << int(c.offered);
    }
}
