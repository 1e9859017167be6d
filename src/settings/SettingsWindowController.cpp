#include "SettingsWindowController.h"

#include "AppLanguage.h"
#include "DisplayChoices.h"
#include "LaunchAtLogin.h"
#include "MusicAppRows.h"
#include "NotchPreviewState.h"
#include "NotchSettings.h"
#include "PreviewWallpaper.h"
#include "RangedSetting.h"
#include "SettingChoices.h"
#include "SettingsActions.h"
#include "SettingsPage.h"
#include "model/NotchModel.h"
#include "monitors/MusicMonitor.h"
#include "platform/linux/XdgAutostartEntry.h"
#include "views/MusicImageProviders.h"
#include "views/NotchViews.h"
#include "views/ViewLanguage.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQmlEngine>
#include <QQuickView>
#include <QScreen>
#include <QtQml/qqml.h>

#include <mutex>

namespace zelvik {

namespace {

Q_LOGGING_CATEGORY(lcSettingsWindow, "zelvik.settings.window", QtWarningMsg)

constexpr QSize kContentSize(840, 600);
// Some window managers refuse focus to a window that was only just mapped.
constexpr std::chrono::milliseconds kReactivationDelay(150);

constexpr const char* kUri = "Zelvik.Settings";

const QUrl kSettingsView(QStringLiteral("qrc:/zelvik/settings/SettingsView.qml"));

} // namespace

void registerSettingsTypes() {
    static std::once_flag once;
    std::call_once(once, [] {
        registerViewTypes();
        qmlRegisterType<SettingChoices>(kUri, 1, 0, "SettingChoices");
        qmlRegisterType<RangedSetting>(kUri, 1, 0, "RangedSetting");
        qmlRegisterType<NotchPreviewState>(kUri, 1, 0, "NotchPreviewState");
        qmlRegisterType<PreviewWallpaper>(kUri, 1, 0, "PreviewWallpaper");
        const QString made = QStringLiteral("made by the settings window");
        qmlRegisterUncreatableType<SettingsPageList>(kUri, 1, 0, "SettingsPageList", made);
        qmlRegisterUncreatableType<DisplayChoices>(kUri, 1, 0, "DisplayChoices", made);
        qmlRegisterUncreatableType<LaunchAtLogin>(kUri, 1, 0, "LaunchAtLogin", made);
        qmlRegisterUncreatableType<MusicAppRows>(kUri, 1, 0, "MusicAppRows", made);
        qmlRegisterUncreatableType<SettingsActions>(kUri, 1, 0, "SettingsActions", made);
    });
}

SettingsWindowController::SettingsWindowController(Services services, QObject* parent)
    : QObject(parent)
    , m_services(services) {}

SettingsWindowController::~SettingsWindowController() {
    m_reactivation.cancel();
    // The view's items go before the objects they are bound to.
    m_window.reset();
    m_engine.reset();
}

namespace {
SettingsWindowController* g_shared = nullptr;
}

SettingsWindowController& SettingsWindowController::shared() {
    if (!g_shared) {
        // Made on first use; the services live as long as the process.
        static XdgAutostartEntry autostart(QCoreApplication::applicationFilePath());
        g_shared = new SettingsWindowController({&autostart});
    }
    return *g_shared;
}

void SettingsWindowController::releaseShared() {
    delete g_shared;
    g_shared = nullptr;
}

void SettingsWindowController::setDesktop(const NotchDesktop* desktop) {
    m_desktop = desktop;
    if (m_displays)
        m_displays->setDesktop(desktop);
}

QQuickView* SettingsWindowController::window() const {
    return m_window.get();
}

void SettingsWindowController::create(NotchModel& model) {
    registerSettingsTypes();
    NotchSettings* settings = model.settings();

    m_engine = std::make_unique<QQmlEngine>();
    // The players' icons come from the music monitor, as in the notch.
    auto* music = qobject_cast<MusicMonitor*>(model.music());
    if (music)
        installMusicImageProviders(*m_engine, *music);

    // Children of the engine, so they outlive every binding to them.
    m_pages = new SettingsPageList(m_engine.get());
    m_pages->setSettings(settings);
    m_pages->setMusic(music);
    m_displays = new DisplayChoices(m_engine.get());
    m_displays->setDesktop(m_desktop);
    m_displays->setSettings(settings);
    m_launchAtLogin = new LaunchAtLogin(m_services.loginItem, m_engine.get());
    m_players = new MusicAppRows(music, m_engine.get());
    m_players->setSettings(settings);
    m_actions = new SettingsActions(m_engine.get());
    m_actions->setModel(&model);

    // Every text of the window follows this store's language.
    if (auto* language =
            m_engine->singletonInstance<ViewLanguage*>(qmlTypeId("Zelvik.Views", 1, 0, "Language")))
        language->setSettings(settings);

    m_window = std::make_unique<QQuickView>(m_engine.get(), nullptr);
    m_window->setResizeMode(QQuickView::SizeRootObjectToView);
    m_window->setMinimumSize(QSize(720, 480));
    m_window->resize(kContentSize);
    m_window->setInitialProperties({
        {QStringLiteral("model"), QVariant::fromValue(&model)},
        {QStringLiteral("settings"), QVariant::fromValue(settings)},
        {QStringLiteral("pages"), QVariant::fromValue(m_pages)},
        {QStringLiteral("displays"), QVariant::fromValue(m_displays)},
        {QStringLiteral("launchAtLogin"), QVariant::fromValue(m_launchAtLogin)},
        {QStringLiteral("players"), QVariant::fromValue(m_players)},
        {QStringLiteral("actions"), QVariant::fromValue(m_actions)},
    });
    m_window->setSource(kSettingsView);
    if (m_window->status() == QQuickView::Error) {
        for (const QQmlError& error : m_window->errors())
            m_loadErrors += error.toString() + u'\n';
        qCWarning(lcSettingsWindow).noquote() << m_loadErrors;
    }

    updateTitle();
    connect(settings, &NotchSettings::languageChanged, this,
            &SettingsWindowController::updateTitle);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        m_window->setPosition(area.center() -
                              QPoint(kContentSize.width() / 2, kContentSize.height() / 2));
    }
}

void SettingsWindowController::updateTitle() {
    if (m_window)
        m_window->setTitle(localized("Zelvik Settings", "Zelvik Ayarları"));
}

void SettingsWindowController::show(NotchModel& model, SettingsPage page) {
    if (!m_window)
        create(model);
    m_pages->setCurrentPage(page);
    // What may have changed behind the window's back while it was hidden.
    m_launchAtLogin->refresh();
    m_displays->refresh();
    m_players->refresh();
    bringForward();

    m_reactivation.cancel();
    m_reactivation = model.scheduler().after(kReactivationDelay, [this] {
        if (m_window && !m_window->isActive())
            bringForward();
    });
}

void SettingsWindowController::bringForward() {
    if (m_window->windowStates() & Qt::WindowMinimized)
        m_window->setWindowStates(m_window->windowStates() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->requestActivate();
}

} // namespace zelvik
