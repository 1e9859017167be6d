// The shelf's data under attack: unreadable lists, crafted names and
// entries, and a writer killed at random moments.
#include "ShelfFixture.h"
#include "ShelfWriterPlan.h"
#include "support/StderrCapture.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <random>
#include <thread>

using namespace zelvik;
using namespace zelvik::test;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Path (relative to root) and a hash of the content of every file, folder
// and link below root, except below the skipped folders.
std::map<QString, QByteArray> snapshot(const QString& root, const QStringList& skipped) {
    std::map<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (std::any_of(skipped.cbegin(), skipped.cend(), [&path](const QString& folder) {
                return path == folder || path.startsWith(folder + u'/');
            }))
            continue;
        const QFileInfo info = it.fileInfo();
        QByteArray what;
        if (info.isSymLink())
            what = "link to " + info.symLinkTarget().toUtf8();
        else if (info.isDir())
            what = "folder";
        else
            what = QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256).toHex();
        entries[QDir(root).relativeFilePath(path)] = what;
    }
    return entries;
}

const QByteArray kThreeEntries =
    R"([{"id":"0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9","kind":"text","title":"one","text":"one","createdAt":3},)"
    R"({"id":"1A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9","kind":"file","title":"two.pdf","fileName":"ABCDEF01-two.pdf","createdAt":2},)"
    R"({"id":"2A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9","kind":"link","title":"three","urlString":"https://example.com","createdAt":1}])";

// kThreeEntries with one byte changed.
QByteArray brokenAt(qsizetype index, char byte) {
    QByteArray bytes = kThreeEntries;
    bytes[index] = byte;
    return bytes;
}

class ShelfSafetyTest : public ShelfFixture {
protected:
    QStringList keptAside() const {
        return QDir(shelfFolder).entryList({QStringLiteral("shelf.unreadable-*")}, QDir::Files);
    }
};

} // namespace

// An unreadable list shows as an empty shelf, but the first change renames
// it out of the way (with the time in its name) instead of writing over it,
// whatever that change is, and says so once.
TEST_F(ShelfSafetyTest, AnUnreadableListIsKeptAsideBeforeTheFirstWrite) {
    const QString source = makeFile(QStringLiteral("new.txt"));
    const struct {
        const char* name;
        QByteArray content;
        std::function<void(ShelfStore&)> change;
    } cases[] = {
        {"a quote broken, then a text", brokenAt(1, 'x'),
         [](ShelfStore& s) { s.addText(QStringLiteral("new")); }},
        {"a bracket broken, then a copy", brokenAt(kThreeEntries.size() - 1, ' '),
         [&source](ShelfStore& s) { s.addCopy(QUrl::fromLocalFile(source)); }},
        {"invalid UTF-8, then a link", brokenAt(60, '\xff'),
         [](ShelfStore& s) { s.addLink(QUrl(QStringLiteral("https://example.org"))); }},
        {"a number broken, then a reference", brokenAt(kThreeEntries.indexOf("3}"), '"'),
         [&source](ShelfStore& s) { s.addReference(QUrl::fromLocalFile(source)); }},
        {"a NUL byte, then removing everything", brokenAt(20, '\0'),
         [](ShelfStore& s) { s.removeAllEntries(); }},
        {"one bad kind, then removing an entry", QByteArray(kThreeEntries).replace("link", "lynx"),
         [](ShelfStore& s) { s.removeEntry(ShelfItem{}); }},
    };
    double when = 786000000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShelfStore shelf(time, freshShelfFolder());
        const QString listPath = shelf.shelfFilePath();
        {
            QFile file(listPath);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.content);
        }
        time.setWallTime(when += 100);
        const QString expectedName =
            QStringLiteral("shelf.unreadable-%1.json")
                .arg(dateTimeFromReference(when).toLocalTime().toString("yyyyMMdd-HHmmss"));

        StderrCapture stderrText;
        // Reading, and clearing by age as at start-up, leave it alone.
        EXPECT_TRUE(shelf.loadShelf().isEmpty());
        shelf.clearOlderThan(1);
        EXPECT_EQ(readFile(listPath), c.content);

        c.change(shelf);
        const QString aside = shelf.shelfFolder() + u'/' + expectedName;
        EXPECT_EQ(readFile(aside), c.content);
        EXPECT_TRUE(decodeShelf(readFile(listPath))) << "the new list is written";
        // Later changes find a readable list and keep nothing more.
        shelf.addText(QStringLiteral("later"));
        shelf.removeAllEntries();
        EXPECT_EQ(QDir(shelf.shelfFolder())
                      .entryList({QStringLiteral("shelf.unreadable-*")}, QDir::Files)
                      .size(),
                  1);
        const QString said = stderrText.text();
        EXPECT_EQ(said.count(u'\n'), 1) << qPrintable(said);
        EXPECT_TRUE(said.contains(aside)) << qPrintable(said);
    }
}

