#include "ShelfFixture.h"

#include "model/Clock.h"

#include <QLocalServer>
#include <QRegularExpression>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>

using namespace zelvik;
using namespace zelvik::test;

namespace {

const QRegularExpression kCopyName(QStringLiteral("^[0-9A-F]{8}-(.*)$"));

QString copiedName(const ShelfItem& item) {
    const auto match = kCopyName.match(item.fileName.value_or(QString()));
    return match.hasMatch() ? match.captured(1) : QStringLiteral("<not a copy name>");
}

} // namespace

using ShelfStoreTest = ShelfFixture;

TEST_F(ShelfStoreTest, LivesInTheDataFolderAndCreatesItsFoldersOnAccess) {
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                             QStringLiteral("/Zelvik/Shelf");
    ASSERT_TRUE(expected.startsWith(testRoot()));
    EXPECT_EQ(ShelfStore::standardShelfFolder(), expected);
    QDir(expected).removeRecursively();
    SystemClock clock;
    ShelfStore standard(clock);
    EXPECT_EQ(standard.filesFolder(), expected + QStringLiteral("/Files"));
    EXPECT_TRUE(QFileInfo(expected + QStringLiteral("/Files")).isDir());
    EXPECT_EQ(standard.shelfFilePath(), expected + QStringLiteral("/shelf.json"));
}

TEST_F(ShelfStoreTest, CopyKeepsAnUpperCaseExtensionAndPrefixesEightHexDigits) {
    const QString source = makeFile(QStringLiteral("Holiday.JPG"), "jpeg bytes");
    time.setWallTime(790000000);
    const auto item = store.addCopy(QUrl::fromLocalFile(source));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->title, "Holiday.JPG");
    EXPECT_EQ(item->kind, ShelfItem::Kind::image);
    EXPECT_EQ(copiedName(*item), "Holiday.JPG");
    EXPECT_FALSE(item->externalPath);
    EXPECT_EQ(item->createdAt, 790000000);
    QFile copy(store.entryFileURL(*item).toLocalFile());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), "jpeg bytes");
    EXPECT_EQ(store.loadShelf(), QList{*item});
}

TEST_F(ShelfStoreTest, SuggestedNameCarriesTheExtensionOnceInAnyCase) {
    const QUrl source = QUrl::fromLocalFile(makeFile(QStringLiteral("tmp123.png")));
    EXPECT_EQ(store.addCopy(source, QStringLiteral("Screen Shot.PNG"))->title, "Screen Shot.png");
    EXPECT_EQ(store.addCopy(source, QStringLiteral("Screen Shot"))->title, "Screen Shot.png");
    EXPECT_EQ(store.addCopy(source, QStringLiteral("archive.png.png"))->title, "archive.png.png");
    EXPECT_EQ(store.addCopy(source, QStringLiteral("a.jpg"))->title, "a.jpg.png");
}

TEST_F(ShelfStoreTest, EmptyNamesBecomeFileInTheCurrentLanguage) {
    const QUrl noExtension = QUrl::fromLocalFile(makeFile(QStringLiteral("data")));
    EXPECT_EQ(store.addCopy(noExtension, QString())->title, "File");
    setLanguage("tr");
    EXPECT_EQ(store.addCopy(noExtension, QString())->title, "Dosya");
    const QUrl withExtension = QUrl::fromLocalFile(makeFile(QStringLiteral("x.pdf")));
    EXPECT_EQ(store.addCopy(withExtension, QStringLiteral(".pdf"))->title, "Dosya.pdf");
    // A worker passes the word it was given on the main thread.
    EXPECT_EQ(store.addCopy(noExtension, QString(), QStringLiteral("Datei"))->title, "Datei");
}

