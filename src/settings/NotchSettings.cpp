#include "NotchSettings.h"

#include "DefaultsStore.h"

#include <QScopedValueRollback>

#include <cmath>
#include <limits>

namespace zelvik {

namespace {

template <typename T> bool sameValue(const T& a, const T& b) {
    return a == b;
}

// NaN never equals itself; two NaNs are still "no change".
template <> bool sameValue<double>(const double& a, const double& b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

int toInt(qint64 value) {
    return static_cast<int>(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

QString key(const char* name) {
    return QString::fromLatin1(name);
}

} // namespace

NotchSettings::NotchSettings(DefaultsStore& store, QObject* parent)
    : QObject(parent)
    , m_defaults(store) {
    m_defaults.registerDefaults(registeredDefaults());
    loadFromStore();
}

const std::vector<std::pair<QString, QVariant>>& NotchSettings::registeredDefaults() {
    static const std::vector<std::pair<QString, QVariant>> table{
        {key("glassAmount"), 0.0},
        {key("glassWhenClosed"), false},
        {key("tintWithArtwork"), true},
        {key("openSize"), key("regular")},
        {key("animationStyle"), key("bouncy")},
        {key("showShadow"), true},
        {key("openOnHover"), true},
        {key("hoverDelay"), 180.0},
        {key("closeDelay"), 280.0},
        {key("defaultTab"), key("last")},
        {key("swipeToSkip"), true},
        {key("haptics"), true},
        {key("hotKeyEnabled"), true},
        {key("showMusicActivity"), true},
        {key("trackChangeHUD"), true},
        {key("artworkGlow"), true},
        {key("shelfCopyFiles"), false},
        {key("shelfAutoClear"), 0},
        {key("screenshotsToShelf"), false},
        {key("focusSound"), key("Glass")},
        {key("autoBreak"), false},
        {key("breakMinutes"), 5},
        {key("showBatteryHUD"), true},
        {key("lowBatteryThreshold"), 20},
        {key("showDeviceHUD"), true},
        {key("hudDuration"), 2.6},
        {key("showMenuBarIcon"), true},
        {key("displayMode"), key("builtin")},
        {key("hideWhenIdleWithoutNotch"), false},
        {key("appLanguage"), key("en")},
    };
    return table;
}

QStringList NotchSettings::focusSoundChoices() {
    return {QString(),
            QStringLiteral("Glass"),
            QStringLiteral("Hero"),
            QStringLiteral("Ping"),
            QStringLiteral("Purr"),
            QStringLiteral("Submarine"),
            QStringLiteral("Tink"),
            QStringLiteral("Funk"),
            QStringLiteral("Blow"),
            QStringLiteral("Bottle")};
}

template <typename T, typename Signal>
bool NotchSettings::assign(T& field, const T& value, Signal changed, const char* name,
                           const QVariant& stored) {
    const bool differs = !sameValue(field, value);
    field = value;
    // Stored before anyone is told: observers that read the store (every text
    // reads the interface language from it) must already see the new value.
    if (!m_loading)
        m_defaults.setValue(key(name), stored);
    if (differs)
        emit(this->*changed)();
    return differs;
}

#define ZELVIK_PLAIN_SETTER(Name, name, Type)                                                      \
    void NotchSettings::set##Name(Type value) {                                                    \
        assign(m_##name, value, &NotchSettings::name##Changed, #name, QVariant::fromValue(value)); \
    }

ZELVIK_PLAIN_SETTER(GlassAmount, glassAmount, double)
ZELVIK_PLAIN_SETTER(GlassWhenClosed, glassWhenClosed, bool)
ZELVIK_PLAIN_SETTER(TintWithArtwork, tintWithArtwork, bool)
ZELVIK_PLAIN_SETTER(ShowShadow, showShadow, bool)
ZELVIK_PLAIN_SETTER(OpenOnHover, openOnHover, bool)
ZELVIK_PLAIN_SETTER(HoverDelay, hoverDelay, double)
ZELVIK_PLAIN_SETTER(CloseDelay, closeDelay, double)
ZELVIK_PLAIN_SETTER(SwipeToSkip, swipeToSkip, bool)
ZELVIK_PLAIN_SETTER(Haptics, haptics, bool)
ZELVIK_PLAIN_SETTER(ShowMusicActivity, showMusicActivity, bool)
ZELVIK_PLAIN_SETTER(TrackChangeHUD, trackChangeHUD, bool)
ZELVIK_PLAIN_SETTER(ArtworkGlow, artworkGlow, bool)
ZELVIK_PLAIN_SETTER(ShelfCopyFiles, shelfCopyFiles, bool)
ZELVIK_PLAIN_SETTER(FocusSound, focusSound, const QString&)
ZELVIK_PLAIN_SETTER(AutoBreak, autoBreak, bool)
ZELVIK_PLAIN_SETTER(BreakMinutes, breakMinutes, int)
ZELVIK_PLAIN_SETTER(ShowBatteryHUD, showBatteryHUD, bool)
ZELVIK_PLAIN_SETTER(LowBatteryThreshold, lowBatteryThreshold, int)
ZELVIK_PLAIN_SETTER(ShowDeviceHUD, showDeviceHUD, bool)
ZELVIK_PLAIN_SETTER(HudDuration, hudDuration, double)
ZELVIK_PLAIN_SETTER(ShowMenuBarIcon, showMenuBarIcon, bool)
ZELVIK_PLAIN_SETTER(HideWhenIdleWithoutNotch, hideWhenIdleWithoutNotch, bool)

#undef ZELVIK_PLAIN_SETTER

void NotchSettings::setOpenSize(OpenSizePreset value) {
    assign(m_openSize, value, &NotchSettings::openSizeChanged, "openSize", rawValue(value));
}

void NotchSettings::setAnimationStyle(NotchAnimationStyle value) {
    assign(m_animationStyle, value, &NotchSettings::animationStyleChanged, "animationStyle",
           rawValue(value));
}

void NotchSettings::setDefaultTab(DefaultTabOption value) {
    assign(m_defaultTab, value, &NotchSettings::defaultTabChanged, "defaultTab", rawValue(value));
}

void NotchSettings::setShelfAutoClear(ShelfAutoClear value) {
    assign(m_shelfAutoClear, value, &NotchSettings::shelfAutoClearChanged, "shelfAutoClear",
           rawValue(value));
}

void NotchSettings::setLanguage(AppLanguage value) {
    assign(m_language, value, &NotchSettings::languageChanged, "appLanguage", rawValue(value));
}

void NotchSettings::setHotKeyEnabled(bool value) {
    assign(m_hotKeyEnabled, value, &NotchSettings::hotKeyEnabledChanged, "hotKeyEnabled", value);
    if (onHotKeyChange)
        onHotKeyChange();
}

void NotchSettings::setScreenshotsToShelf(bool value) {
    assign(m_screenshotsToShelf, value, &NotchSettings::screenshotsToShelfChanged,
           "screenshotsToShelf", value);
    if (onScreenshotsChange)
        onScreenshotsChange();
}

void NotchSettings::setDisplayMode(const NotchDisplayMode& value) {
    assign(m_displayMode, value, &NotchSettings::displayModeChanged, "displayMode",
           value.storedForm());
    if (onDisplayChange)
        onDisplayChange();
}

void NotchSettings::loadFromStore() {
    const QScopedValueRollback loading(m_loading, true);
    const DefaultsStore& d = m_defaults;
    const auto str = [&d](const char* name) {
        return d.stringValue(key(name)).value_or(QString());
    };

    setGlassAmount(d.doubleValue(key("glassAmount")));
    setGlassWhenClosed(d.boolValue(key("glassWhenClosed")));
    setTintWithArtwork(d.boolValue(key("tintWithArtwork")));
    setOpenSize(openSizePresetFromRaw(str("openSize")).value_or(OpenSizePreset::regular));
    setAnimationStyle(
        animationStyleFromRaw(str("animationStyle")).value_or(NotchAnimationStyle::bouncy));
    setShowShadow(d.boolValue(key("showShadow")));
    setOpenOnHover(d.boolValue(key("openOnHover")));
    setHoverDelay(d.doubleValue(key("hoverDelay")));
    setCloseDelay(d.doubleValue(key("closeDelay")));
    setDefaultTab(defaultTabOptionFromRaw(str("defaultTab")).value_or(DefaultTabOption::last));
    setSwipeToSkip(d.boolValue(key("swipeToSkip")));
    setHaptics(d.boolValue(key("haptics")));
    setHotKeyEnabled(d.boolValue(key("hotKeyEnabled")));
    setShowMusicActivity(d.boolValue(key("showMusicActivity")));
    setTrackChangeHUD(d.boolValue(key("trackChangeHUD")));
    setArtworkGlow(d.boolValue(key("artworkGlow")));
    setShelfCopyFiles(d.boolValue(key("shelfCopyFiles")));
    setShelfAutoClear(shelfAutoClearFromRaw(d.integerValue(key("shelfAutoClear")))
                          .value_or(ShelfAutoClear::never));
    setScreenshotsToShelf(d.boolValue(key("screenshotsToShelf")));
    setFocusSound(d.stringValue(key("focusSound")).value_or(QStringLiteral("Glass")));
    setAutoBreak(d.boolValue(key("autoBreak")));
    setBreakMinutes(toInt(d.integerValue(key("breakMinutes"))));
    setShowBatteryHUD(d.boolValue(key("showBatteryHUD")));
    setLowBatteryThreshold(toInt(d.integerValue(key("lowBatteryThreshold"))));
    setShowDeviceHUD(d.boolValue(key("showDeviceHUD")));
    setHudDuration(d.doubleValue(key("hudDuration")));
    setShowMenuBarIcon(d.boolValue(key("showMenuBarIcon")));
    setDisplayMode(NotchDisplayMode::fromStoredForm(
        d.stringValue(key("displayMode")).value_or(QStringLiteral("builtin"))));
    setHideWhenIdleWithoutNotch(d.boolValue(key("hideWhenIdleWithoutNotch")));
    setLanguage(str("appLanguage") == u"tr" ? AppLanguage::tr : AppLanguage::en);
}

void NotchSettings::resetToDefaults() {
    for (const auto& entry : registeredDefaults())
        m_defaults.remove(entry.first);
    loadFromStore();
}

} // namespace zelvik
