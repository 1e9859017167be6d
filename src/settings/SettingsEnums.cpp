#include "SettingsEnums.h"

#include "AppLanguage.h"

#include <algorithm>
#include <limits>

namespace zelvik {

QString rawValue(OpenSizePreset value) {
    switch (value) {
    case OpenSizePreset::compact:
        return QStringLiteral("compact");
    case OpenSizePreset::large:
        return QStringLiteral("large");
    case OpenSizePreset::regular:
        break;
    }
    return QStringLiteral("regular");
}

QString rawValue(NotchAnimationStyle value) {
    switch (value) {
    case NotchAnimationStyle::smooth:
        return QStringLiteral("smooth");
    case NotchAnimationStyle::snappy:
        return QStringLiteral("snappy");
    case NotchAnimationStyle::bouncy:
        break;
    }
    return QStringLiteral("bouncy");
}

QString rawValue(DefaultTabOption value) {
    switch (value) {
    case DefaultTabOption::music:
        return QStringLiteral("music");
    case DefaultTabOption::shelf:
        return QStringLiteral("shelf");
    case DefaultTabOption::focus:
        return QStringLiteral("focus");
    case DefaultTabOption::last:
        break;
    }
    return QStringLiteral("last");
}

int rawValue(ShelfAutoClear value) {
    return static_cast<int>(value);
}

QString displayTitle(OpenSizePreset value) {
    switch (value) {
    case OpenSizePreset::compact:
        return localized("Compact", "Kompakt");
    case OpenSizePreset::large:
        return localized("Wide", "Geniş");
    case OpenSizePreset::regular:
        break;
    }
    return localized("Normal", "Normal");
}

QString displayTitle(NotchAnimationStyle value) {
    switch (value) {
    case NotchAnimationStyle::smooth:
        return localized("Smooth", "Yumuşak");
    case NotchAnimationStyle::snappy:
        return localized("Snappy", "Çevik");
    case NotchAnimationStyle::bouncy:
        break;
    }
    return localized("Bouncy", "Yaylı");
}

QString displayTitle(DefaultTabOption value) {
    switch (value) {
    case DefaultTabOption::music:
        return localized("Music", "Müzik");
    case DefaultTabOption::shelf:
        return localized("Shelf", "Raf");
    case DefaultTabOption::focus:
        return localized("Focus", "Odak");
    case DefaultTabOption::last:
        break;
    }
    return localized("Last used", "Son kullanılan");
}

QString displayTitle(ShelfAutoClear value) {
    switch (value) {
    case ShelfAutoClear::day:
        return localized("After 1 day", "1 gün sonra");
    case ShelfAutoClear::week:
        return localized("After 1 week", "1 hafta sonra");
    case ShelfAutoClear::month:
        return localized("After 1 month", "1 ay sonra");
    case ShelfAutoClear::never:
        break;
    }
    return localized("Never", "Asla");
}

template <typename E, std::size_t N>
static std::optional<E> fromRaw(const std::array<E, N>& cases, const QString& raw) {
    for (E value : cases) {
        if (rawValue(value) == raw)
            return value;
    }
    return std::nullopt;
}

std::optional<OpenSizePreset> openSizePresetFromRaw(const QString& raw) {
    return fromRaw(kAllOpenSizePresets, raw);
}

std::optional<NotchAnimationStyle> animationStyleFromRaw(const QString& raw) {
    return fromRaw(kAllAnimationStyles, raw);
}

std::optional<DefaultTabOption> defaultTabOptionFromRaw(const QString& raw) {
    return fromRaw(kAllDefaultTabOptions, raw);
}

std::optional<ShelfAutoClear> shelfAutoClearFromRaw(qint64 days) {
    for (ShelfAutoClear value : kAllShelfAutoClears) {
        if (rawValue(value) == days)
            return value;
    }
    return std::nullopt;
}

QString NotchDisplayMode::storedForm() const {
    switch (m_kind) {
    case Kind::primary:
        return QStringLiteral("primary");
    case Kind::mouse:
        return QStringLiteral("mouse");
    case Kind::specific:
        return QStringLiteral("id:") + QString::number(m_number);
    case Kind::builtIn:
        break;
    }
    return QStringLiteral("builtin");
}

NotchDisplayMode NotchDisplayMode::fromStoredForm(const QString& stored) {
    if (stored == u"primary")
        return primary();
    if (stored == u"mouse")
        return mouse();
    if (stored.startsWith(u"id:")) {
        const QStringView digits = QStringView(stored).mid(3);
        // Plain decimal digits only: no sign, no spaces, nothing toULongLong would forgive.
        const bool allDigits =
            !digits.isEmpty() && std::all_of(digits.begin(), digits.end(),
                                             [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (allDigits) {
            bool ok = false;
            const qulonglong n = digits.toULongLong(&ok);
            if (ok && n <= std::numeric_limits<std::uint32_t>::max())
                return specific(static_cast<std::uint32_t>(n));
        }
    }
    return builtIn();
}

} // namespace zelvik