TEST_F(ShelfStoreTest, UnsafeNamesNeverWriteOutsideTheFilesFolder) {
    const QUrl source = QUrl::fromLocalFile(makeFile(QStringLiteral("x.txt")));
    const QStringList suggestions = {QStringLiteral("../../escape"), QStringLiteral("/etc/passwd"),
                                     QStringLiteral(".."), QStringLiteral("."),
                                     QStringLiteral("a\nb\tc") + QChar(0) + QStringLiteral("d")};
    QStringList titles;
    for (const QString& suggestion : suggestions) {
        const auto item = store.addCopy(source, suggestion);
        ASSERT_TRUE(item) << qPrintable(suggestion);
        titles << item->title;
        const QFileInfo copy(store.entryFileURL(*item).toLocalFile());
        EXPECT_TRUE(copy.exists());
        EXPECT_EQ(copy.absolutePath(), QDir(store.filesFolder()).absolutePath());
    }
    EXPECT_EQ(titles, (QStringList{"..-..-escape.txt", "-etc-passwd.txt", "File.txt", "File.txt",
                                   "abcd.txt"}));
    EXPECT_EQ(copiedFiles().size(), suggestions.size());
    EXPECT_FALSE(QFileInfo::exists(shelfFolder + QStringLiteral("/escape.txt")));
}

TEST_F(ShelfStoreTest, AVeryLongNameIsShortenedSoTheCopySucceeds) {
    const QUrl source = QUrl::fromLocalFile(makeFile(QStringLiteral("x.pdf")));
    const auto item = store.addCopy(source, QString(300, QChar(u'ş')));
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->title.endsWith(".pdf"));
    EXPECT_LE(item->fileName->toUtf8().size(), 255);
    EXPECT_TRUE(QFileInfo::exists(store.entryFileURL(*item).toLocalFile()));
}

TEST_F(ShelfStoreTest, AFailedCopyAddsNothing) {
    writeShelfFile("[]");
    EXPECT_FALSE(store.addCopy(QUrl::fromLocalFile(shelfFolder + QStringLiteral("/missing.txt"))));
    EXPECT_FALSE(store.addCopy(QUrl(QStringLiteral("https://example.com/a.txt"))));
    EXPECT_EQ(readShelfFile(), "[]");
    EXPECT_TRUE(copiedFiles().isEmpty());
}

TEST_F(ShelfStoreTest, SameFileByReferenceOnceByCopyTwice) {
    const QString path = makeFile(QStringLiteral("movie.mkv"));
    bool added = false;
    const ShelfItem first = store.addReference(QUrl::fromLocalFile(path), &added);
    EXPECT_TRUE(added);
    EXPECT_EQ(first.title, "movie.mkv");
    EXPECT_EQ(first.kind, ShelfItem::Kind::video);
    EXPECT_EQ(first.externalPath, path);
    EXPECT_FALSE(first.fileName);
    time.advanceSeconds(5);
    const ShelfItem second = store.addReference(QUrl::fromLocalFile(path), &added);
    EXPECT_FALSE(added);
    EXPECT_EQ(second, first);
    EXPECT_EQ(store.loadShelf().size(), 1);

    const auto copyA = store.addCopy(QUrl::fromLocalFile(path));
    const auto copyB = store.addCopy(QUrl::fromLocalFile(path));
    ASSERT_TRUE(copyA && copyB);
    EXPECT_NE(copyA->fileName, copyB->fileName);
    EXPECT_EQ(copiedFiles().size(), 2);
    EXPECT_EQ(store.loadShelf().size(), 3);
}

