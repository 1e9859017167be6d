#pragma once

#include "SettingsEnums.h"

#include <QAbstractListModel>
#include <QPointer>

#include <array>
#include <optional>

namespace zelvik {

class MusicMonitor;
class NotchSettings;

inline constexpr std::array kAllSettingsPages{
    SettingsPage::general, SettingsPage::appearance, SettingsPage::behavior, SettingsPage::music,
    SettingsPage::shelf,   SettingsPage::focus,      SettingsPage::alerts,   SettingsPage::about};

QString rawValue(SettingsPage page);
std::optional<SettingsPage> settingsPageFromRaw(const QString& raw);
// In the current language.
QString displayTitle(SettingsPage page);
// `musicPlayer` names the desktop's music player for people ("Rhythmbox");
// empty: "Music".
QString pageSubtitle(SettingsPage page, const QString& musicPlayer = {});
// The symbol name of the page in the sidebar and its header.
QString pageSymbol(SettingsPage page);

// The sidebar's rows: one per page, in order, relabelled when the language
// changes and, for the music page's subtitle, when the desktop's music player
// changes. Roles: page (int), rawValue, title, subtitle, symbol. Also holds
// the selected page, which the page header and the page area follow.
class SettingsPageList : public QAbstractListModel {
    Q_OBJECT
    Q_MOC_INCLUDE("settings/NotchSettings.h")
    Q_PROPERTY(
        zelvik::NotchSettings* settings READ settings WRITE setSettings NOTIFY settingsChanged)
    Q_PROPERTY(int currentPage READ currentPage WRITE setCurrentPage NOTIFY currentPageChanged)
    Q_PROPERTY(QString currentTitle READ currentTitle NOTIFY currentTextsChanged)
    Q_PROPERTY(QString currentSubtitle READ currentSubtitle NOTIFY currentTextsChanged)
    Q_PROPERTY(QString currentSymbol READ currentSymbol NOTIFY currentPageChanged)
public:
    enum Role { PageRole = Qt::UserRole + 1, RawValueRole, TitleRole, SubtitleRole, SymbolRole };

    explicit SettingsPageList(QObject* parent = nullptr);

    NotchSettings* settings() const { return m_settings; }
    void setSettings(NotchSettings* settings);
    // Names the music player in the music page's subtitle; may be null.
    void setMusic(MusicMonitor* music);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int currentPage() const { return static_cast<int>(m_current); }
    // Numbers that name no page are ignored.
    void setCurrentPage(int page);
    void setCurrentPage(SettingsPage page) { setCurrentPage(static_cast<int>(page)); }
    QString currentTitle() const { return displayTitle(m_current); }
    QString currentSubtitle() const { return subtitle(m_current); }
    QString currentSymbol() const { return pageSymbol(m_current); }

signals:
    void settingsChanged();
    void currentPageChanged();
    // The selected page changed or its texts were produced again.
    void currentTextsChanged();

private:
    QString subtitle(SettingsPage page) const;
    QString currentMusicPlayer() const;
    void musicPlayerMayHaveChanged();

    QPointer<NotchSettings> m_settings;
    QPointer<MusicMonitor> m_music;
    QMetaObject::Connection m_musicConnection;
    // The music player's name as the music page's subtitle shows it.
    QString m_musicPlayer;
    SettingsPage m_current = SettingsPage::general;
};

} // namespace zelvik
