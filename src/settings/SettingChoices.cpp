#include "SettingChoices.h"

#include "AppLanguage.h"
#include "NotchSettings.h"

#include <functional>

namespace zelvik {

namespace {

template <typename E, std::size_t N> QStringList titlesOf(const std::array<E, N>& cases) {
    QStringList titles;
    for (E value : cases)
        titles << displayTitle(value);
    return titles;
}

template <typename E, std::size_t N> int indexIn(const std::array<E, N>& cases, E value) {
    for (std::size_t i = 0; i < N; ++i)
        if (cases[i] == value)
            return int(i);
    return -1;
}

template <typename E, std::size_t N>
std::optional<E> caseAt(const std::array<E, N>& cases, int index) {
    if (index < 0 || index >= int(N))
        return std::nullopt;
    return cases[std::size_t(index)];
}

QString soundTitle(const QString& name) {
    return name.isEmpty() ? localized("Silent", "Sessiz") : name;
}

} // namespace

// How one key's options are named, found and written.
struct ChoiceBinding {
    const char* key;
    std::function<QStringList()> titles;
    // The index of the stored value; -1 when it is none of the options.
    std::function<int(const NotchSettings&)> index;
    std::function<QVariant(int)> value;
    std::function<void(NotchSettings&, int)> write;
    // The signal that tells of a new stored value.
    void (NotchSettings::*changed)();
    // Shown when the stored value is none of the options.
    int fallbackIndex;
};

namespace {

template <typename E, std::size_t N, typename Getter, typename Setter, typename Raw>
ChoiceBinding* enumBinding(const char* key, const std::array<E, N>& cases, Getter get, Setter set,
                           Raw raw, void (NotchSettings::*changed)(), E fallback) {
    // The case lists are constants of the program; pointing at them is safe.
    const std::array<E, N>* all = &cases;
    return new ChoiceBinding{
        key,
        [all] { return titlesOf(*all); },
        [all, get](const NotchSettings& s) { return indexIn(*all, (s.*get)()); },
        [all, raw](int i) {
            const auto value = caseAt(*all, i);
            return value ? QVariant(raw(*value)) : QVariant();
        },
        [all, set](NotchSettings& s, int i) {
            if (const auto value = caseAt(*all, i))
                (s.*set)(*value);
        },
        changed,
        indexIn(cases, fallback)};
}

} // namespace

const ChoiceBinding* SettingChoices::binding() const {
    using S = NotchSettings;
    static const std::vector<std::unique_ptr<ChoiceBinding>> bindings = [] {
        std::vector<std::unique_ptr<ChoiceBinding>> list;
        list.emplace_back(new ChoiceBinding{
            "language",
            [] {
                return QStringList{pickerLabel(AppLanguage::en), pickerLabel(AppLanguage::tr)};
            },
            [](const S& s) { return indexIn(kAllLanguages, s.language()); },
            [](int i) {
                const auto value = caseAt(kAllLanguages, i);
                return value ? QVariant(rawValue(*value)) : QVariant();
            },
            [](S& s, int i) {
                if (const auto value = caseAt(kAllLanguages, i))
                    s.setLanguage(*value);
            },
            &S::languageChanged, 0});
        list.emplace_back(enumBinding(
            "openSize", kAllOpenSizePresets, &S::openSize, &S::setOpenSize,
            [](OpenSizePreset v) { return rawValue(v); }, &S::openSizeChanged,
            OpenSizePreset::regular));
        list.emplace_back(enumBinding(
            "animationStyle", kAllAnimationStyles, &S::animationStyle, &S::setAnimationStyle,
            [](NotchAnimationStyle v) { return rawValue(v); }, &S::animationStyleChanged,
            NotchAnimationStyle::bouncy));
        list.emplace_back(enumBinding(
            "defaultTab", kAllDefaultTabOptions, &S::defaultTab, &S::setDefaultTab,
            [](DefaultTabOption v) { return rawValue(v); }, &S::defaultTabChanged,
            DefaultTabOption::last));
        list.emplace_back(enumBinding(
            "shelfAutoClear", kAllShelfAutoClears, &S::shelfAutoClear, &S::setShelfAutoClear,
            [](ShelfAutoClear v) { return rawValue(v); }, &S::shelfAutoClearChanged,
            ShelfAutoClear::never));
        list.emplace_back(new ChoiceBinding{
            "shelfCopyFiles",
            [] {
                return QStringList{localized("Keep in place", "Yerinde tut"),
                                   localized("Copy", "Kopyala")};
            },
            [](const S& s) { return s.shelfCopyFiles() ? 1 : 0; },
            [](int i) { return i == 0 || i == 1 ? QVariant(i == 1) : QVariant(); },
            [](S& s, int i) {
                if (i == 0 || i == 1)
                    s.setShelfCopyFiles(i == 1);
            },
            &S::shelfCopyFilesChanged, 0});
        list.emplace_back(new ChoiceBinding{
            "focusSound",
            [] {
                QStringList titles;
                for (const QString& name : NotchSettings::focusSoundChoices())
                    titles << soundTitle(name);
                return titles;
            },
            [](const S& s) {
                return int(NotchSettings::focusSoundChoices().indexOf(s.focusSound()));
            },
            [](int i) {
                const QStringList names = NotchSettings::focusSoundChoices();
                return i >= 0 && i < names.size() ? QVariant(names.at(i)) : QVariant();
            },
            [](S& s, int i) {
                const QStringList names = NotchSettings::focusSoundChoices();
                if (i >= 0 && i < names.size())
                    s.setFocusSound(names.at(i));
            },
            &S::focusSoundChanged,
            int(NotchSettings::focusSoundChoices().indexOf(QStringLiteral("Glass")))});
        return list;
    }();
    for (const auto& b : bindings)
        if (m_key == QLatin1String(b->key))
            return b.get();
    return nullptr;
}

SettingChoices::SettingChoices(QObject* parent)
    : QObject(parent) {}

void SettingChoices::setSettings(NotchSettings* settings) {
    if (m_settings == settings)
        return;
    m_settings = settings;
    emit settingsChanged();
    rebind();
}

void SettingChoices::setKey(const QString& key) {
    if (m_key == key)
        return;
    m_key = key;
    emit keyChanged();
    rebind();
}

void SettingChoices::rebind() {
    for (const auto& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    if (m_settings) {
        m_connections << connect(m_settings, &NotchSettings::languageChanged, this,
                                 &SettingChoices::titlesChanged);
        if (const ChoiceBinding* b = binding())
            m_connections << connect(m_settings, b->changed, this, &SettingChoices::refreshIndex);
    }
    emit titlesChanged();
    refreshIndex();
}

QStringList SettingChoices::titles() const {
    const ChoiceBinding* b = binding();
    return b ? b->titles() : QStringList();
}

void SettingChoices::refreshIndex() {
    const ChoiceBinding* b = binding();
    int index = -1;
    if (b && m_settings) {
        index = b->index(*m_settings);
        if (index < 0)
            index = b->fallbackIndex;
    }
    if (index == m_currentIndex)
        return;
    m_currentIndex = index;
    emit currentIndexChanged();
}

QVariant SettingChoices::currentValue() const {
    const ChoiceBinding* b = binding();
    return b ? b->value(m_currentIndex) : QVariant();
}

void SettingChoices::choose(int index) {
    const ChoiceBinding* b = binding();
    if (!b || !m_settings || index < 0 || index >= b->titles().size())
        return;
    b->write(*m_settings, index);
    // The stored value may have been none of the options while the fallback
    // was on show; choosing that same option writes it but changes nothing.
    refreshIndex();
}

} // namespace zelvik
