#pragma once

#include "monitors/PlayerApplications.h"

namespace zelvik {

// Installed players are desktop entries in the XDG application folders,
// found and started through GIO (the same lookup and launch a desktop's own
// launcher does). Spotify is its entry under one of the names its packages
// use; "Music" is the entry the running player names for itself, else the
// desktop's default application for music files. Listens for applications
// being installed or removed.
class DesktopPlayerApplications final : public PlayerApplications {
    Q_OBJECT
public:
    explicit DesktopPlayerApplications(QObject* parent = nullptr);
    ~DesktopPlayerApplications() override;

    std::optional<PlayerApplication> find(MusicSource source,
                                          const QString& runningEntry) const override;
    bool launch(const PlayerApplication& application) override;

private:
    void* m_monitor = nullptr; // GAppInfoMonitor
    unsigned long m_handler = 0;
};

} // namespace zelvik
