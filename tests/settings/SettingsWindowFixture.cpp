#include "SettingsWindowFixture.h"

#include "settings/SettingsPage.h"
#include "views/Symbols.h"

#include <QQuickItem>
#include <QTest>

namespace zelvik::test {

namespace {

QStringList g_qmlWarnings;
QtMessageHandler g_previousHandler = nullptr;

void recordQmlWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg && text.contains(u"qrc:/zelvik/"))
        g_qmlWarnings << text;
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

bool isSymbol(QQuickItem* item) {
    return item->inherits("QQuickText") &&
           item->property("font").value<QFont>().family() == QString::fromLatin1(kSymbolFontFamily);
}

void collect(QQuickItem* item, const std::function<void(QQuickItem*)>& visit) {
    visit(item);
    for (QQuickItem* child : item->childItems())
        collect(child, visit);
}

} // namespace

SettingsWindowFixture::SettingsWindowFixture() {
    g_qmlWarnings.clear();
    g_previousHandler = qInstallMessageHandler(recordQmlWarnings);
    clearStore();
    shelfStore = std::make_unique<ShelfStore>(time, folder.filePath(QStringLiteral("Shelf")));
    shelfActions = std::make_unique<ShelfActions>(*shelfStore, nullptr, &revealer);
    autostart = std::make_unique<XdgAutostartEntry>(
        QStringLiteral("/usr/bin/zelvik"), folder.filePath(QStringLiteral("zelvik.desktop")));
    desktop.screenList = FakeDesktop::laptopAndMonitor();
    controller = std::make_unique<SettingsWindowController>(
        SettingsWindowController::Services{autostart.get()});
}

SettingsWindowFixture::~SettingsWindowFixture() {
    controller.reset();
    qInstallMessageHandler(g_previousHandler);
}

void SettingsWindowFixture::TearDown() {
    // Closing the window must not upset its bindings either.
    controller.reset();
    EXPECT_TRUE(g_qmlWarnings.isEmpty()) << g_qmlWarnings.join(u'\n').toStdString();
}

void SettingsWindowFixture::clearStore() {
    DefaultsStore& store = DefaultsStore::standard();
    for (const auto& [key, value] : NotchSettings::registeredDefaults())
        store.remove(key);
}

QVariant SettingsWindowFixture::stored(const QString& key) {
    return DefaultsStore::standard().object(key);
}

void SettingsWindowFixture::showWindow(SettingsPage page) {
    model = std::make_unique<NotchModel>(
        NotchModel::Environment{DefaultsStore::standard(), time, time, nullptr});
    model->setShelfStorage(shelfStore.get());
    model->setShelfActions(shelfActions.get());
    model->setSoundPlayer(&sounds);
    model->hotKey().setShortcut(shortcut);
    model->reloadShelf();
    auto notifications = std::make_unique<FakeNotifications>();
    auto applications = std::make_unique<ScriptedApplications>();
    playerNotifications = notifications.get();
    playerApplications = applications.get();
    playerNotifications->running.insert(MusicSource::appleMusic);
    applications->installed[MusicSource::spotify] = {
        QStringLiteral("spotify.desktop"), QStringLiteral("Spotify"),
        QStringLiteral("spotify-client"),
        QUrl::fromLocalFile("/usr/share/applications/spotify.desktop")};
    applications->installed[MusicSource::appleMusic] = {
        QStringLiteral("org.gnome.Rhythmbox3.desktop"), QStringLiteral("Rhythmbox"),
        QStringLiteral("org.gnome.Rhythmbox3"),
        QUrl::fromLocalFile("/usr/share/applications/org.gnome.Rhythmbox3.desktop")};
    music =
        new MusicMonitor({time, time, runner, std::move(notifications), std::move(applications)});
    model->setMusic(music);
    // As the model's start does in the program.
    music->start();
    settings = model->settings();
    controller->setDesktop(&desktop);
    controller->show(*model, page);
    ASSERT_NE(controller->window(), nullptr);
    ASSERT_TRUE(controller->loadErrors().isEmpty()) << controller->loadErrors().toStdString();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(controller->window()));
    settle();
}

