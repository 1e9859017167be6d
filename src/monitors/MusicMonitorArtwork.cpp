// The cover of the shown track and the accent colour taken from it.
#include "AccentColor.h"
#include "ArtworkDownload.h"
#include "MusicLog.h"
#include "MusicMonitor.h"
#include "PlayerScripts.h"

#include <QNetworkAccessManager>

namespace zelvik {

namespace {

// "spotify|So What|Miles Davis": which track a picture was asked for.
QString trackKey(const std::optional<MusicSource>& source, const std::optional<QString>& title,
                 const std::optional<QString>& artist) {
    return (source ? rawValue(*source) : QString()) + QLatin1Char('|') + title.value_or(QString()) +
           QLatin1Char('|') + artist.value_or(QString());
}

QImage decodePicture(const QByteArray& bytes) {
    // Bytes from a player are capped like a download.
    if (bytes.isEmpty() || bytes.size() > artworkDownload::kMaxBytes)
        return {};
    return QImage::fromData(bytes);
}

} // namespace

void MusicMonitor::refreshArtworkIfNeeded() {
    const QString key = trackKey(m_source, m_title, m_artist);
    if (m_artworkKey == key)
        return;
    // Set before the fetch, so a second trigger for this track waits for it.
    m_artworkKey = key;
    QMetaObject::invokeMethod(
        this, [this, key] { fetchArtwork(key); }, Qt::QueuedConnection);
}

void MusicMonitor::fetchArtwork(const QString& key) {
    // A player that is gone keeps the old picture and the key.
    if (!m_source || !isRunning(*m_source))
        return;
    const MusicSource source = *m_source;
    // The artwork scripts leave needsPermission alone.
    runScript(playerScripts::artwork(source), [this, key, source](const ScriptOutput& output) {
        if (source == MusicSource::appleMusic) {
            finishArtwork(key, output.data ? decodePicture(*output.data) : QImage());
            return;
        }
        const QUrl url = output.string ? QUrl(*output.string, QUrl::StrictMode) : QUrl();
        if (!url.isValid() || url.isEmpty()) {
            finishArtwork(key, QImage());
            return;
        }
        if (!m_network)
            m_network = std::make_unique<QNetworkAccessManager>();
        artworkDownload::fetch(*m_network, m_scheduler, url, this,
                               [this, key](std::optional<QByteArray> body) {
                                   finishArtwork(key, body ? decodePicture(*body) : QImage());
                               });
    });
}

void MusicMonitor::finishArtwork(const QString& key, const QImage& image) {
    // A picture for a track that is no longer shown is dropped.
    if (m_artworkKey != key) {
        qCDebug(lcMusic) << "dropped the artwork of" << key;
        return;
    }
    applyArtwork(image);
}

void MusicMonitor::applyArtwork(const QImage& image) {
    setArtwork(image);
    setAccent(zelvik::accentColor(image).value_or(kDefaultAccent));
}

} // namespace zelvik
