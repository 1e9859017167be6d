// The shelf's rows follow reloads of the list as real arrivals and removals.
#include "views/ShelfListModel.h"
#include "model/ModelFixture.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QSignalSpy>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class ShelfRows : public ModelFixture {
protected:
    // Entries named by one letter each; the same letter is the same entry.
    QList<ShelfItem> entries(const QString& letters) {
        QList<ShelfItem> items;
        for (const QChar letter : letters) {
            if (!known.contains(letter)) {
                ShelfItem item;
                item.kind = ShelfItem::Kind::text;
                item.title = QString(letter);
                item.text = QString(letter);
                known.insert(letter, item);
            }
            items << known.value(letter);
        }
        return items;
    }
    static QString letters(const ShelfListModel& rows) {
        QString text;
        for (int row = 0; row < rows.rowCount(); ++row)
            text += rows.index(row).data(ShelfListModel::TitleRole).toString();
        return text;
    }
    QMap<QChar, ShelfItem> known;
};

} // namespace

TEST_F(ShelfRows, EachReloadMovesOnlyTheRowsThatChanged) {
    struct Case {
        const char* before;
        const char* after;
        int inserted;
        int removed;
        int moved;
    };
    for (const Case& c : {
             Case{"", "ABC", 3, 0, 0}, Case{"ABC", "NABC", 1, 0, 0},  // a new entry comes in front
             Case{"ABCD", "ABD", 0, 1, 0}, Case{"ABCD", "", 0, 4, 0}, // emptied
             Case{"ABCDE", "BDE", 0, 2, 0}, Case{"ABC", "XAY", 2, 2, 0},
             Case{"ABC", "CAB", 0, 0, 1}, Case{"ABC", "ABC", 0, 0, 0},
             Case{"AAB", "AB", 0, 1, 1}, // a duplicate id in a damaged file
         }) {
        ShelfListModel rows;
        QAbstractItemModelTester tester(&rows,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        rows.apply(entries(QString::fromLatin1(c.before)));
        // Rows that stay are the same rows afterwards.
        QList<QPersistentModelIndex> kept;
        for (int row = 0; row < rows.rowCount(); ++row)
            kept << QPersistentModelIndex(rows.index(row));

        QSignalSpy inserted(&rows, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&rows, &QAbstractItemModel::rowsRemoved);
        QSignalSpy moved(&rows, &QAbstractItemModel::rowsMoved);
        QSignalSpy reset(&rows, &QAbstractItemModel::modelReset);
        rows.apply(entries(QString::fromLatin1(c.after)));

        const std::string label = std::string(c.before) + " -> " + c.after;
        EXPECT_EQ(letters(rows), QString::fromLatin1(c.after)) << label;
        EXPECT_EQ(rows.count(), int(std::strlen(c.after))) << label;
        int insertedRows = 0;
        for (const QList<QVariant>& args : inserted)
            insertedRows += args.at(2).toInt() - args.at(1).toInt() + 1;
        int removedRows = 0;
        for (const QList<QVariant>& args : removed)
            removedRows += args.at(2).toInt() - args.at(1).toInt() + 1;
        EXPECT_EQ(insertedRows, c.inserted) << label;
        EXPECT_EQ(removedRows, c.removed) << label;
        EXPECT_EQ(moved.count(), c.moved) << label;
        EXPECT_EQ(reset.count(), 0) << label;
        for (const QPersistentModelIndex& index : kept) {
            if (!index.isValid())
                continue;
            const QString letter = index.data(ShelfListModel::TitleRole).toString();
            EXPECT_TRUE(QString::fromLatin1(c.after).contains(letter)) << label;
        }
    }
}

TEST_F(ShelfRows, FollowsTheModelAndTellsEachTileWhatItShows) {
    MemoryShelf storage;
    model->setShelfStorage(&storage);
    ShelfListModel rows;
    rows.setModel(model.get());
    QSignalSpy counts(&rows, &ShelfListModel::countChanged);
    EXPECT_EQ(rows.count(), 0);

    ShelfItem image;
    image.kind = ShelfItem::Kind::image;
    image.title = QStringLiteral("Photo.PNG");
    image.externalPath = QStringLiteral("/pictures/Photo.PNG");
    ShelfItem link;
    link.kind = ShelfItem::Kind::link;
    link.title = QStringLiteral("example.com");
    link.urlString = QStringLiteral("https://example.com/");
    storage.items = {link, image};
    model->reloadShelf();
    ASSERT_EQ(rows.count(), 2);
    EXPECT_EQ(counts.count(), 1);

    struct Expected {
        const char* title;
        const char* kind;
        const char* symbol;
    };
    const Expected expected[] = {{"example.com", "link", "link"},
                                 {"Photo.PNG", "image", "photo.fill"}};
    for (int row = 0; row < 2; ++row) {
        const QModelIndex index = rows.index(row);
        EXPECT_EQ(index.data(ShelfListModel::TitleRole).toString(),
                  QString::fromLatin1(expected[row].title));
        EXPECT_EQ(index.data(ShelfListModel::KindRole).toString(),
                  QString::fromLatin1(expected[row].kind));
        EXPECT_EQ(index.data(ShelfListModel::SymbolRole).toString(),
                  QString::fromLatin1(expected[row].symbol));
        EXPECT_EQ(index.data(ShelfListModel::ItemRole).value<ShelfItem>(), storage.items[row]);
    }
    // No shelf actions, so no file to show: the tile keeps its symbol.
    EXPECT_EQ(rows.index(1).data(ShelfListModel::FilePathRole).toString(), QString());

    const QStringList symbols{ShelfListModel::symbolFor(ShelfItem::Kind::file),
                              ShelfListModel::symbolFor(ShelfItem::Kind::video),
                              ShelfListModel::symbolFor(ShelfItem::Kind::text)};
    EXPECT_EQ(symbols, (QStringList{"doc.fill", "film.fill", "text.quote"}));
}
