#include "CanberraSoundPlayer.h"

#include <canberra.h>

#include <array>
#include <utility>

namespace zelvik {

std::optional<QString> freedesktopSoundId(const QString& name) {
    static const std::array<std::pair<const char*, const char*>, 9> kSounds{{
        {"Glass", "complete"},
        {"Hero", "service-login"},
        {"Ping", "message"},
        {"Purr", "message-new-instant"},
        {"Submarine", "dialog-information"},
        {"Tink", "bell"},
        {"Funk", "dialog-warning"},
        {"Blow", "window-attention"},
        {"Bottle", "power-plug"},
    }};
    for (const auto& [offered, id] : kSounds) {
        if (name == QLatin1String(offered))
            return QString::fromLatin1(id);
    }
    return std::nullopt;
}

CanberraSoundPlayer::CanberraSoundPlayer() {
    if (ca_context_create(&m_context) != CA_SUCCESS) {
        m_context = nullptr;
        return;
    }
    ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Zelvik", CA_PROP_APPLICATION_ID,
                            "org.zelvik.Zelvik", nullptr);
}

CanberraSoundPlayer::~CanberraSoundPlayer() {
    if (m_context)
        ca_context_destroy(m_context);
}

bool CanberraSoundPlayer::play(const QString& name) {
    const auto id = freedesktopSoundId(name);
    if (!id || !m_context)
        return false;
    const QByteArray eventId = id->toLatin1();
    const QByteArray description = name.toUtf8();
    return ca_context_play(m_context, 0, CA_PROP_EVENT_ID, eventId.constData(),
                           CA_PROP_EVENT_DESCRIPTION, description.constData(),
                           nullptr) == CA_SUCCESS;
}

} // namespace zelvik