QQuickItem* SettingsWindowFixture::find(const QString& objectName, QQuickItem* parent) const {
    QQuickItem* found = nullptr;
    collect(parent ? parent : window().contentItem(), [&](QQuickItem* item) {
        if (!found && item->objectName() == objectName)
            found = item;
    });
    return found;
}

QQuickItem* SettingsWindowFixture::page(SettingsPage p) const {
    return find(QStringLiteral("page.") + rawValue(p));
}

QQuickItem* SettingsWindowFixture::row(SettingsPage p, const QString& rowName) const {
    QQuickItem* pageItem = page(p);
    return pageItem ? find(rowName, pageItem) : nullptr;
}

void SettingsWindowFixture::selectPage(SettingsPage p) {
    QQuickItem* entry = find(QStringLiteral("sidebar.") + rawValue(p));
    ASSERT_NE(entry, nullptr);
    click(entry);
    settle();
}

void SettingsWindowFixture::settle() {
    QCoreApplication::processEvents();
    // Grabbing polishes the items and renders one frame.
    window().grabWindow();
    QCoreApplication::processEvents();
}

void SettingsWindowFixture::ensureVisible(QQuickItem* item) {
    QQuickItem* flickable = item;
    while (flickable && !flickable->inherits("QQuickFlickable"))
        flickable = flickable->parentItem();
    if (!flickable)
        return;
    const auto content = flickable->property("contentItem").value<QQuickItem*>();
    const double y = item->mapToItem(content, QPointF(0, 0)).y();
    const double room = flickable->height() - item->height();
    const double maxY =
        std::max(0.0, flickable->property("contentHeight").toDouble() - flickable->height());
    flickable->setProperty("contentY", std::clamp(y - std::max(0.0, room / 2), 0.0, maxY));
    settle();
}

void SettingsWindowFixture::click(QQuickItem* item, QPointF at) {
    ASSERT_NE(item, nullptr);
    if (at.x() < 0)
        at = QPointF(item->width() / 2, item->height() / 2);
    const QPoint scene = item->mapToScene(at).toPoint();
    QTest::mouseClick(&window(), Qt::LeftButton, {}, scene);
    settle();
}

void SettingsWindowFixture::chooseFromDropDown(QQuickItem* comboBox, int index) {
    ASSERT_NE(comboBox, nullptr);
    ensureVisible(comboBox);
    click(comboBox);
    // The options live in the popup, on the window's overlay.
    QQuickItem* option = nullptr;
    for (int attempt = 0; attempt < 50 && !option; ++attempt) {
        settle();
        option = find(QStringLiteral("option") + QString::number(index));
        if (option && !option->isVisible())
            option = nullptr;
    }
    ASSERT_NE(option, nullptr) << "option " << index;
    click(option);
    // Let the popup close before the next one opens.
    for (int attempt = 0; attempt < 50 && find(QStringLiteral("option0")) &&
                          find(QStringLiteral("option0"))->isVisible();
         ++attempt)
        QTest::qWait(10);
}

bool SettingsWindowFixture::waitForScript(const QString& script) {
    return QTest::qWaitFor(
        [&] {
            const QMutexLocker lock(&scripts->mutex);
            return scripts->log.contains(script);
        },
        20000);
}

QList<QPair<QQuickItem*, QString>> SettingsWindowFixture::texts() const {
    QList<QPair<QQuickItem*, QString>> result;
    collect(window().contentItem(), [&](QQuickItem* item) {
        if (!item->inherits("QQuickText"))
            return;
        if (isSymbol(item))
            return;
        result.append({item, item->property("text").toString()});
    });
    return result;
}

QStringList SettingsWindowFixture::symbolsShown() const {
    QStringList names;
    collect(window().contentItem(), [&](QQuickItem* item) {
        if (isSymbol(item) && item->isVisible())
            names << item->property("name").toString();
    });
    return names;
}

} // namespace zelvik::test
