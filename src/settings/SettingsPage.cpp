#include "SettingsPage.h"

#include "AppLanguage.h"
#include "NotchSettings.h"
#include "monitors/MusicMonitor.h"

namespace zelvik {

namespace {

struct PageTexts {
    const char* raw;
    const char* title[2];
    const char* subtitle[2];
    const char* symbol;
};

// English, Turkish; in sidebar order.
constexpr PageTexts kPages[] = {
    {"general",
     {"General", "Genel"},
     {"Display, startup and shortcuts", "Ekran, başlangıç ve kısayollar"},
     "gearshape.fill"},
    {"appearance",
     {"Appearance", "Görünüm"},
     {"Liquid Glass, size and animations", "Liquid Glass, boyut ve animasyonlar"},
     "sparkles"},
    {"behavior",
     {"Behavior", "Davranış"},
     {"How the notch opens and closes", "Notch nasıl açılıp kapansın"},
     "cursorarrow.motionlines"},
    {"music",
     {"Music", "Müzik"},
     // %1: the desktop's music player.
     {"Spotify and %1 controls", "Spotify ve %1 kontrolleri"},
     "music.note"},
    {"shelf",
     {"Shelf", "Raf"},
     {"File shelf and screenshots", "Dosya rafı ve ekran görüntüleri"},
     "tray.full.fill"},
    {"focus",
     {"Focus", "Odak"},
     {"Pomodoro sounds and breaks", "Pomodoro sesleri ve molalar"},
     "timer"},
    {"alerts",
     {"Alerts", "Bildirimler"},
     {"Battery, headphones and other alerts", "Pil, kulaklık ve diğer bildirimler"},
     "bell.badge.fill"},
    {"about", {"About", "Hakkında"}, {"About Zelvik", "Zelvik hakkında"}, "info.circle.fill"},
};

const PageTexts& texts(SettingsPage page) {
    return kPages[static_cast<int>(page)];
}

std::optional<SettingsPage> pageAt(int index) {
    if (index < 0 || index >= int(kAllSettingsPages.size()))
        return std::nullopt;
    return kAllSettingsPages[std::size_t(index)];
}

} // namespace

QString rawValue(SettingsPage page) {
    return QString::fromLatin1(texts(page).raw);
}

std::optional<SettingsPage> settingsPageFromRaw(const QString& raw) {
    for (SettingsPage page : kAllSettingsPages)
        if (rawValue(page) == raw)
            return page;
    return std::nullopt;
}

QString displayTitle(SettingsPage page) {
    return localized(texts(page).title[0], texts(page).title[1]);
}

QString pageSubtitle(SettingsPage page, const QString& musicPlayer) {
    const QString text = localized(texts(page).subtitle[0], texts(page).subtitle[1]);
    if (page != SettingsPage::music)
        return text;
    return text.arg(musicPlayer.isEmpty() ? displayName(MusicSource::appleMusic) : musicPlayer);
}

QString pageSymbol(SettingsPage page) {
    return QString::fromLatin1(texts(page).symbol);
}

SettingsPageList::SettingsPageList(QObject* parent)
    : QAbstractListModel(parent) {}

void SettingsPageList::setSettings(NotchSettings* settings) {
    if (m_settings == settings)
        return;
    if (m_settings)
        disconnect(m_settings, nullptr, this, nullptr);
    m_settings = settings;
    if (settings)
        connect(settings, &NotchSettings::languageChanged, this, [this] {
            m_musicPlayer = currentMusicPlayer();
            emit dataChanged(index(0), index(rowCount() - 1), {TitleRole, SubtitleRole});
            emit currentTextsChanged();
        });
    emit settingsChanged();
}

void SettingsPageList::setMusic(MusicMonitor* music) {
    if (m_music == music)
        return;
    disconnect(m_musicConnection);
    m_music = music;
    if (music)
        m_musicConnection = connect(music, &MusicMonitor::playersChanged, this,
                                    &SettingsPageList::musicPlayerMayHaveChanged);
    musicPlayerMayHaveChanged();
}

QString SettingsPageList::currentMusicPlayer() const {
    return m_music ? m_music->playerName(MusicSource::appleMusic) : QString();
}

QString SettingsPageList::subtitle(SettingsPage page) const {
    return pageSubtitle(page, m_musicPlayer);
}

void SettingsPageList::musicPlayerMayHaveChanged() {
    QString now = currentMusicPlayer();
    const bool shownAlike =
        pageSubtitle(SettingsPage::music, now) == pageSubtitle(SettingsPage::music, m_musicPlayer);
    m_musicPlayer = std::move(now);
    if (shownAlike)
        return;
    const int music = static_cast<int>(SettingsPage::music);
    emit dataChanged(index(music), index(music), {SubtitleRole});
    if (m_current == SettingsPage::music)
        emit currentTextsChanged();
}

int SettingsPageList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(kAllSettingsPages.size());
}

QVariant SettingsPageList::data(const QModelIndex& index, int role) const {
    const auto page = pageAt(index.row());
    if (!index.isValid() || !page)
        return {};
    switch (role) {
    case PageRole:
        return static_cast<int>(*page);
    case RawValueRole:
        return rawValue(*page);
    case Qt::DisplayRole:
    case TitleRole:
        return displayTitle(*page);
    case SubtitleRole:
        return subtitle(*page);
    case SymbolRole:
        return pageSymbol(*page);
    default:
        return {};
    }
}

QHash<int, QByteArray> SettingsPageList::roleNames() const {
    return {{PageRole, "page"},
            {RawValueRole, "rawValue"},
            {TitleRole, "title"},
            {SubtitleRole, "subtitle"},
            {SymbolRole, "symbol"}};
}

void SettingsPageList::setCurrentPage(int page) {
    const auto p = pageAt(page);
    if (!p || *p == m_current)
        return;
    m_current = *p;
    emit currentPageChanged();
    emit currentTextsChanged();
}

} // namespace zelvik
