#include "NotchModel.h"

#include "HapticFeedback.h"
#include "MusicStatus.h"
#include "monitors/AudioDeviceMonitor.h"
#include "monitors/BatteryMonitor.h"
#include "monitors/ScreenshotWatcher.h"
#include "settings/DefaultsStore.h"
#include "settings/NotchSettings.h"
#include "window/HotKeyManager.h"

#include <QLoggingCategory>

namespace zelvik {

namespace {

// Which header buttons ran, and which clicks were a second report of one.
Q_LOGGING_CATEGORY(lcHeader, "zelvik.notch.header", QtWarningMsg)

// A header button can report the same click twice (the view and the window's
// hit test); repeats of one action within this window are dropped.
constexpr double kHeaderRepeatGuard = 0.6;

// The settings page offers 0...600 ms and 100...1200 ms; anything stored by
// other means is kept inside these bounds so a delay can never hang or overflow.
constexpr double kMaxPointerDelayMs = 10000;

} // namespace

NotchModel::NotchModel(Environment environment, QObject* parent)
    : QObject(parent)
    , m_store(environment.store)
    , m_scheduler(environment.scheduler)
    , m_clock(environment.clock)
    , m_haptics(environment.haptics)
    , m_settings(std::make_unique<NotchSettings>(environment.store))
    , m_hotKey(std::make_unique<HotKeyManager>())
    , m_battery(std::make_unique<BatteryMonitor>())
    , m_audio(std::make_unique<AudioDeviceMonitor>())
    , m_screenshots(std::make_unique<ScreenshotWatcher>())
    , m_focusStore(environment.store, environment.clock) {
    m_focus = m_focusStore.loadFocusOrDefault();
    connect(m_settings.get(), &NotchSettings::openSizeChanged, this, &NotchModel::refreshDerived);
    connect(m_settings.get(), &NotchSettings::showMusicActivityChanged, this,
            &NotchModel::refreshDerived);
    m_publishedActivity = closedActivity();
    m_publishedShape = shapeSize();
    m_publishedOpenShape = openShapeSize();
    m_publishedInteraction = interactionSize();
}

NotchModel::~NotchModel() {
    // Nothing may fire into a dead model.
    for (const TaskHandle* task : {&m_openTask, &m_closeTask, &m_hudTask, &m_focusTask})
        task->cancel();
}

void NotchModel::setStatus(NotchStatus status) {
    if (m_status == status)
        return;
    m_status = status;
    emit statusChanged();
    refreshDerived();
}

void NotchModel::setTab(ZelvikPanel tab) {
    if (m_tab == tab)
        return;
    m_tab = tab;
    emit tabChanged();
}

void NotchModel::setNotchSize(const QSizeF& size) {
    if (m_notchSize == size)
        return;
    m_notchSize = size;
    emit notchSizeChanged();
    refreshDerived();
}

void NotchModel::setHasPhysicalNotch(bool value) {
    if (m_hasPhysicalNotch == value)
        return;
    m_hasPhysicalNotch = value;
    emit hasPhysicalNotchChanged();
}

QVariant NotchModel::hudValue() const {
    return m_hud ? QVariant::fromValue(*m_hud) : QVariant();
}

void NotchModel::setHud(const std::optional<HUDEvent>& hud) {
    if (m_hud == hud)
        return;
    m_hud = hud;
    emit hudChanged();
    refreshDerived();
}

void NotchModel::setIsDropTargeted(bool value) {
    if (m_isDropTargeted == value)
        return;
    m_isDropTargeted = value;
    emit isDropTargetedChanged();
}

void NotchModel::setOutlineMoving(bool moving) {
    if (m_outlineMoving == moving)
        return;
    m_outlineMoving = moving;
    emit outlineMovingChanged();
}

void NotchModel::setShelf(const QList<ShelfItem>& items) {
    if (m_shelf == items)
        return;
    m_shelf = items;
    emit shelfChanged();
}

QVariantList NotchModel::shelfValue() const {
    QVariantList items;
    items.reserve(m_shelf.size());
    for (const ShelfItem& item : m_shelf)
        items << QVariant::fromValue(item);
    return items;
}

void NotchModel::setFocus(const FocusState& focus) {
    if (m_focus == focus)
        return;
    m_focus = focus;
    emit focusChanged();
    refreshDerived();
}

void NotchModel::setMusic(MusicStatus* music) {
    if (m_music == music)
        return;
    if (m_music)
        disconnect(m_music, nullptr, this, nullptr);
    m_music = music;
    if (music) {
        music->setParent(this);
        connect(music, &MusicStatus::changed, this, &NotchModel::refreshDerived);
    }
    emit musicChanged();
    refreshDerived();
}

std::optional<ClosedActivity> NotchModel::closedActivity() const {
    if (m_focus.endDate && *m_focus.endDate > m_clock.now())
        return ClosedActivity::focus;
    if (m_settings->showMusicActivity() && m_music && m_music->isPlaying() &&
        !m_music->trackTitle().isEmpty())
        return ClosedActivity::music;
    return std::nullopt;
}

QString NotchModel::closedActivityName() const {
    const auto activity = closedActivity();
    return activity ? rawValue(*activity) : QString();
}

QSizeF NotchModel::openShapeSize() const {
    const double w = m_notchSize.width();
    const double h = m_notchSize.height();
    switch (m_settings->openSize()) {
    case OpenSizePreset::compact:
        return {std::max(500.0, w + 320), h + 145};
    case OpenSizePreset::large:
        return {std::max(660.0, w + 470), h + 180};
    case OpenSizePreset::regular:
        break;
    }
    return {std::max(560.0, w + 370), h + 160};
}

QSizeF NotchModel::shapeSize() const {
    if (m_status == NotchStatus::open)
        return openShapeSize();
    const double w = m_notchSize.width();
    const double h = m_notchSize.height();
    QSizeF size = m_notchSize;
    if (m_hud)
        size = {w + 2 * (h + 12 + 30), h + 30};
    else if (closedActivity())
        size = {w + 2 * (h + 12), h};
    if (m_status == NotchStatus::peeking && !m_hud)
        size += QSizeF(16, 6);
    return size;
}

QSizeF NotchModel::interactionSize() const {
    const QSizeF shape = shapeSize();
    if (m_status == NotchStatus::open)
        return shape + QSizeF(32 + 24, 18);
    return shape + QSizeF(16 + 24, 10);
}

void NotchModel::refreshDerived() {
    const auto activity = closedActivity();
    const QSizeF shape = shapeSize();
    const QSizeF openShape = openShapeSize();
    const QSizeF interaction = interactionSize();
    if (activity != m_publishedActivity) {
        m_publishedActivity = activity;
        emit closedActivityChanged();
    }
    if (shape != m_publishedShape) {
        m_publishedShape = shape;
        emit shapeSizeChanged();
    }
    if (openShape != m_publishedOpenShape) {
        m_publishedOpenShape = openShape;
        emit openShapeSizeChanged();
    }
    if (interaction != m_publishedInteraction) {
        m_publishedInteraction = interaction;
        emit interactionSizeChanged();
    }
}

std::chrono::milliseconds NotchModel::hoverDelay() const {
    return clampedDelay(m_settings->hoverDelay(), 180, 0, kMaxPointerDelayMs);
}

std::chrono::milliseconds NotchModel::closeDelay() const {
    return clampedDelay(m_settings->closeDelay(), 280, 0, kMaxPointerDelayMs);
}

void NotchModel::hapticTick() {
    if (m_settings->haptics() && m_haptics)
        m_haptics->performAlignment();
}

void NotchModel::runShelfAutoClear() {
    const int days = rawValue(m_settings->shelfAutoClear());
    if (!m_shelfStorage || days <= 0)
        return;
    m_shelfStorage->clearOlderThan(days);
    reloadShelf();
}

void NotchModel::reloadShelf() {
    if (m_shelfStorage)
        setShelf(m_shelfStorage->loadShelf());
}

void NotchModel::start() {
    if (m_started)
        return;
    m_started = true;
    runShelfAutoClear();
    reloadShelf();
    // The music monitor is wired here, before the system monitors.
    wireMusic();
    wireSystemMonitors();
    wireHotKey();
    resumeFocusAtStart();
}

void NotchModel::open() {
    open(std::nullopt);
}

void NotchModel::open(std::optional<ZelvikPanel> panel) {
    m_openTask.cancel();
    m_closeTask.cancel();
    if (panel)
        setTab(*panel);
    if (m_status == NotchStatus::open)
        return;
    if (!panel) {
        switch (m_settings->defaultTab()) {
        case DefaultTabOption::music:
            setTab(ZelvikPanel::music);
            break;
        case DefaultTabOption::shelf:
            setTab(ZelvikPanel::shelf);
            break;
        case DefaultTabOption::focus:
            setTab(ZelvikPanel::focus);
            break;
        case DefaultTabOption::last:
            break;
        }
    }
    // The notice goes; its expiry task stays armed and clears nothing later.
    setHud(std::nullopt);
    runShelfAutoClear();
    setStatus(NotchStatus::open);
    hapticTick();
    // Bring the playing song's progress up to date for the music tab.
    m_scheduler.after(std::chrono::milliseconds(0), [self = QPointer(this)] {
        if (self && self->m_music)
            self->m_music->refreshPosition();
    });
}

void NotchModel::close() {
    m_closeTask.cancel();
    m_openTask.cancel();
    setStatus(NotchStatus::closed);
    setIsDropTargeted(false);
    if (onClosed)
        onClosed();
}

void NotchModel::toggle() {
    if (m_status == NotchStatus::open)
        close();
    else
        open(std::nullopt);
}

void NotchModel::hover(bool inside, bool immediate) {
    if (inside) {
        m_closeTask.cancel();
        if (immediate) {
            m_pointerInside = true;
            open(std::nullopt);
            return;
        }
        if (m_pointerInside)
            return;
        m_pointerInside = true;
        if (m_status != NotchStatus::closed)
            return;
        setStatus(NotchStatus::peeking);
        hapticTick();
        if (!m_settings->openOnHover())
            return;
        m_openTask.cancel();
        m_openTask = m_scheduler.after(hoverDelay(), [self = QPointer(this)] {
            if (self && self->m_status == NotchStatus::peeking)
                self->open(std::nullopt);
        });
        return;
    }

    if (!m_pointerInside)
        return;
    m_pointerInside = false;
    m_openTask.cancel();
    switch (m_status) {
    case NotchStatus::closed:
        return;
    case NotchStatus::peeking:
        setStatus(NotchStatus::closed);
        return;
    case NotchStatus::open:
        // The previous close task was cancelled when the pointer came back in.
        m_closeTask = m_scheduler.after(closeDelay(), [self = QPointer(this)] {
            if (self)
                self->close();
        });
        return;
    }
}

void NotchModel::showSettingsWindow() {
    if (onShowSettings)
        onShowSettings();
}

void NotchModel::headerAction(const QString& id) {
    const ReferenceSeconds now = m_clock.now();
    if (m_lastHeaderAction && m_lastHeaderAction->id == id) {
        const double elapsed = now - m_lastHeaderAction->date;
        // A clock set backwards must not block the button until it catches up.
        if (elapsed >= 0 && elapsed < kHeaderRepeatGuard) {
            qCDebug(lcHeader) << "header action" << id << "repeated, ignored";
            return;
        }
    }
    m_lastHeaderAction = LastHeaderAction{id, now};
    qCDebug(lcHeader) << "header action" << id << "runs";

    if (id == u"settings") {
        close();
        showSettingsWindow();
    } else if (id == u"trash") {
        if (m_shelfStorage)
            m_shelfStorage->removeAllEntries();
        reloadShelf();
    } else if (id.startsWith(u"tab.")) {
        if (const auto panel = panelFromRaw(QStringView(id).mid(4))) {
            setTab(*panel);
            hapticTick();
        }
    }
}

} // namespace zelvik
