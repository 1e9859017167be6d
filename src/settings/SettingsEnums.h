#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace zelvik {

Q_NAMESPACE

// Interface language. Raw values "en" and "tr" are also the stored form.
enum class AppLanguage { en, tr };
Q_ENUM_NS(AppLanguage)

enum class OpenSizePreset { compact, regular, large };
Q_ENUM_NS(OpenSizePreset)

enum class NotchAnimationStyle { bouncy, smooth, snappy };
Q_ENUM_NS(NotchAnimationStyle)

enum class DefaultTabOption { last, music, shelf, focus };
Q_ENUM_NS(DefaultTabOption)

// The raw value is the number of days.
enum class ShelfAutoClear { never = 0, day = 1, week = 7, month = 30 };
Q_ENUM_NS(ShelfAutoClear)

// The pages of the settings window, in sidebar order. Raw values are the
// lower-case names.
enum class SettingsPage { general, appearance, behavior, music, shelf, focus, alerts, about };
Q_ENUM_NS(SettingsPage)

inline constexpr std::array kAllOpenSizePresets{OpenSizePreset::compact, OpenSizePreset::regular,
                                                OpenSizePreset::large};
inline constexpr std::array kAllAnimationStyles{
    NotchAnimationStyle::bouncy, NotchAnimationStyle::smooth, NotchAnimationStyle::snappy};
inline constexpr std::array kAllDefaultTabOptions{DefaultTabOption::last, DefaultTabOption::music,
                                                  DefaultTabOption::shelf, DefaultTabOption::focus};
inline constexpr std::array kAllShelfAutoClears{ShelfAutoClear::never, ShelfAutoClear::day,
                                                ShelfAutoClear::week, ShelfAutoClear::month};

QString rawValue(OpenSizePreset value);
QString rawValue(NotchAnimationStyle value);
QString rawValue(DefaultTabOption value);
int rawValue(ShelfAutoClear value);

// Titles in the current language.
QString displayTitle(OpenSizePreset value);
QString displayTitle(NotchAnimationStyle value);
QString displayTitle(DefaultTabOption value);
QString displayTitle(ShelfAutoClear value);

// Exact raw value to case; absent for anything else.
std::optional<OpenSizePreset> openSizePresetFromRaw(const QString& raw);
std::optional<NotchAnimationStyle> animationStyleFromRaw(const QString& raw);
std::optional<DefaultTabOption> defaultTabOptionFromRaw(const QString& raw);
std::optional<ShelfAutoClear> shelfAutoClearFromRaw(qint64 days);

// Which display carries the notch. `specific` names a display by its number.
class NotchDisplayMode {
    Q_GADGET
    Q_PROPERTY(Kind kind READ kind CONSTANT)
    Q_PROPERTY(quint32 displayNumber READ displayNumber CONSTANT)
public:
    enum class Kind { specific, builtIn, primary, mouse };
    Q_ENUM(Kind)

    constexpr NotchDisplayMode() = default;
    static constexpr NotchDisplayMode builtIn() { return NotchDisplayMode(Kind::builtIn, 0); }
    static constexpr NotchDisplayMode primary() { return NotchDisplayMode(Kind::primary, 0); }
    static constexpr NotchDisplayMode mouse() { return NotchDisplayMode(Kind::mouse, 0); }
    static constexpr NotchDisplayMode specific(std::uint32_t number) {
        return NotchDisplayMode(Kind::specific, number);
    }

    Kind kind() const { return m_kind; }
    quint32 displayNumber() const { return m_number; }

    // "builtin", "primary", "mouse" or "id:<n>".
    Q_INVOKABLE QString storedForm() const;
    // Anything that is not one of the stored forms reads as builtIn.
    static NotchDisplayMode fromStoredForm(const QString& stored);

    friend constexpr bool operator==(const NotchDisplayMode&, const NotchDisplayMode&) = default;

private:
    constexpr NotchDisplayMode(Kind kind, std::uint32_t number)
        : m_kind(kind)
        , m_number(number) {}

    Kind m_kind = Kind::builtIn;
    std::uint32_t m_number = 0;
};

} // namespace zelvik

Q_DECLARE_METATYPE(zelvik::NotchDisplayMode)
