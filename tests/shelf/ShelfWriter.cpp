// A process that only adds to and removes from a shelf through the real
// ShelfStore, as fast as it can, until it is killed. It prints the number of
// each operation once the operation has returned, so whoever kills it knows
// which list the file held last: see ShelfWriterPlan.h for the operations.
//
//     shelf_writer <shelf folder> <first operation> <source file>
#include "ShelfWriterPlan.h"

#include "model/Clock.h"
#include "shelf/ShelfStore.h"

#include <QCoreApplication>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: shelf_writer <shelf folder> <first operation> <source file>\n", stderr);
        return 2;
    }
    QCoreApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int first = std::atoi(argv[2]);
    const QUrl source = QUrl::fromLocalFile(QString::fromLocal8Bit(argv[3]));

    zelvik::SystemClock clock;
    zelvik::ShelfStore store(clock, folder);
    std::puts("ready");
    std::fflush(stdout);
    for (int n = first;; ++n) {
        const auto step = zelvik::test::shelfWriterStep(n);
        switch (step.operation) {
        case zelvik::test::ShelfWriterStep::Operation::text:
            store.addText(step.payload);
            break;
        case zelvik::test::ShelfWriterStep::Operation::copy:
            if (!store.addCopy(source, step.payload))
                return 3;
            break;
        case zelvik::test::ShelfWriterStep::Operation::link:
            store.addLink(QUrl(QStringLiteral("https://example.com/%1").arg(n)), step.payload);
            break;
        case zelvik::test::ShelfWriterStep::Operation::remove:
            for (const zelvik::ShelfItem& item : store.loadShelf()) {
                if (item.title == step.payload)
                    store.removeEntry(item);
            }
            break;
        }
        std::printf("%d\n", n);
        std::fflush(stdout);
    }
}
