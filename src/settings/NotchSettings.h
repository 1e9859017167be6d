#pragma once

#include "AppLanguage.h"
#include "SettingsEnums.h"

#include <QObject>
#include <QStringList>

#include <functional>

namespace zelvik {

class DefaultsStore;

// Every user preference, live. Each property is backed by one key of the
// defaults store (the key is the property name, except `language`, stored as
// "appLanguage"); every write goes through to the store at once.
//
// Change signals fire only on a real change, but writing an unchanged value
// still persists it and still runs the setting's callback.
class NotchSettings : public QObject {
    Q_OBJECT
    Q_PROPERTY(double glassAmount READ glassAmount WRITE setGlassAmount NOTIFY glassAmountChanged)
    Q_PROPERTY(bool glassWhenClosed READ glassWhenClosed WRITE setGlassWhenClosed NOTIFY
                   glassWhenClosedChanged)
    Q_PROPERTY(bool tintWithArtwork READ tintWithArtwork WRITE setTintWithArtwork NOTIFY
                   tintWithArtworkChanged)
    Q_PROPERTY(
        zelvik::OpenSizePreset openSize READ openSize WRITE setOpenSize NOTIFY openSizeChanged)
    Q_PROPERTY(zelvik::NotchAnimationStyle animationStyle READ animationStyle WRITE
                   setAnimationStyle NOTIFY animationStyleChanged)
    Q_PROPERTY(bool showShadow READ showShadow WRITE setShowShadow NOTIFY showShadowChanged)
    Q_PROPERTY(bool openOnHover READ openOnHover WRITE setOpenOnHover NOTIFY openOnHoverChanged)
    Q_PROPERTY(double hoverDelay READ hoverDelay WRITE setHoverDelay NOTIFY hoverDelayChanged)
    Q_PROPERTY(double closeDelay READ closeDelay WRITE setCloseDelay NOTIFY closeDelayChanged)
    Q_PROPERTY(zelvik::DefaultTabOption defaultTab READ defaultTab WRITE setDefaultTab NOTIFY
                   defaultTabChanged)
    Q_PROPERTY(bool swipeToSkip READ swipeToSkip WRITE setSwipeToSkip NOTIFY swipeToSkipChanged)
    Q_PROPERTY(bool haptics READ haptics WRITE setHaptics NOTIFY hapticsChanged)
    Q_PROPERTY(
        bool hotKeyEnabled READ hotKeyEnabled WRITE setHotKeyEnabled NOTIFY hotKeyEnabledChanged)
    Q_PROPERTY(bool showMusicActivity READ showMusicActivity WRITE setShowMusicActivity NOTIFY
                   showMusicActivityChanged)
    Q_PROPERTY(bool trackChangeHUD READ trackChangeHUD WRITE setTrackChangeHUD NOTIFY
                   trackChangeHUDChanged)
    Q_PROPERTY(bool artworkGlow READ artworkGlow WRITE setArtworkGlow NOTIFY artworkGlowChanged)
    Q_PROPERTY(bool shelfCopyFiles READ shelfCopyFiles WRITE setShelfCopyFiles NOTIFY
                   shelfCopyFilesChanged)
    Q_PROPERTY(zelvik::ShelfAutoClear shelfAutoClear READ shelfAutoClear WRITE setShelfAutoClear
                   NOTIFY shelfAutoClearChanged)
    Q_PROPERTY(bool screenshotsToShelf READ screenshotsToShelf WRITE setScreenshotsToShelf NOTIFY
                   screenshotsToShelfChanged)
    Q_PROPERTY(QString focusSound READ focusSound WRITE setFocusSound NOTIFY focusSoundChanged)
    Q_PROPERTY(bool autoBreak READ autoBreak WRITE setAutoBreak NOTIFY autoBreakChanged)
    Q_PROPERTY(int breakMinutes READ breakMinutes WRITE setBreakMinutes NOTIFY breakMinutesChanged)
    Q_PROPERTY(bool showBatteryHUD READ showBatteryHUD WRITE setShowBatteryHUD NOTIFY
                   showBatteryHUDChanged)
    Q_PROPERTY(int lowBatteryThreshold READ lowBatteryThreshold WRITE setLowBatteryThreshold NOTIFY
                   lowBatteryThresholdChanged)
    Q_PROPERTY(
        bool showDeviceHUD READ showDeviceHUD WRITE setShowDeviceHUD NOTIFY showDeviceHUDChanged)
    Q_PROPERTY(double hudDuration READ hudDuration WRITE setHudDuration NOTIFY hudDurationChanged)
    Q_PROPERTY(bool showMenuBarIcon READ showMenuBarIcon WRITE setShowMenuBarIcon NOTIFY
                   showMenuBarIconChanged)
    Q_PROPERTY(zelvik::NotchDisplayMode displayMode READ displayMode WRITE setDisplayMode NOTIFY
                   displayModeChanged)
    Q_PROPERTY(bool hideWhenIdleWithoutNotch READ hideWhenIdleWithoutNotch WRITE
                   setHideWhenIdleWithoutNotch NOTIFY hideWhenIdleWithoutNotchChanged)
    Q_PROPERTY(zelvik::AppLanguage language READ language WRITE setLanguage NOTIFY languageChanged)
    Q_PROPERTY(QStringList focusSoundChoices READ focusSoundChoices CONSTANT)

public:
    // Registers the defaults with the store and loads every setting from it.
    explicit NotchSettings(DefaultsStore& store, QObject* parent = nullptr);