// Two unreadable lists within one second: the second never replaces the
// first one kept aside.
TEST_F(ShelfSafetyTest, ListsKeptAsideInTheSameSecondAreAllKept) {
    const QList<QByteArray> broken = {brokenAt(1, 'a'), brokenAt(1, 'b'), brokenAt(1, 'c')};
    StderrCapture quiet;
    for (const QByteArray& content : broken) {
        writeShelfFile(content);
        store.addText(QStringLiteral("new"));
    }
    QStringList names = keptAside();
    ASSERT_EQ(names.size(), 3);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return std::pair(a.size(), a) < std::pair(b.size(), b);
    });
    const QString stem = names.at(0).chopped(5);
    EXPECT_EQ(names, (QStringList{stem + ".json", stem + "-2.json", stem + "-3.json"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(readFile(shelfFolder + u'/' + names.at(i)), broken.at(i));
    EXPECT_EQ(store.loadShelf().size(), 1);
}

// Names from drops and names read from the list are reduced to one name
// inside Files/, or refused: nothing outside the shelf folder is created,
// changed or deleted, whatever the shelf is asked to do with them.
TEST_F(ShelfSafetyTest, CraftedNamesNeverReachOutsideTheShelf) {
    // sandbox/ holds the shelf and, beside it, files that must stay as
    // they are; one of them is also named by absolute path.
    const QString sandbox =
        testRoot() + QStringLiteral("/data/sandbox-") + QUuid::createUuid().toString(QUuid::Id128);
    const QString folder = sandbox + QStringLiteral("/Zelvik/Shelf");
    ShelfStore shelf(time, folder);
    const QString files = shelf.filesFolder();
    for (const char* victim : {"victim", "Zelvik/victim", "Zelvik/Shelf/victim", "outside/deep"}) {
        QDir().mkpath(QFileInfo(sandbox + u'/' + QLatin1String(victim)).absolutePath());
        QFile file(sandbox + u'/' + QLatin1String(victim));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(victim);
    }
    // A link inside Files/ that points out of it: removing it removes the
    // link, never what it points at.
    ASSERT_TRUE(QFile::link(sandbox + QStringLiteral("/outside"),
                            files + QStringLiteral("/ABCDEF01-link")));
    const QString absoluteVictim = sandbox + QStringLiteral("/victim");
    const QString longName(10000, u'n');
    const QString invalidUtf8 = QString::fromUtf8("bad\xff\xfe name");
    const QString loneSurrogate = QStringLiteral("half") + QChar(0xD800);
    const QString withNul = QStringLiteral("a") + QChar(0) + QStringLiteral("/../../victim");
    const QStringList crafted = {QStringLiteral("/"),
                                 QStringLiteral(".."),
                                 QStringLiteral("."),
                                 QStringLiteral("../victim"),
                                 QStringLiteral("../../victim"),
                                 QStringLiteral("Files/../../victim"),
                                 absoluteVictim,
                                 sandbox + QStringLiteral("/outside"),
                                 withNul,
                                 longName,
                                 longName + QStringLiteral("/x"),
                                 invalidUtf8,
                                 loneSurrogate,
                                 QString(),
                                 QStringLiteral("ABCDEF01-link")};
    const QStringList changing = {files, shelf.shelfFilePath()};
    const auto before = snapshot(sandbox, changing);
    const QString source = makeFile(QStringLiteral("drop.txt"), "dropped");

    // As names of drops: each copy lands in Files/ under one plain name.
    for (const QString& name : crafted) {
        SCOPED_TRACE(name.left(40).toStdString());
        const auto item = shelf.addCopy(QUrl::fromLocalFile(source), name);
        ASSERT_TRUE(item);
        const QFileInfo copy(shelf.entryFileURL(*item).toLocalFile());
        EXPECT_EQ(copy.absolutePath(), files);
        EXPECT_EQ(readFile(copy.filePath()), "dropped");
        EXPECT_LE(item->fileName->toUtf8().size(), 255);
    }
    EXPECT_EQ(shelf.loadShelf().size(), crafted.size());

    // As names stored in the list, then removed one by one, by age and all
    // at once.
    QList<ShelfItem> stored;
    for (const QString& name : crafted) {
        ShelfItem item;
        item.kind = ShelfItem::Kind::file;
        item.title = name;
        item.fileName = name;
        item.createdAt = 1;
        stored << item;
        ShelfItem reference = item;
        reference.id = QUuid::createUuid();
        reference.fileName.reset();
        reference.externalPath = name;
        stored << reference;
    }
    for (auto remove : {std::function<void()>([&] {
                            for (const ShelfItem& item : shelf.loadShelf())
                                shelf.removeEntry(item);
                        }),
                        std::function<void()>([&] { shelf.clearOlderThan(1); }),
                        std::function<void()>([&] { shelf.removeAllEntries(); })}) {
        shelf.saveShelf(stored);
        ASSERT_EQ(shelf.loadShelf().size(), stored.size()) << "the crafted list reads back";
        remove();
        EXPECT_TRUE(shelf.loadShelf().isEmpty());
    }

    EXPECT_EQ(snapshot(sandbox, changing) == before, true)
        << "something outside Files/ changed besides shelf.json";
    EXPECT_TRUE(QFileInfo(files).isDir());
    EXPECT_TRUE(QFileInfo::exists(sandbox + QStringLiteral("/outside/deep")));
}

// A writer process killed at random moments, a hundred times, while it adds
// and removes entries: shelf.json always holds the list from before or from
// after the operation it was in, never a torn one, and every copy listed
// is there whole.
TEST_F(ShelfSafetyTest, AKilledWriterLeavesTheOldOrTheNewListNeverATornOne) {
    // A long list makes every write take a while, so the kills land inside
    // writes too.
    QList<ShelfItem> seeds;
    QStringList titles;
    for (int i = 2000; i > 0; --i) {
        ShelfItem item;
        item.kind = ShelfItem::Kind::text;
        item.title = QStringLiteral("seed %1").arg(i);
        item.text = item.title + u'\n' + QString(300, u's');
        item.createdAt = i;
        seeds << item;
        titles << item.title;
    }
    store.saveShelf(seeds);
    const QString source = makeFile(QStringLiteral("source.txt"), "whole source");

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("random seed " + std::to_string(seed));
    std::mt19937 random(seed);
    // Each round lets the writer finish a few operations, then kills it a
    // random moment later: anywhere inside the next ones.
    std::uniform_int_distribution<int> operations(0, 3);
    std::uniform_int_distribution<int> delayUs(0, 8000);

    int done = 0; // operations the file holds
    int unreported = 0;
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(done) + " done");
        QProcess writer;
        writer.setProgram(QStringLiteral(ZELVIK_SHELF_WRITER));
        writer.setArguments({shelfFolder, QString::number(done + 1), source});
        writer.start();
        ASSERT_TRUE(writer.waitForStarted(30000));
        const int wanted = done + operations(random);
        int last = done;
        bool ready = false;
        // Bounded waits, generous for a loaded machine.
        for (int i = 0; i < 1200 && (!ready || last < wanted); ++i) {
            if (!writer.canReadLine() && !writer.waitForReadyRead(100))
                continue;
            while (writer.canReadLine()) {
                const QByteArray line = writer.readLine().trimmed();
                if (line == "ready")
                    ready = true;
                else
                    last = line.toInt();
            }
        }
        ASSERT_TRUE(ready && last >= wanted) << "the writer made no progress";
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(30000));
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << "the writer stopped by itself";

        for (const QByteArray& line : writer.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty())
                last = line.toInt();
        }
        const auto list = decodeShelf(readShelfFile());
        ASSERT_TRUE(list) << "shelf.json is torn";
        QStringList onShelf;
        for (const ShelfItem& item : *list)
            onShelf << item.title;
        const QStringList previous = shelfWriterTitles(last, titles);
        const QStringList next = shelfWriterTitles(last + 1, titles);
        if (onShelf == next) {
            done = last + 1;
            ++unreported;
        } else {
            ASSERT_EQ(onShelf, previous) << "neither the list before nor the one after";
            done = last;
        }
        for (const ShelfItem& item : *list) {
            if (!item.fileName)
                continue;
            ASSERT_EQ(readFile(store.entryFileURL(item).toLocalFile()), "whole source")
                << qPrintable(item.title);
        }
    }
    std::printf("%d operations in 100 rounds; %d kills came after a change was on disk and "
                "before the writer said so\n",
                done, unreported);
}