TEST_F(ShelfStoreTest, TextTitles) {
    EXPECT_EQ(store.addText(QStringLiteral("\n\nFirst real line\nsecond")).title,
              "First real line");
    EXPECT_EQ(store.addText(QStringLiteral("\r\n\u2029  indented\u0085next")).title, "  indented");
    const QString onlyBreaks = QStringLiteral("\n\r\n\n");
    EXPECT_EQ(store.addText(onlyBreaks).title, onlyBreaks);

    const QString hundred = QString(50, u'a') + QString(50, u'b');
    const ShelfItem long_ = store.addText(hundred);
    EXPECT_EQ(long_.title, QString(50, u'a') + QString(10, u'b'));
    EXPECT_EQ(long_.text, hundred);
    EXPECT_EQ(long_.kind, ShelfItem::Kind::text);

    // Sixty characters as a reader counts them: flags and accents are one each.
    const QString flag = QStringLiteral("🇹🇷");
    QString flags;
    for (int i = 0; i < 70; ++i)
        flags += flag;
    EXPECT_EQ(store.addText(flags).title, flags.left(60 * flag.size()));
    const QString accented = QStringLiteral("e\u0301");
    QString accents;
    for (int i = 0; i < 61; ++i)
        accents += accented;
    EXPECT_EQ(store.addText(accents).title.size(), 120);

    EXPECT_EQ(store.addText(QString()).title, "Text");
    setLanguage("tr");
    EXPECT_EQ(store.addText(QString()).title, "Metin");
}

TEST_F(ShelfStoreTest, LinkTitles) {
    const QUrl mail(QStringLiteral("mailto:ada@example.com"));
    ShelfItem item = store.addLink(mail);
    EXPECT_EQ(item.title, "mailto:ada@example.com");
    EXPECT_EQ(item.urlString, "mailto:ada@example.com");
    EXPECT_EQ(item.kind, ShelfItem::Kind::link);
    EXPECT_EQ(store.addLink(mail, QStringLiteral("Write to Ada")).title, "Write to Ada");
    EXPECT_EQ(store.addLink(mail, QString()).title, "mailto:ada@example.com");
    item = store.addLink(QUrl(QStringLiteral("https://bücher.example/a b")));
    EXPECT_EQ(item.title, "xn--bcher-kva.example");
    EXPECT_EQ(item.urlString, "https://xn--bcher-kva.example/a%20b");
    // Links are never merged.
    EXPECT_EQ(store.loadShelf().size(), 4);
}

TEST_F(ShelfStoreTest, NewestFirstAndEqualDatesKeepTheirOrder) {
    const ShelfItem a = store.addText(QStringLiteral("a"));
    time.advanceSeconds(1);
    const ShelfItem b = store.addText(QStringLiteral("b"));
    const ShelfItem c = store.addText(QStringLiteral("c"));
    EXPECT_EQ(store.loadShelf(), (QList{c, b, a}));
}

TEST_F(ShelfStoreTest, RemovingDeletesCopiesButNeverReferencedFiles) {
    const QString referenced = makeFile(QStringLiteral("keep.txt"));
    const ShelfItem reference = store.addReference(QUrl::fromLocalFile(referenced));
    const auto copy = store.addCopy(QUrl::fromLocalFile(makeFile(QStringLiteral("copy.txt"))));
    ASSERT_TRUE(copy);
    ASSERT_EQ(copiedFiles().size(), 1);

    store.removeEntry(*copy);
    EXPECT_TRUE(copiedFiles().isEmpty());
    store.removeEntry(reference);
    EXPECT_TRUE(QFileInfo::exists(referenced));
    EXPECT_TRUE(store.loadShelf().isEmpty());

    store.addReference(QUrl::fromLocalFile(referenced));
    ASSERT_TRUE(store.addCopy(QUrl::fromLocalFile(makeFile(QStringLiteral("b.txt")))));
    store.addText(QStringLiteral("t"));
    store.removeAllEntries();
    EXPECT_TRUE(store.loadShelf().isEmpty());
    EXPECT_TRUE(copiedFiles().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(referenced));
    EXPECT_EQ(readShelfFile(), "[]");
}