    DefaultsStore& defaults() const { return m_defaults; }

    double glassAmount() const { return m_glassAmount; }
    void setGlassAmount(double value);
    bool glassWhenClosed() const { return m_glassWhenClosed; }
    void setGlassWhenClosed(bool value);
    bool tintWithArtwork() const { return m_tintWithArtwork; }
    void setTintWithArtwork(bool value);
    zelvik::OpenSizePreset openSize() const { return m_openSize; }
    void setOpenSize(zelvik::OpenSizePreset value);
    zelvik::NotchAnimationStyle animationStyle() const { return m_animationStyle; }
    void setAnimationStyle(zelvik::NotchAnimationStyle value);
    bool showShadow() const { return m_showShadow; }
    void setShowShadow(bool value);
    bool openOnHover() const { return m_openOnHover; }
    void setOpenOnHover(bool value);
    double hoverDelay() const { return m_hoverDelay; }
    void setHoverDelay(double value);
    double closeDelay() const { return m_closeDelay; }
    void setCloseDelay(double value);
    zelvik::DefaultTabOption defaultTab() const { return m_defaultTab; }
    void setDefaultTab(zelvik::DefaultTabOption value);
    bool swipeToSkip() const { return m_swipeToSkip; }
    void setSwipeToSkip(bool value);
    bool haptics() const { return m_haptics; }
    void setHaptics(bool value);
    bool hotKeyEnabled() const { return m_hotKeyEnabled; }
    void setHotKeyEnabled(bool value);
    bool showMusicActivity() const { return m_showMusicActivity; }
    void setShowMusicActivity(bool value);
    bool trackChangeHUD() const { return m_trackChangeHUD; }
    void setTrackChangeHUD(bool value);
    bool artworkGlow() const { return m_artworkGlow; }
    void setArtworkGlow(bool value);
    bool shelfCopyFiles() const { return m_shelfCopyFiles; }
    void setShelfCopyFiles(bool value);
    zelvik::ShelfAutoClear shelfAutoClear() const { return m_shelfAutoClear; }
    void setShelfAutoClear(zelvik::ShelfAutoClear value);
    bool screenshotsToShelf() const { return m_screenshotsToShelf; }
    void setScreenshotsToShelf(bool value);
    QString focusSound() const { return m_focusSound; }
    void setFocusSound(const QString& value);
    bool autoBreak() const { return m_autoBreak; }
    void setAutoBreak(bool value);
    int breakMinutes() const { return m_breakMinutes; }
    void setBreakMinutes(int value);
    bool showBatteryHUD() const { return m_showBatteryHUD; }
    void setShowBatteryHUD(bool value);
    int lowBatteryThreshold() const { return m_lowBatteryThreshold; }
    void setLowBatteryThreshold(int value);
    bool showDeviceHUD() const { return m_showDeviceHUD; }
    void setShowDeviceHUD(bool value);
    double hudDuration() const { return m_hudDuration; }
    void setHudDuration(double value);
    bool showMenuBarIcon() const { return m_showMenuBarIcon; }
    void setShowMenuBarIcon(bool value);
    zelvik::NotchDisplayMode displayMode() const { return m_displayMode; }
    void setDisplayMode(const zelvik::NotchDisplayMode& value);
    bool hideWhenIdleWithoutNotch() const { return m_hideWhenIdleWithoutNotch; }
    void setHideWhenIdleWithoutNotch(bool value);
    zelvik::AppLanguage language() const { return m_language; }
    void setLanguage(zelvik::AppLanguage value);

