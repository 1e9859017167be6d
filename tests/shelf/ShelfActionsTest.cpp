#include "PrivateBus.h"
#include "ShelfFixture.h"

#include "platform/linux/FileManagerRevealer.h"
#include "platform/linux/KdeConnectSharing.h"
#include "shelf/ShelfActions.h"

#include <QClipboard>
#include <QDBusArgument>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>

#include <memory>

using namespace zelvik;
using namespace zelvik::test;

namespace {

// Catches what would go to the default application, through Qt's own hook.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    OpenedUrls() {
        for (const char* scheme : {"file", "https", "http", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~OpenedUrls() override {
        for (const char* scheme : {"file", "https", "http", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

ShelfItem linkItem(const QString& urlString) {
    ShelfItem item;
    item.kind = ShelfItem::Kind::link;
    item.title = urlString;
    item.urlString = urlString;
    return item;
}

// The urls argument of each shareUrls call the fake daemon received.
QList<QStringList> shareCalls(PrivateBus& bus, const QString& device) {
    QList<QStringList> calls;
    const auto recorded =
        bus.recordedCalls(KdeConnectSharing::kService,
                          QStringLiteral("/modules/kdeconnect/devices/%1/share").arg(device));
    for (const auto& call : recorded) {
        if (call.method == u"shareUrls" && !call.arguments.isEmpty())
            calls << qdbus_cast<QStringList>(call.arguments.at(0));
    }
    return calls;
}

} // namespace

class ShelfActionsTest : public ShelfFixture {
protected:
    ShelfActions actions{store, nullptr};
    QClipboard* clipboard = QGuiApplication::clipboard();
};

TEST_F(ShelfActionsTest, CopyPutsTextLinkOrFileOnTheClipboard) {
    clipboard->setText(QStringLiteral("old"));
    const ShelfItem text = store.addText(QStringLiteral("line one\nline two"));
    actions.copyToClipboard(text);
    EXPECT_EQ(clipboard->text(), "line one\nline two");

    actions.copyToClipboard(linkItem(QStringLiteral("https://example.com/x?y=1")));
    EXPECT_EQ(clipboard->text(), "https://example.com/x?y=1");

    const auto file = store.addCopy(QUrl::fromLocalFile(makeFile(QStringLiteral("doc.pdf"))));
    ASSERT_TRUE(file);
    actions.copyToClipboard(*file);
    const QMimeData* data = clipboard->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->urls(), QList{store.entryFileURL(*file)});
    EXPECT_EQ(data->data(QStringLiteral("x-special/gnome-copied-files")),
              "copy\n" + store.entryFileURL(*file).toEncoded());
}

TEST_F(ShelfActionsTest, OpenHandsFilesAndLinksToTheDefaultApplication) {
    OpenedUrls opened;
    const QString path = makeFile(QStringLiteral("song.ogg"));
    const ShelfItem reference = store.addReference(QUrl::fromLocalFile(path));
    actions.open(reference);
    actions.open(linkItem(QStringLiteral("mailto:ada@example.com")));
    actions.open(linkItem(QStringLiteral("https://exa mple.com/")));
    actions.open(linkItem(QString()));
    ShelfItem noUrl = linkItem(QString());
    noUrl.urlString.reset();
    actions.open(noUrl);
    actions.open(store.addText(QStringLiteral("not opened")));
    EXPECT_EQ(opened.urls,
              (QList{QUrl::fromLocalFile(path), QUrl(QStringLiteral("mailto:ada@example.com"))}));
}

TEST_F(ShelfActionsTest, DragOutCarriesTextLinkOrFile) {
    std::unique_ptr<QMimeData> data(actions.dragOutContent(store.addText(QStringLiteral("hi"))));
    EXPECT_EQ(data->text(), "hi");
    EXPECT_FALSE(data->hasUrls());

    data.reset(actions.dragOutContent(linkItem(QStringLiteral("https://example.com/a"))));
    EXPECT_EQ(data->urls(), QList{QUrl(QStringLiteral("https://example.com/a"))});

    data.reset(actions.dragOutContent(linkItem(QStringLiteral("::not a url"))));
    EXPECT_TRUE(data->formats().isEmpty());

    const auto copy = store.addCopy(QUrl::fromLocalFile(makeFile(QStringLiteral("clip.mp4"))));
    ASSERT_TRUE(copy);
    data.reset(actions.dragOutContent(*copy));
    EXPECT_EQ(data->urls(), QList{store.entryFileURL(*copy)});
    EXPECT_EQ(
        actions.dragOutData(*copy).value(QStringLiteral("text/uri-list")).toString().trimmed(),
        QString::fromUtf8(store.entryFileURL(*copy).toEncoded()));
}

TEST_F(ShelfActionsTest, ShareableUrlsAreFilesAndParsedLinksInOrder) {
    const ShelfItem text = store.addText(QStringLiteral("only text"));
    EXPECT_TRUE(actions.shareableUrls({text}).isEmpty());
    const ShelfItem reference = store.addReference(QUrl::fromLocalFile(makeFile("a.png")));
    const QList<QUrl> urls =
        actions.shareableUrls({linkItem(QStringLiteral("https://example.com/")), text,
                               linkItem(QStringLiteral("bad url")), reference});
    EXPECT_EQ(urls, (QList{QUrl(QStringLiteral("https://example.com/")),
                           QUrl::fromLocalFile(*reference.externalPath)}));
}

TEST(KdeConnectSharingTest, WithoutKdeConnectOnTheBusItCannotPerform) {
    PrivateBus bus;
    ASSERT_TRUE(bus.isValid());
    KdeConnectSharing sharing(bus.connection());
    const QList<QUrl> urls{QUrl(QStringLiteral("https://example.com/"))};
    EXPECT_FALSE(sharing.canPerform(urls));
    EXPECT_FALSE(sharing.isAvailable());
    sharing.perform(urls); // nothing to reach; must simply return
    EXPECT_FALSE(sharing.canPerform({}));
}

TEST(KdeConnectSharingTest, SendsToTheFirstReachableDeviceOnly) {
    if (!PrivateBus::hasDbusMock())
        GTEST_SKIP() << "python3-dbusmock is not installed (scripts/packages.txt has it)";
    const QString fake = QStringLiteral(ZELVIK_SHELF_TEST_DIR "/fake_kdeconnect.py");

    PrivateBus nobody;
    ASSERT_TRUE(
        nobody.startMock(KdeConnectSharing::kService, {QStringLiteral("--template"), fake}));
    KdeConnectSharing unreachable(nobody.connection());
    EXPECT_FALSE(unreachable.canPerform({QUrl(QStringLiteral("https://example.com/"))}));
    EXPECT_FALSE(unreachable.isAvailable());

    PrivateBus bus;
    ASSERT_TRUE(bus.startMock(KdeConnectSharing::kService,
                              {QStringLiteral("--template"), fake, QStringLiteral("-p"),
                               QStringLiteral(R"({"reachable": ["phone1", "tablet2"]})")}));
    KdeConnectSharing sharing(bus.connection());
    const QList<QUrl> urls{QUrl::fromLocalFile(QStringLiteral("/tmp/a b.png")),
                           QUrl(QStringLiteral("https://example.com/"))};
    EXPECT_FALSE(sharing.canPerform({}));
    EXPECT_TRUE(sharing.isAvailable()); // with nothing to send yet
    ASSERT_TRUE(sharing.canPerform(urls));
    sharing.perform(urls);
    QList<QStringList> calls;
    for (int i = 0; i < 100 && calls.isEmpty(); ++i) {
        QCoreApplication::processEvents();
        calls = shareCalls(bus, QStringLiteral("phone1"));
    }
    EXPECT_EQ(calls, (QList<QStringList>{{"file:///tmp/a%20b.png", "https://example.com/"}}));
    EXPECT_TRUE(shareCalls(bus, QStringLiteral("tablet2")).isEmpty());
}

TEST_F(ShelfActionsTest, RevealFallsBackToTheFolderWithoutAFileManager) {
    PrivateBus bus;
    ASSERT_TRUE(bus.isValid());
    FileManagerRevealer revealer(bus.connection());
    ShelfActions revealing(store, nullptr, &revealer);
    OpenedUrls opened;
    const QString path = makeFile(QStringLiteral("shown.txt"));
    QSignalSpy finished(&revealer, &FileManagerRevealer::finished);
    revealing.reveal(store.addText(QStringLiteral("no file")));
    revealing.reveal(store.addReference(QUrl::fromLocalFile(path)));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(opened.urls, QList{QUrl::fromLocalFile(QFileInfo(path).absolutePath())});
}

TEST_F(ShelfActionsTest, RevealAsksTheFileManagerToShowTheFile) {
    if (!PrivateBus::hasDbusMock())
        GTEST_SKIP() << "python3-dbusmock is not installed (scripts/packages.txt has it)";
    PrivateBus bus;
    const QString service = QStringLiteral("org.freedesktop.FileManager1");
    const QString path = QStringLiteral("/org/freedesktop/FileManager1");
    ASSERT_TRUE(bus.startMock(service, {service, path, service}));
    bus.mockCall(
        service, path, QStringLiteral("AddMethod"),
        {QString(), QStringLiteral("ShowItems"), QStringLiteral("ass"), QString(), QString()});
    FileManagerRevealer revealer(bus.connection());
    ShelfActions revealing(store, nullptr, &revealer);
    OpenedUrls opened;
    const auto copy = store.addCopy(QUrl::fromLocalFile(makeFile(QStringLiteral("a b.txt"))));
    ASSERT_TRUE(copy);
    QSignalSpy finished(&revealer, &FileManagerRevealer::finished);
    revealing.reveal(*copy);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_TRUE(opened.urls.isEmpty());

    const QDBusArgument calls =
        bus.mockCall(service, path, QStringLiteral("GetCalls"), {}).value(0).value<QDBusArgument>();
    QStringList shown;
    calls.beginArray();
    while (!calls.atEnd()) {
        quint64 when = 0;
        QString method;
        QVariantList arguments;
        calls.beginStructure();
        calls >> when >> method >> arguments;
        calls.endStructure();
        if (method == u"ShowItems")
            shown += qdbus_cast<QStringList>(arguments.value(0));
    }
    calls.endArray();
    EXPECT_EQ(shown, QStringList{QString::fromUtf8(store.entryFileURL(*copy).toEncoded())});
}

#include "ShelfActionsTest.moc"
