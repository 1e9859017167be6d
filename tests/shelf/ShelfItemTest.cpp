#include "ShelfFixture.h"

#include "shelf/ShelfItem.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace zelvik;
using namespace zelvik::test;

namespace {

ShelfItem sampleCopy() {
    ShelfItem item;
    item.id = QUuid::fromString(QStringLiteral("6f1c9a2e-0b4d-4e8f-a1b2-c3d4e5f60718"));
    item.kind = ShelfItem::Kind::image;
    item.title = QStringLiteral("Photo.PNG");
    item.fileName = QStringLiteral("6F1C9A2E-Photo.PNG");
    item.createdAt = 786000000.25;
    return item;
}

} // namespace

TEST(ShelfItemTest, EncodesCompactlyWithUpperCaseIdAndOnlyPresentKeys) {
    const QByteArray json = encodeShelf({sampleCopy()});
    EXPECT_FALSE(json.contains('\n'));
    EXPECT_FALSE(json.contains(": "));
    const QJsonArray array = QJsonDocument::fromJson(json).array();
    ASSERT_EQ(array.size(), 1);
    const QJsonObject object = array.at(0).toObject();
    EXPECT_EQ(object.keys(), (QStringList{"createdAt", "fileName", "id", "kind", "title"}));
    EXPECT_EQ(object.value("id").toString(), "6F1C9A2E-0B4D-4E8F-A1B2-C3D4E5F60718");
    EXPECT_EQ(object.value("kind").toString(), "image");
    EXPECT_TRUE(object.value("createdAt").isDouble());
    EXPECT_EQ(object.value("createdAt").toDouble(), 786000000.25);

    const auto decoded = decodeShelf(json);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, QList{sampleCopy()});
}

TEST(ShelfItemTest, EveryKindAndOptionalFieldSurvivesARoundTrip) {
    QList<ShelfItem> items;
    for (const auto kind : {ShelfItem::Kind::file, ShelfItem::Kind::image, ShelfItem::Kind::video,
                            ShelfItem::Kind::link, ShelfItem::Kind::text}) {
        ShelfItem item;
        item.kind = kind;
        item.title = QStringLiteral("ş ü \"quoted\" \\ 🎉");
        item.createdAt = 1.0 / 3.0 + items.size();
        items << item;
    }
    items[0].externalPath = QStringLiteral("/home/ada/Documents/report.pdf");
    items[3].urlString = QStringLiteral("https://example.com/a%20b?x=1#f");
    items[4].text = QStringLiteral("line one\r\nline two\u2028\t\x01\b\f/");
    const auto decoded = decodeShelf(encodeShelf(items));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, items);
}

// A file as another build of the program writes it: ids in either case, keys
// in any order, whole and fractional dates, nulls for absent values.
TEST_F(ShelfFixture, ReadsAHandWrittenShelfFile) {
    writeShelfFile(R"([
      {"kind":"text","id":"0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9","title":"Hello","text":"Hello\nworld","createdAt":786000100},
      {"title":"example.com","urlString":"https://example.com/","createdAt":786000200.5,"kind":"link","id":"11111111-2222-4333-8444-555555555555"},
      {"id":"aaaaaaaa-bbbb-4ccc-8ddd-eeeeeeeeeeee","kind":"file","title":"notes.txt","createdAt":786000000,"externalPath":"/tmp/notes.txt","fileName":null},
      {"id":"99999999-8888-4777-8666-555555555555","kind":"video","title":"clip.MOV","fileName":"ABCDEF12-clip.MOV","createdAt":786000200.5}
    ])");
    const QList<ShelfItem> items = store.loadShelf();
    ASSERT_EQ(items.size(), 4);
    // Newest first; the two equal dates keep their order in the file.
    EXPECT_EQ(items[0].kind, ShelfItem::Kind::link);
    EXPECT_EQ(items[0].urlString, "https://example.com/");
    EXPECT_EQ(items[1].kind, ShelfItem::Kind::video);
    EXPECT_EQ(items[1].fileName, "ABCDEF12-clip.MOV");
    EXPECT_EQ(items[2].text, "Hello\nworld");
    EXPECT_EQ(items[2].idString(), "0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9");
    EXPECT_EQ(items[3].idString(), "AAAAAAAA-BBBB-4CCC-8DDD-EEEEEEEEEEEE");
    EXPECT_EQ(items[3].externalPath, "/tmp/notes.txt");
    EXPECT_FALSE(items[3].fileName);
    EXPECT_EQ(items[3].createdAt, 786000000.0);
}

TEST_F(ShelfFixture, OneMalformedElementEmptiesTheWholeShelf) {
    const QByteArray good =
        R"({"id":"0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9","kind":"text","title":"t","createdAt":1})";
    const QList<QByteArray> bad = {
        R"({"id":"11111111-2222-4333-8444-555555555555","kind":"text","title":"no date"})",
        R"({"id":"11111111-2222-4333-8444-555555555555","kind":"text","title":"t","createdAt":"1"})",
        R"({"id":"not-a-uuid","kind":"text","title":"t","createdAt":1})",
        R"({"id":"{11111111-2222-4333-8444-555555555555}","kind":"text","title":"t","createdAt":1})",
        R"({"id":"11111111-2222-4333-8444-555555555555","kind":"folder","title":"t","createdAt":1})",
        R"({"id":"11111111-2222-4333-8444-555555555555","kind":"text","createdAt":1})",
        R"({"id":"11111111-2222-4333-8444-555555555555","kind":"text","title":"t","createdAt":1,"text":5})",
        R"("just a string")",
    };
    writeShelfFile("[" + good + "]");
    ASSERT_EQ(store.loadShelf().size(), 1);
    for (const QByteArray& element : bad) {
        writeShelfFile("[" + good + "," + element + "]");
        EXPECT_TRUE(store.loadShelf().isEmpty()) << element.constData();
    }
    for (const QByteArray& notAList : {QByteArray("{}"), QByteArray("[1,"), QByteArray("")}) {
        writeShelfFile(notAList);
        EXPECT_TRUE(store.loadShelf().isEmpty()) << notAList.constData();
    }
}

TEST_F(ShelfFixture, AddingToACorruptFileReplacesItWithTheNewEntry) {
    writeShelfFile("[{\"id\":");
    const ShelfItem added = store.addText(QStringLiteral("kept"));
    const auto stored = decodeShelf(readShelfFile());
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, QList{added});
}

TEST(ShelfItemTest, KindFollowsTheExtensionInAnyCase) {
    EXPECT_EQ(shelfKindForExtension("png"), ShelfItem::Kind::image);
    EXPECT_EQ(shelfKindForExtension("JPG"), ShelfItem::Kind::image);
    EXPECT_EQ(shelfKindForExtension("HEIC"), ShelfItem::Kind::image);
    EXPECT_EQ(shelfKindForExtension("mov"), ShelfItem::Kind::video);
    EXPECT_EQ(shelfKindForExtension("MP4"), ShelfItem::Kind::video);
    EXPECT_EQ(shelfKindForExtension("pdf"), ShelfItem::Kind::file);
    EXPECT_EQ(shelfKindForExtension("zzqqxx"), ShelfItem::Kind::file);
    EXPECT_EQ(shelfKindForExtension(""), ShelfItem::Kind::file);
}