    // The ten names offered for focusSound; the empty name is silence.
    static QStringList focusSoundChoices();

    // Reads every setting from the store, in table order, through the setters
    // (callbacks that are set run). Reading never writes: a stored value that
    // reads as another one (an unknown word, a number out of range) stays in
    // the file as it is, and only a value the user sets is written.
    void loadFromStore();
    // Removes every stored setting, then loads the registered defaults.
    Q_INVOKABLE void resetToDefaults();

    // Run after the new value is stored and persisted, also when unchanged.
    std::function<void()> onDisplayChange;
    std::function<void()> onScreenshotsChange;
    std::function<void()> onHotKeyChange;

    // The 30 keys with their registered default values, in table order.
    static const std::vector<std::pair<QString, QVariant>>& registeredDefaults();

signals:
    void glassAmountChanged();
    void glassWhenClosedChanged();
    void tintWithArtworkChanged();
    void openSizeChanged();
    void animationStyleChanged();
    void showShadowChanged();
    void openOnHoverChanged();
    void hoverDelayChanged();
    void closeDelayChanged();
    void defaultTabChanged();
    void swipeToSkipChanged();
    void hapticsChanged();
    void hotKeyEnabledChanged();
    void showMusicActivityChanged();
    void trackChangeHUDChanged();
    void artworkGlowChanged();
    void shelfCopyFilesChanged();
    void shelfAutoClearChanged();
    void screenshotsToShelfChanged();
    void focusSoundChanged();
    void autoBreakChanged();
    void breakMinutesChanged();
    void showBatteryHUDChanged();
    void lowBatteryThresholdChanged();
    void showDeviceHUDChanged();
    void hudDurationChanged();
    void showMenuBarIconChanged();
    void displayModeChanged();
    void hideWhenIdleWithoutNotchChanged();
    void languageChanged();

private:
    template <typename T, typename Signal>
    bool assign(T& field, const T& value, Signal changed, const char* key, const QVariant& stored);

    DefaultsStore& m_defaults;
    // True while loadFromStore runs: values are applied, not written back.
    bool m_loading = false;

    double m_glassAmount = 0.0;
    bool m_glassWhenClosed = false;
    bool m_tintWithArtwork = true;
    zelvik::OpenSizePreset m_openSize = OpenSizePreset::regular;
    zelvik::NotchAnimationStyle m_animationStyle = NotchAnimationStyle::bouncy;
    bool m_showShadow = true;
    bool m_openOnHover = true;
    double m_hoverDelay = 180.0;
    double m_closeDelay = 280.0;
    zelvik::DefaultTabOption m_defaultTab = DefaultTabOption::last;
    bool m_swipeToSkip = true;
    bool m_haptics = true;
    bool m_hotKeyEnabled = true;
    bool m_showMusicActivity = true;
    bool m_trackChangeHUD = true;
    bool m_artworkGlow = true;
    bool m_shelfCopyFiles = false;
    zelvik::ShelfAutoClear m_shelfAutoClear = ShelfAutoClear::never;
    bool m_screenshotsToShelf = false;
    QString m_focusSound = QStringLiteral("Glass");
    bool m_autoBreak = false;
    int m_breakMinutes = 5;
    bool m_showBatteryHUD = true;
    int m_lowBatteryThreshold = 20;
    bool m_showDeviceHUD = true;
    double m_hudDuration = 2.6;
    bool m_showMenuBarIcon = true;
    zelvik::NotchDisplayMode m_displayMode = NotchDisplayMode::builtIn();
    bool m_hideWhenIdleWithoutNotch = false;
    zelvik::AppLanguage m_language = AppLanguage::en;
};

} // namespace zelvik
