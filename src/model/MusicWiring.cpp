#include "HUDProducers.h"
#include "MusicStatus.h"
#include "NotchModel.h"

namespace zelvik {

// A new song playing shows the track notice; then the monitor starts
// listening to the players.
void NotchModel::wireMusic() {
    if (!m_music)
        return;
    QPointer<NotchModel> self(this);
    m_music->onTrackChange = [self] {
        if (!self || !self->m_music)
            return;
        const MusicStatus& music = *self->m_music;
        showTrackChangeHUD(*self, music.trackTitle(), music.trackArtist(), music.accentColor());
    };
    m_music->start();
}

} // namespace zelvik
