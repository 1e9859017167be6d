#include "AudioOutputDevice.h"

namespace zelvik {

QString AudioOutputDevice::symbol() const {
    const QString lowered = name.toLower();
    if (lowered.contains(u"airpods max"))
        return QStringLiteral("airpodsmax");
    if (lowered.contains(u"airpods pro"))
        return QStringLiteral("airpodspro");
    if (lowered.contains(u"airpods"))
        return QStringLiteral("airpods");
    if (lowered.contains(u"beats"))
        return QStringLiteral("beats.headphones");
    if (transport == transport::airPlay)
        return QStringLiteral("airplayaudio");
    if (isBluetooth())
        return QStringLiteral("headphones");
    if (transport == transport::builtIn)
        return QStringLiteral("laptopcomputer");
    if (transport == transport::hdmi || transport == transport::displayPort)
        return QStringLiteral("tv");
    return QStringLiteral("speaker.wave.2.fill");
}

} // namespace zelvik