TEST_F(ShelfStoreTest, StoredFileNamesThatAreNotPlainNamesDeleteNothingOutside) {
    // Victims beside the shelf folder and inside it.
    const QString outside = shelfFolder + QStringLiteral("/victim.txt");
    const QString absolute = makeFile(QStringLiteral("absolute.txt"));
    store.shelfFolder();
    ASSERT_TRUE(QFile(outside).open(QIODevice::WriteOnly));
    const auto entry = [](const char* id, const QString& fileName, double createdAt) {
        return QStringLiteral(
                   R"({"id":"%1","kind":"file","title":"x","fileName":"%2","createdAt":%3})")
            .arg(QString::fromLatin1(id), fileName)
            .arg(createdAt);
    };
    const QString json = u'[' + entry("11111111-1111-4111-8111-111111111111", "../victim.txt", 1) +
                         u',' + entry("22222222-2222-4222-8222-222222222222", absolute, 1) + u',' +
                         entry("33333333-3333-4333-8333-333333333333", "..", 1) + u',' +
                         entry("44444444-4444-4444-8444-444444444444", "", 1) + u']';
    writeShelfFile(json.toUtf8());
    QList<ShelfItem> items = store.loadShelf();
    ASSERT_EQ(items.size(), 4);
    for (const ShelfItem& item : items)
        EXPECT_TRUE(store.entryFileURL(item).isEmpty());

    store.removeEntry(items.at(0));
    store.clearOlderThan(1);
    EXPECT_TRUE(store.loadShelf().isEmpty());
    writeShelfFile(json.toUtf8());
    store.removeAllEntries();
    EXPECT_TRUE(QFileInfo::exists(outside));
    EXPECT_TRUE(QFileInfo::exists(absolute));
    EXPECT_TRUE(QFileInfo(store.filesFolder()).isDir());
}

TEST_F(ShelfStoreTest, AutoClearByAgeIsStrictToTheSecond) {
    const QString referenced = makeFile(QStringLiteral("old-ref.txt"));
    const double start = 786000000;
    time.setWallTime(start);
    const auto oldCopy = store.addCopy(QUrl::fromLocalFile(makeFile(QStringLiteral("old.txt"))));
    const ShelfItem oldReference = store.addReference(QUrl::fromLocalFile(referenced));
    time.setWallTime(start + 2);
    const ShelfItem young = store.addText(QStringLiteral("young"));
    ASSERT_TRUE(oldCopy);

    // Now the first two are one second more than a day old, the text one
    // second less.
    time.setWallTime(start + 86400 + 1);
    const QByteArray before = readShelfFile();
    store.clearOlderThan(0);
    EXPECT_EQ(readShelfFile(), before);
    store.clearOlderThan(7);
    EXPECT_EQ(readShelfFile(), before);
    store.clearOlderThan(1);
    EXPECT_EQ(store.loadShelf(), QList{young});
    EXPECT_TRUE(copiedFiles().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(referenced));
    Q_UNUSED(oldReference);
}

TEST_F(ShelfStoreTest, AChangeMadeOutsideTheStoreIsSeenOnTheNextLoad) {
    store.addText(QStringLiteral("abc"));
    ASSERT_EQ(store.loadShelf().value(0).title, "abc");
    QByteArray json = readShelfFile();
    json.replace("\"abc\"", "\"xyz\"");
    writeShelfFile(json);
    EXPECT_EQ(store.loadShelf().value(0).title, "xyz");
    QFile::remove(store.shelfFilePath());
    EXPECT_TRUE(store.loadShelf().isEmpty());
}

TEST_F(ShelfStoreTest, AFolderIsCopiedWholeAndRemovedWhole) {
    const QString file = makeFile(QStringLiteral("inner.txt"), "inside");
    const QString folder = QFileInfo(file).absolutePath();
    QDir().mkpath(folder + QStringLiteral("/sub"));
    QFile nested(folder + QStringLiteral("/sub/deep.txt"));
    ASSERT_TRUE(nested.open(QIODevice::WriteOnly));
    nested.write("deep");
    nested.close();

    const auto copy = store.addCopy(QUrl::fromLocalFile(folder + u'/'));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->title, QFileInfo(folder).fileName());
    EXPECT_EQ(copy->kind, ShelfItem::Kind::file);
    const QString copied = store.entryFileURL(*copy).toLocalFile();
    QFile deep(copied + QStringLiteral("/sub/deep.txt"));
    ASSERT_TRUE(deep.open(QIODevice::ReadOnly));
    EXPECT_EQ(deep.readAll(), "deep");

    const ShelfItem reference = store.addReference(QUrl::fromLocalFile(folder + u'/'));
    EXPECT_EQ(reference.title, QFileInfo(folder).fileName());

    store.removeEntry(*copy);
    EXPECT_FALSE(QFileInfo::exists(copied));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/sub/deep.txt")));

    // The folder that holds the shelf cannot be copied into it.
    EXPECT_FALSE(store.addCopy(QUrl::fromLocalFile(shelfFolder)));
    EXPECT_EQ(store.loadShelf().size(), 1);
}

