#include "MusicAppRows.h"

#include "AppLanguage.h"
#include "NotchSettings.h"
#include "monitors/MusicMonitor.h"
#include "views/MusicImageProviders.h"

namespace zelvik {

MusicAppRows::MusicAppRows(MusicMonitor* music, QObject* parent)
    : QAbstractListModel(parent)
    , m_music(music) {
    if (music)
        connect(music, &MusicMonitor::playersChanged, this, &MusicAppRows::refresh);
    m_rows = read();
}

NotchSettings* MusicAppRows::settings() const {
    return m_settings;
}

void MusicAppRows::setSettings(NotchSettings* settings) {
    if (m_settings == settings)
        return;
    disconnect(m_languageConnection);
    m_settings = settings;
    if (settings)
        m_languageConnection = connect(settings, &NotchSettings::languageChanged, this, [this] {
            // Names such as "Music" are made in the language of the moment.
            m_rows = read();
            emit dataChanged(index(0), index(rowCount() - 1));
        });
    emit settingsChanged();
}

std::array<MusicAppRows::Row, 2> MusicAppRows::read() const {
    std::array<Row, 2> rows;
    const QVariantList players = m_music ? m_music->players() : QVariantList();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Row& row = rows[i];
        row.source = kAllMusicSources[i];
        const QVariantMap player =
            i < std::size_t(players.size()) ? players.at(qsizetype(i)).toMap() : QVariantMap();
        if (player.value(QStringLiteral("source")).toString() != rawValue(row.source)) {
            row.name = displayName(row.source);
            continue;
        }
        row.name = player.value(QStringLiteral("name")).toString();
        row.iconName = player.value(QStringLiteral("iconName")).toString();
        row.running = player.value(QStringLiteral("running")).toBool();
        row.installed = player.value(QStringLiteral("installed")).toBool() || row.running;
    }
    return rows;
}

int MusicAppRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QString MusicAppRows::stateText(bool installed, bool running) {
    if (running)
        return localized("Running", "Açık");
    if (installed)
        return localized("Installed", "Yüklü");
    return localized("Not installed", "Yüklü değil");
}

QVariant MusicAppRows::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row& row = m_rows[std::size_t(index.row())];
    switch (role) {
    case SourceRole:
        return rawValue(row.source);
    case Qt::DisplayRole:
    case NameRole:
        return row.name;
    case IconSourceRole:
        return playerIconUrl(row.iconName);
    case StateTextRole:
        return stateText(row.installed, row.running);
    case InstalledRole:
        return row.installed;
    case RunningRole:
        return row.running;
    default:
        return {};
    }
}

QHash<int, QByteArray> MusicAppRows::roleNames() const {
    return {{SourceRole, "source"},         {NameRole, "name"},
            {IconSourceRole, "iconSource"}, {StateTextRole, "stateText"},
            {InstalledRole, "installed"},   {RunningRole, "running"}};
}

void MusicAppRows::refresh() {
    const std::array<Row, 2> rows = read();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (m_rows[i] == rows[i])
            continue;
        m_rows[i] = rows[i];
        emit dataChanged(index(int(i)), index(int(i)));
    }
}

void MusicAppRows::open(int row) {
    if (row < 0 || row >= rowCount() || !m_music || !m_rows[std::size_t(row)].installed)
        return;
    m_music->launch(rawValue(m_rows[std::size_t(row)].source));
}

} // namespace zelvik
