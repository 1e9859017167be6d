#pragma once

#include "Clock.h"
#include "FocusState.h"
#include "FocusStore.h"
#include "FocusTimer.h"
#include "HUDEvent.h"
#include "MusicStatus.h"
#include "NotchTypes.h"
#include "Scheduler.h"
#include "shelf/ShelfItem.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QUrl>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

class QMimeData;

namespace zelvik {

class AudioDeviceMonitor;
class BatteryMonitor;
class DefaultsStore;
class HapticFeedback;
class HotKeyManager;
class NotchSettings;
class NotificationCenter;
class ScreenshotWatcher;
class SoundPlayer;
class ShelfActions;

// The one observable state of the notch surface: status, tab, measured notch
// size, the notice on screen, the shelf list and the focus timer, with the
// delayed transitions between the states. Lives on the main thread.
class NotchModel : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("settings/NotchSettings.h")
    Q_PROPERTY(zelvik::NotchStatus status READ status NOTIFY statusChanged)
    Q_PROPERTY(QString statusName READ statusName NOTIFY statusChanged)
    Q_PROPERTY(zelvik::ZelvikPanel tab READ tab WRITE setTab NOTIFY tabChanged)
    Q_PROPERTY(QString tabName READ tabName NOTIFY tabChanged)
    Q_PROPERTY(QSizeF notchSize READ notchSize WRITE setNotchSize NOTIFY notchSizeChanged)
    Q_PROPERTY(bool hasPhysicalNotch READ hasPhysicalNotch WRITE setHasPhysicalNotch NOTIFY
                   hasPhysicalNotchChanged)
    Q_PROPERTY(QVariant hud READ hudValue NOTIFY hudChanged)
    Q_PROPERTY(bool isDropTargeted READ isDropTargeted WRITE setIsDropTargeted NOTIFY
                   isDropTargetedChanged)
    Q_PROPERTY(zelvik::FocusState focus READ focus NOTIFY focusChanged)
    // The shelf entries (ShelfItem values), newest first.
    Q_PROPERTY(QVariantList shelf READ shelfValue NOTIFY shelfChanged)
    Q_PROPERTY(zelvik::NotchSettings* settings READ settings CONSTANT)
    // The music monitor (a MusicMonitor in the program), for the music views.
    Q_PROPERTY(QObject* music READ musicObject NOTIFY musicChanged)
    Q_PROPERTY(QString closedActivity READ closedActivityName NOTIFY closedActivityChanged)
    Q_PROPERTY(QSizeF shapeSize READ shapeSize NOTIFY shapeSizeChanged)
    Q_PROPERTY(QSizeF openShapeSize READ openShapeSize NOTIFY openShapeSizeChanged)
    Q_PROPERTY(QSizeF interactionSize READ interactionSize NOTIFY interactionSizeChanged)
    // Whether this desktop lets Zelvik take Alt+Super+N itself; where it
    // does not (Wayland sessions), the settings say how to bind
    // `zelvik --toggle` instead. Fixed once the application has started.
    Q_PROPERTY(bool hotKeyAvailable READ isHotKeyAvailable CONSTANT)
    // True while the drawn outline is still on its way to the size of the
    // current state (the views report it), so that the window carrying it
    // shrinks only once a shrinking morph has ended.
    Q_PROPERTY(
        bool outlineMoving READ isOutlineMoving WRITE setOutlineMoving NOTIFY outlineMovingChanged)

public:
    // The collaborators the model leans on. The store and the time sources
    // outlive the model; the haptic performer may be null (no feedback).
    struct Environment {
        DefaultsStore& store;
        Scheduler& scheduler;
        Clock& clock;
        HapticFeedback* haptics = nullptr;
    };

    explicit NotchModel(Environment environment, QObject* parent = nullptr);
    ~NotchModel() override;

    // Observed fields.
    NotchStatus status() const { return m_status; }
    QString statusName() const { return rawValue(m_status); }
    ZelvikPanel tab() const { return m_tab; }
    QString tabName() const { return rawValue(m_tab); }
    void setTab(ZelvikPanel tab);
    QSizeF notchSize() const { return m_notchSize; }
    void setNotchSize(const QSizeF& size);
    bool hasPhysicalNotch() const { return m_hasPhysicalNotch; }
    void setHasPhysicalNotch(bool value);
    const std::optional<HUDEvent>& hud() const { return m_hud; }
    QVariant hudValue() const;
    void setHud(const std::optional<HUDEvent>& hud);
    bool isDropTargeted() const { return m_isDropTargeted; }
    void setIsDropTargeted(bool value);
    bool isOutlineMoving() const { return m_outlineMoving; }
    void setOutlineMoving(bool moving);
    const QList<ShelfItem>& shelf() const { return m_shelf; }
    QVariantList shelfValue() const;
    void setShelf(const QList<ShelfItem>& items);
    const FocusState& focus() const { return m_focus; }
    void setFocus(const FocusState& focus);