namespace {

// Runs addCopy on another thread and gives up after a generous bound, so a
// copy that blocks (a FIFO with no writer) fails the test instead of hanging
// it. Opening a blocked FIFO for writing lets the stuck copy finish.
std::optional<std::optional<ShelfItem>> copyWithin(ShelfStore& store, const QString& path) {
    auto copy = std::async(std::launch::async,
                           [&store, path] { return store.addCopy(QUrl::fromLocalFile(path)); });
    if (copy.wait_for(std::chrono::seconds(30)) == std::future_status::ready)
        return copy.get();
    for (const QString& fifo : {path, path + QStringLiteral("/pipe")}) {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    }
    copy.wait();
    return std::nullopt;
}

} // namespace

// A dropped FIFO would block its copy forever (and quitting with it);
// sockets and device files are no files to keep either. Links are kept as
// links, never followed, so a loop of links cannot run away.
TEST_F(ShelfStoreTest, OnlyFilesFoldersAndLinksAreCopiedAndNothingBlocks) {
    const QString plain = makeFile(QStringLiteral("plain.txt"), "plain");
    const QString folder = QFileInfo(plain).absolutePath();
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + QStringLiteral("/pipe")).constData(), 0600), 0);
    QLocalServer socket;
    ASSERT_TRUE(socket.listen(folder + QStringLiteral("/socket")));
    ASSERT_TRUE(QFile::link(plain, folder + QStringLiteral("/link.txt")));
    ASSERT_TRUE(QFile::link(folder, folder + QStringLiteral("/loop")));

    const struct {
        QString path;
        bool copied;
    } cases[] = {
        {plain, true},
        {folder + QStringLiteral("/pipe"), false},
        {folder + QStringLiteral("/socket"), false},
        {QStringLiteral("/dev/null"), false},
        {folder + QStringLiteral("/link.txt"), true},
        {folder, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const auto result = copyWithin(store, c.path);
        ASSERT_TRUE(result) << "the copy never finished";
        EXPECT_EQ(result->has_value(), c.copied);
    }

    const QList<ShelfItem> entries = store.loadShelf();
    ASSERT_EQ(entries.size(), 3);
    // Newest first: the folder, the link, the plain file.
    const QString folderCopy = store.entryFileURL(entries[0]).toLocalFile();
    const QFileInfo linkCopy(store.entryFileURL(entries[1]).toLocalFile());
    QFile plainCopy(store.entryFileURL(entries[2]).toLocalFile());
    ASSERT_TRUE(plainCopy.open(QIODevice::ReadOnly));
    EXPECT_EQ(plainCopy.readAll(), "plain");
    EXPECT_TRUE(linkCopy.isSymLink());
    EXPECT_EQ(linkCopy.symLinkTarget(), plain);

    // Inside the copied folder: the file and both links, not the FIFO or the
    // socket; the loop is a link, not a copy of itself.
    QStringList inside =
        QDir(folderCopy)
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    inside.sort();
    EXPECT_EQ(inside, (QStringList{QStringLiteral("link.txt"), QStringLiteral("loop"),
                                   QStringLiteral("plain.txt")}));
    EXPECT_TRUE(QFileInfo(folderCopy + QStringLiteral("/loop")).isSymLink());
    // No partial copy of anything that was refused.
    EXPECT_EQ(QDir(store.filesFolder())
                  .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
                  .size(),
              3);
}
