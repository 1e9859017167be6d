// Times the shelf's file operations with 10,000 entries on it: loading the
// list, adding one entry and removing one (each a full load-change-save
// cycle). Runs in a temporary folder; prints median and worst of each.
// Built with the tests, run by hand: timings depend on the machine.
#include "model/Clock.h"
#include "shelf/ShelfStore.h"
#include "support/UserFolders.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zelvik;

namespace {

constexpr int kEntries = 10000;
constexpr int kRuns = 21;

QList<ShelfItem> makeShelf(ReferenceSeconds now) {
    QList<ShelfItem> items;
    items.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        ShelfItem item;
        item.createdAt = now - i * 7.5;
        switch (i % 4) {
        case 0:
            item.kind = ShelfItem::Kind::image;
            item.title = QStringLiteral("Screenshot %1.png").arg(i);
            item.fileName = QStringLiteral("0A1B2C3D-Screenshot %1.png").arg(i);
            break;
        case 1:
            item.kind = ShelfItem::Kind::file;
            item.title = QStringLiteral("report-%1.pdf").arg(i);
            item.externalPath = QStringLiteral("/home/ada/Documents/report-%1.pdf").arg(i);
            break;
        case 2:
            item.kind = ShelfItem::Kind::link;
            item.title = QStringLiteral("example.com");
            item.urlString = QStringLiteral("https://example.com/articles/%1?ref=shelf").arg(i);
            break;
        default:
            item.kind = ShelfItem::Kind::text;
            item.text =
                QStringLiteral("Note %1: remember to bring the slides and the adapter").arg(i);
            item.title = *item.text;
            break;
        }
        items << item;
    }
    return items;
}

void report(const char* name, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s median %7.2f ms   worst %7.2f ms   (%zu runs)\n", name, ms[ms.size() / 2],
                ms.back(), ms.size());
}

std::vector<double> timeRuns(const std::function<void(int)>& run) {
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        run(i);
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    zelvik::test::pointUserFoldersAt(folder.filePath(QStringLiteral("user")));
    QCoreApplication app(argc, argv);
    SystemClock clock;
    ShelfStore store(clock, folder.filePath(QStringLiteral("Shelf")));
    store.saveShelf(makeShelf(clock.now()));
    std::printf("shelf.json with %d entries: %lld bytes\n", kEntries,
                static_cast<long long>(QFileInfo(store.shelfFilePath()).size()));

    report("loadShelf (first read)", timeRuns([&](int) {
               ShelfStore fresh(clock, store.shelfFolder());
               if (fresh.loadShelf().size() < kEntries)
                   std::abort();
           }));
    report("loadShelf (file unchanged)", timeRuns([&](int) {
               if (store.loadShelf().size() < kEntries)
                   std::abort();
           }));
    const QList<ShelfItem> all = store.loadShelf();
    report("  encodeShelf (part of save)", timeRuns([&](int) { encodeShelf(all); }));
    const QByteArray json = encodeShelf(all);
    report("  decodeShelf (part of load)", timeRuns([&](int) { decodeShelf(json); }));
    report("  saveShelf (part of change)", timeRuns([&](int) { store.saveShelf(all); }));
    QList<ShelfItem> added;
    report("addText (one add)",
           timeRuns([&](int i) { added << store.addText(QStringLiteral("Added %1").arg(i)); }));
    report("removeEntry (one remove)", timeRuns([&](int i) { store.removeEntry(added.at(i)); }));
    report("addReference (duplicate)", timeRuns([&](int) {
               store.addReference(QUrl::fromLocalFile("/home/ada/Documents/report-1.pdf"));
           }));
    return store.loadShelf().size() == kEntries ? 0 : 1;
}