    // Named rectangles of the open notch's header buttons, in window content
    // coordinates (origin top-left, y downwards). Written by the views; read by
    // the window controller. Not observed.
    const QMap<QString, QRectF>& hitTargets() const { return m_hitTargets; }
    void setHitTargets(const QMap<QString, QRectF>& targets) { m_hitTargets = targets; }
    Q_INVOKABLE void setHitTargets(const QVariantMap& targets);

    NotchSettings* settings() const { return m_settings.get(); }
    // The global shortcut that toggles the notch; the application gives it
    // its desktop backend before start().
    HotKeyManager& hotKey() const { return *m_hotKey; }
    bool isHotKeyAvailable() const;
    // The system monitors the model owns; the application gives each its
    // system source before start().
    BatteryMonitor& battery() const { return *m_battery; }
    AudioDeviceMonitor& audio() const { return *m_audio; }
    ScreenshotWatcher& screenshots() const { return *m_screenshots; }
    Scheduler& scheduler() const { return m_scheduler; }
    Clock& clock() const { return m_clock; }

    // Derived values.
    std::optional<ClosedActivity> closedActivity() const;
    QString closedActivityName() const;
    QSizeF openShapeSize() const;
    QSizeF shapeSize() const;
    QSizeF interactionSize() const;

    // Collaborators plugged in by the application. The model takes ownership
    // of the music status object; the shelf storage must outlive the model.
    void setMusic(MusicStatus* music);
    MusicStatus* music() const { return m_music; }
    QObject* musicObject() const { return m_music; }
    void setShelfStorage(ShelfStorage* storage) { m_shelfStorage = storage; }
    // The shelf's import and entry actions; must outlive the model.
    void setShelfActions(ShelfActions* actions) { m_shelfActions = actions; }

    // Loads the shelf, wires and starts the monitors. Called once.
    void start();

    Q_INVOKABLE void open();
    void open(std::optional<ZelvikPanel> panel);
    Q_INVOKABLE void openOn(zelvik::ZelvikPanel panel) { open(panel); }
    Q_INVOKABLE void close();
    Q_INVOKABLE void toggle();
    Q_INVOKABLE void hover(bool inside, bool immediate = false);
    Q_INVOKABLE void headerAction(const QString& id);
    // Shows the settings window without touching the notch (menus use this).
    Q_INVOKABLE void showSettingsWindow();

    // The haptic tick, when the haptics setting is on.
    void hapticTick();
    // The shelf's clearing by age, then a reload of the list if it changed.
    void runShelfAutoClear();
    void reloadShelf();

    // Shows a notice unless the notch is open; it replaces the one on screen
    // at once and goes after hudDuration seconds.
    void showHUD(const HUDEvent& event);
    bool hasPendingHudExpiry() const { return m_hudTask.isPending(); }

    // Focus timer: the buttons of the focus view and the end task.
    Q_INVOKABLE void startOrPauseFocus();
    Q_INVOKABLE void choosePreset(const zelvik::FocusPreset& preset);
    Q_INVOKABLE void resetFocus();
    void scheduleFocusTask();
    bool hasPendingFocusEnd() const { return m_focusTask.isPending(); }
    // The work period to return to after an automatic break.
    const std::optional<FocusPreset>& workPreset() const { return m_workPreset; }
    FocusStore& focusStore() { return m_focusStore; }
    // Where the end notification and the end sound go; either may be null.
    // Both must outlive the model.
    void setNotificationCenter(NotificationCenter* center);
    void setSoundPlayer(SoundPlayer* player) { m_sounds = player; }
    // The end sound's player, for the settings page's play button.
    SoundPlayer* soundPlayer() const { return m_sounds; }

