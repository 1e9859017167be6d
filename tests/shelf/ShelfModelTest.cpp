#include "PrivateBus.h"

#include "model/ModelFixture.h"
#include "platform/linux/KdeConnectSharing.h"
#include "shelf/ShelfActions.h"
#include "shelf/ShelfStore.h"
#include "views/NotchDropArea.h"

#include <QClipboard>
#include <QDBusArgument>
#include <QDir>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

using namespace zelvik;
using namespace zelvik::test;

// The model's shelf operations on a real shelf folder.
class ShelfModelTest : public ModelFixture {
protected:
    void SetUp() override {
        static int counter = 0;
        folder = testRoot() + QStringLiteral("/data/model-shelves/%1").arg(counter++);
        store = std::make_unique<ShelfStore>(time, folder);
        actions = std::make_unique<ShelfActions>(*store, nullptr);
        model->setShelfStorage(store.get());
        model->setShelfActions(actions.get());
        settings.setHaptics(true);
    }

    QString makeFile(const QString& name) {
        const QString path = folder + QStringLiteral("-sources/") + name;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("x");
        return path;
    }

    // Lets every started copy finish and its report arrive.
    void settle() {
        actions->importer().waitForDone();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    QString folder;
    std::unique_ptr<ShelfStore> store;
    std::unique_ptr<ShelfActions> actions;
};

TEST_F(ShelfModelTest, ADropReloadsTheListOnceAndTicksOnce) {
    settings.setShelfCopyFiles(true);
    QSignalSpy changes(model.get(), &NotchModel::shelfChanged);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(makeFile("a.txt")), QUrl::fromLocalFile(makeFile("b.txt")),
                  QUrl(QStringLiteral("https://example.com/"))});
    model->handleDrop(data);
    EXPECT_TRUE(model->shelf().isEmpty()); // stored off the main thread
    QTRY_COMPARE(changes.count(), 1);
    settle();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(model->shelf().size(), 3);
    EXPECT_EQ(haptics.count, 1);
    EXPECT_EQ(QDir(store->filesFolder()).entryList(QDir::Files).size(), 2);
}

TEST_F(ShelfModelTest, ADropThatAddsNothingChangesNothing) {
    settings.setShelfCopyFiles(false);
    const QUrl file = QUrl::fromLocalFile(makeFile("once.txt"));
    QMimeData data;
    data.setUrls({file});
    model->handleDrop(data);
    settle();
    ASSERT_EQ(model->shelf().size(), 1);
    EXPECT_EQ(model->shelf().value(0).externalPath, file.toLocalFile());
    EXPECT_EQ(haptics.count, 1);

    QSignalSpy changes(model.get(), &NotchModel::shelfChanged);
    model->handleDrop(data); // the same reference again
    QMimeData missing;
    missing.setUrls({QUrl::fromLocalFile(folder + QStringLiteral("/gone.txt"))});
    settings.setShelfCopyFiles(true);
    model->handleDrop(missing);
    model->handleDrop(QMimeData());
    settle();
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(haptics.count, 1);
}

TEST_F(ShelfModelTest, DropsFromQmlArriveAsFormatMaps) {
    model->handleDropData({{QStringLiteral("text/plain"), QStringLiteral("from qml")}});
    QTRY_COMPARE(model->shelf().size(), 1);
    EXPECT_EQ(model->shelf().value(0).text, "from qml");
}

// A drag as XWayland brings it from a Wayland program: the data can be read
// while the drag lasts, and no longer once it has been dropped.
class BridgedDrag final : public QMimeData {
public:
    explicit BridgedDrag(QByteArray uris)
        : m_uris(std::move(uris)) {}
    QStringList formats() const override { return {QStringLiteral("text/uri-list")}; }
    bool dropped = false;

protected:
    QVariant retrieveData(const QString& format, QMetaType) const override {
        if (dropped || format != u"text/uri-list")
            return {};
        return m_uris;
    }

private:
    QByteArray m_uris;
};

TEST_F(ShelfModelTest, ADropWhoseDataWentWithTheDragUsesWhatWasReadAsItEntered) {
    settings.setShelfCopyFiles(false);
    NotchDropArea area;
    area.setModel(model.get());
    const QUrl file = QUrl::fromLocalFile(makeFile("bridged.txt"));
    const auto dropOnto = [&](BridgedDrag& drag) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &drag, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&area, &enter);
        EXPECT_TRUE(enter.isAccepted());
        EXPECT_TRUE(model->isDropTargeted());
        drag.dropped = true;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &drag, Qt::NoButton,
                        Qt::NoModifier);
        QCoreApplication::sendEvent(&area, &drop);
        EXPECT_FALSE(model->isDropTargeted());
        settle();
        return drop.dropAction();
    };

    // Read only at the drop, as everywhere else: nothing arrives.
    BridgedDrag lost(file.toEncoded() + "\r\n");
    dropOnto(lost);
    EXPECT_TRUE(model->shelf().isEmpty());

    // Where the desktop's bridge does this, the data read as the drag
    // entered is the drop's.
    NotchDropArea::setReadsDataOnEnter(true);
    BridgedDrag kept(file.toEncoded() + "\r\n");
    EXPECT_EQ(dropOnto(kept), Qt::CopyAction);
    NotchDropArea::setReadsDataOnEnter(false);
    ASSERT_EQ(model->shelf().size(), 1);
    EXPECT_EQ(model->shelf().value(0).externalPath, file.toLocalFile());
}

