#pragma once

#include <QList>
#include <QUrl>

namespace zelvik {

// Sends files and links to a device nearby. A service that cannot perform
// with the given items (no device in reach, nothing to send) does nothing.
class NearbySharing {
public:
    virtual ~NearbySharing() = default;
    virtual bool canPerform(const QList<QUrl>& items) = 0;
    // Whether anything could be sent now (a device is in reach).
    virtual bool isAvailable() = 0;
    virtual void perform(const QList<QUrl>& items) = 0;
};

} // namespace zelvik
