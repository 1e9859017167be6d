#include "MusicAppRows.h"

#include "AppIconProvider.h"
#include "AppLanguage.h"
#include "NotchSettings.h"

namespace zelvik {

MusicAppRows::MusicAppRows(PlayerAppDirectory* directory, QObject* parent)
    : QAbstractListModel(parent)
    , m_directory(directory) {
    if (m_directory)
        m_directory->onChange = [self = QPointer(this)] {
            if (self)
                self->refresh();
        };
    refresh();
}

MusicAppRows::~MusicAppRows() {
    if (m_directory) {
        m_directory->setWatching(false);
        m_directory->onChange = nullptr;
    }
}

void MusicAppRows::setWatching(bool watching) {
    if (watching == m_watching)
        return;
    m_watching = watching;
    if (m_directory)
        m_directory->setWatching(watching);
    // What changed while nobody watched.
    if (watching)
        refresh();
    emit watchingChanged();
}

void MusicAppRows::setSettings(NotchSettings* settings) {
    if (m_settings == settings)
        return;
    disconnect(m_languageConnection);
    m_settings = settings;
    if (settings)
        m_languageConnection = connect(settings, &NotchSettings::languageChanged, this, [this] {
            emit dataChanged(index(0), index(rowCount() - 1), {NameRole, StateTextRole});
        });
    emit settingsChanged();
}

void MusicAppRows::setNeedsPermission(bool value) {
    if (value == m_needsPermission)
        return;
    m_needsPermission = value;
    emit needsPermissionChanged();
}

int MusicAppRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_apps.size());
}

PlayerApp MusicAppRows::app(int row) const {
    return row >= 0 && row < int(m_apps.size()) ? m_apps[std::size_t(row)] : PlayerApp();
}

QString MusicAppRows::stateText(const PlayerApp& app) {
    if (app.running)
        return localized("Running", "Açık");
    if (app.installed)
        return localized("Installed", "Yüklü");
    return localized("Not installed", "Yüklü değil");
}

QString MusicAppRows::displayName(int row) const {
    const PlayerApp a = app(row);
    if (!a.name.isEmpty())
        return a.name;
    return row == 0 ? QStringLiteral("Spotify") : localized("Music", "Müzik");
}

QVariant MusicAppRows::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const PlayerApp a = app(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return displayName(index.row());
    case IconNameRole:
        // Empty when there is nothing to draw: the view shows its own symbol.
        return a.installed && AppIconProvider::canProvide(a.iconName) ? a.iconName : QString();
    case StateTextRole:
        return stateText(a);
    case InstalledRole:
        return a.installed;
    case RunningRole:
        return a.running;
    default:
        return {};
    }
}

QHash<int, QByteArray> MusicAppRows::roleNames() const {
    return {{NameRole, "name"},
            {IconNameRole, "iconName"},
            {StateTextRole, "stateText"},
            {InstalledRole, "installed"},
            {RunningRole, "running"}};
}

void MusicAppRows::refresh() {
    const std::array<PlayerApp, 2> apps =
        m_directory ? std::array{m_directory->spotify(), m_directory->otherPlayer()}
                    : std::array<PlayerApp, 2>{};
    for (std::size_t i = 0; i < apps.size(); ++i) {
        if (m_apps[i] == apps[i])
            continue;
        m_apps[i] = apps[i];
        emit dataChanged(index(int(i)), index(int(i)));
    }
}

void MusicAppRows::open(int row) {
    const PlayerApp a = app(row);
    if (m_directory && a.installed)
        m_directory->open(a);
}

} // namespace zelvik