TEST_F(ShelfModelTest, TheSameScreenshotTwiceIsOneEntryWithANoticeEachTime) {
    QSignalSpy changes(model.get(), &NotchModel::shelfChanged);
    QSignalSpy notices(model.get(), &NotchModel::hudChanged);
    const QUrl shot = QUrl::fromLocalFile(makeFile("Screenshot from 2026-12-08 14-00-00.png"));
    model->addScreenshot(shot);
    ASSERT_TRUE(model->hud().has_value());
    EXPECT_EQ(model->hud()->symbol, "camera.viewfinder");
    model->addScreenshot(shot);
    EXPECT_EQ(notices.count(), 2); // a fresh notice replaces the first
    EXPECT_EQ(changes.count(), 1);
    ASSERT_EQ(model->shelf().size(), 1);
    EXPECT_EQ(model->shelf().value(0).kind, ShelfItem::Kind::image);
    EXPECT_EQ(model->shelf().value(0).externalPath, shot.toLocalFile());
    EXPECT_TRUE(QDir(store->filesFolder()).isEmpty());
}

TEST_F(ShelfModelTest, OpeningTextCopiesItAndCopyingTicks) {
    const ShelfItem text = store->addText(QStringLiteral("copied by opening"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    model->openEntry(text);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "copied by opening");
    EXPECT_EQ(haptics.count, 1);
    settings.setHaptics(false);
    model->copyEntry(text);
    EXPECT_EQ(haptics.count, 1);
}

TEST_F(ShelfModelTest, RemoveClearAndTrashReloadTheList) {
    const auto copy = store->addCopy(QUrl::fromLocalFile(makeFile("c.txt")));
    const ShelfItem text = store->addText(QStringLiteral("t"));
    model->reloadShelf();
    ASSERT_EQ(model->shelf().size(), 2);
    model->removeEntry(*copy);
    EXPECT_EQ(model->shelf(), QList{text});
    EXPECT_TRUE(QDir(store->filesFolder()).isEmpty());
    model->clearShelf();
    EXPECT_TRUE(model->shelf().isEmpty());

    ASSERT_TRUE(store->addCopy(QUrl::fromLocalFile(makeFile("d.txt"))));
    model->reloadShelf();
    model->headerAction(QStringLiteral("trash"));
    EXPECT_TRUE(model->shelf().isEmpty());
    EXPECT_TRUE(QDir(store->filesFolder()).isEmpty());
}

TEST_F(ShelfModelTest, StartAndOpeningClearOldEntries) {
    settings.setShelfAutoClear(ShelfAutoClear::day);
    store->addText(QStringLiteral("old"));
    time.advanceSeconds(86400 - 10);
    const ShelfItem young = store->addText(QStringLiteral("young"));
    time.advanceSeconds(11);
    model->start();
    EXPECT_EQ(model->shelf(), QList{young});
    time.advanceSeconds(86400);
    model->open(std::nullopt);
    EXPECT_TRUE(model->shelf().isEmpty());
}

TEST_F(ShelfModelTest, SharingTheShelfSendsFilesAndLinksOnlyWhenADeviceIsInReach) {
    if (!PrivateBus::hasDbusMock())
        GTEST_SKIP() << "python3-dbusmock is not installed (scripts/packages.txt has it)";
    PrivateBus bus;
    ASSERT_TRUE(bus.startMock(KdeConnectSharing::kService,
                              {QStringLiteral("--template"),
                               QStringLiteral(ZELVIK_SHELF_TEST_DIR "/fake_kdeconnect.py"),
                               QStringLiteral("-p"), QStringLiteral(R"({"reachable": ["p"]})")}));
    KdeConnectSharing sharing(bus.connection());
    ShelfActions sharingActions(*store, &sharing);
    model->setShelfActions(&sharingActions);
    const auto callCount = [&bus] {
        return bus
            .recordedCalls(KdeConnectSharing::kService,
                           QStringLiteral("/modules/kdeconnect/devices/p/share"))
            .size();
    };

    store->addText(QStringLiteral("only text"));
    model->reloadShelf();
    EXPECT_FALSE(model->canShareShelf());
    // The service is there; only the shelf has nothing it could send.
    EXPECT_TRUE(model->sharingAvailable());
    model->shareShelf();
    model->shareUrls({});
    EXPECT_EQ(callCount(), 0);

    store->addLink(QUrl(QStringLiteral("https://example.com/")));
    model->reloadShelf();
    EXPECT_TRUE(model->canShareShelf());
    model->shareShelf();
    QTRY_COMPARE(callCount(), 1);
    model->setShelfActions(actions.get());
}