    // One scroll event of a two-finger swipe over the notch.
    Q_INVOKABLE void swipe(bool began, bool ended, double dx, double dy);
    // Shelf operations (NotchModelShelf.cpp). Each change reloads the list.
    // A drop is read at once and stored off the main thread; the list then
    // reloads once, with a haptic tick, only when something was added.
    void handleDrop(const QMimeData& data);
    // The action to tell the drop's source, of those it offers: a copy, or a
    // link for files kept by reference; never a move.
    Qt::DropAction dropAction(const QMimeData& data, Qt::DropActions offered) const;
    // The same for QML drops: MIME type -> data, and the actions the source
    // offers (Qt.DropActions). Returns the action to accept the drop with.
    Q_INVOKABLE int handleDropData(const QVariantMap& formats,
                                   int offeredActions = Qt::CopyAction | Qt::LinkAction);
    // Kept by reference, once per path.
    void addScreenshot(const QUrl& file);
    Q_INVOKABLE void openEntry(const zelvik::ShelfItem& item);
    Q_INVOKABLE void copyEntry(const zelvik::ShelfItem& item);
    // "Show in Files": entries with a file only.
    Q_INVOKABLE void revealEntry(const zelvik::ShelfItem& item);
    // Shows the shelf's folder in the file manager.
    Q_INVOKABLE void revealShelfFolder();
    // The caller owns the result.
    QMimeData* dragOutContent(const ShelfItem& item) const;
    Q_INVOKABLE QVariantMap dragOutData(const zelvik::ShelfItem& item) const;
    Q_INVOKABLE void removeEntry(const zelvik::ShelfItem& item);
    Q_INVOKABLE void clearShelf();
    Q_INVOKABLE QUrl entryFileUrl(const zelvik::ShelfItem& item) const;
    // Nearby sharing of every file and link on the shelf, or of given URLs.
    Q_INVOKABLE bool canShareShelf() const;
    // Whether a sharing service is there at all (a device in reach); the
    // share controls are disabled without one.
    Q_INVOKABLE bool sharingAvailable() const;
    Q_INVOKABLE void shareShelf();
    Q_INVOKABLE void shareUrls(const QList<QUrl>& urls);

    // Run at the end of every close().
    std::function<void()> onClosed;
    // Shows the settings window (the "settings" header action).
    std::function<void()> onShowSettings;

    // Pending tasks, exposed for the window controller and the tests.
    bool pointerInside() const { return m_pointerInside; }
    bool hasPendingOpen() const { return m_openTask.isPending(); }
    bool hasPendingClose() const { return m_closeTask.isPending(); }

    // Delays as the model uses them: the settings clamped to a safe range.
    std::chrono::milliseconds hoverDelay() const;
    std::chrono::milliseconds closeDelay() const;

signals:
    void statusChanged();
    void tabChanged();
    void notchSizeChanged();
    void hasPhysicalNotchChanged();
    void hudChanged();
    void isDropTargetedChanged();
    void shelfChanged();
    void focusChanged();
    void musicChanged();
    void closedActivityChanged();
    void shapeSizeChanged();
    void openShapeSizeChanged();
    void interactionSizeChanged();
    void outlineMovingChanged();

private:
    void setStatus(NotchStatus status);
    void wireHotKey();
    void wireMusic();
    void wireSystemMonitors();
    void refreshDerived();
    void armFocusTask(ReferenceSeconds end, const QString& label);
    void handleFocusEnd(const QString& label);
    void resumeFocusAtStart();

    struct LastHeaderAction {
        QString id;
        ReferenceSeconds date = 0;
    };

    DefaultsStore& m_store;
    Scheduler& m_scheduler;
    Clock& m_clock;
    HapticFeedback* m_haptics;
    std::unique_ptr<NotchSettings> m_settings;
    std::unique_ptr<HotKeyManager> m_hotKey;
    std::unique_ptr<BatteryMonitor> m_battery;
    std::unique_ptr<AudioDeviceMonitor> m_audio;
    std::unique_ptr<ScreenshotWatcher> m_screenshots;
    QPointer<MusicStatus> m_music;
    ShelfStorage* m_shelfStorage = nullptr;
    FocusStore m_focusStore;
    SoundPlayer* m_sounds = nullptr;
    ShelfActions* m_shelfActions = nullptr;

    NotchStatus m_status = NotchStatus::closed;
    ZelvikPanel m_tab = ZelvikPanel::music;
    QSizeF m_notchSize{190, 32};
    bool m_hasPhysicalNotch = true;
    std::optional<HUDEvent> m_hud;
    bool m_isDropTargeted = false;
    bool m_outlineMoving = false;
    QList<ShelfItem> m_shelf;
    FocusState m_focus;

    TaskHandle m_openTask;
    TaskHandle m_closeTask;
    TaskHandle m_hudTask;
    TaskHandle m_focusTask;

    bool m_pointerInside = false;
    QMap<QString, QRectF> m_hitTargets;
    std::optional<LastHeaderAction> m_lastHeaderAction;
    std::optional<FocusPreset> m_workPreset;
    double m_swipeAccumulator = 0;
    bool m_swipeTriggered = false;
    bool m_started = false;

    // Last published derived values, so their signals fire on real changes only.
    std::optional<ClosedActivity> m_publishedActivity;
    QSizeF m_publishedShape;
    QSizeF m_publishedOpenShape;
    QSizeF m_publishedInteraction;
};

} // namespace zelvik
