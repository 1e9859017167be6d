#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>

#include <cstdint>

namespace zelvik {

// The four-character code of an audio transport type as a big-endian 32-bit
// value of its four ASCII characters ('blue', 'bltn', ...).
constexpr std::uint32_t fourCharCode(const char (&code)[5]) {
    return (std::uint32_t(std::uint8_t(code[0])) << 24) |
           (std::uint32_t(std::uint8_t(code[1])) << 16) |
           (std::uint32_t(std::uint8_t(code[2])) << 8) | std::uint32_t(std::uint8_t(code[3]));
}

namespace transport {
inline constexpr std::uint32_t airPlay = fourCharCode("airp");
inline constexpr std::uint32_t bluetooth = fourCharCode("blue");
inline constexpr std::uint32_t bluetoothLE = fourCharCode("blea");
inline constexpr std::uint32_t builtIn = fourCharCode("bltn");
inline constexpr std::uint32_t hdmi = fourCharCode("hdmi");
inline constexpr std::uint32_t displayPort = fourCharCode("dprt");
inline constexpr std::uint32_t usb = fourCharCode("usb ");
} // namespace transport

// The default audio output device as the audio monitor reports it. `id` 0
// never denotes a device; `transport` is 0 when it could not be read.
struct AudioOutputDevice {
    Q_GADGET
    Q_PROPERTY(quint32 id MEMBER id CONSTANT)
    Q_PROPERTY(QString name MEMBER name CONSTANT)
    Q_PROPERTY(quint32 transport MEMBER transport CONSTANT)
    Q_PROPERTY(QString symbol READ symbol CONSTANT)

public:
    std::uint32_t id = 0;
    QString name;
    std::uint32_t transport = 0;

    bool isBluetooth() const {
        return transport == transport::bluetooth || transport == transport::bluetoothLE;
    }
    // Symbol name for the device's notice, from its name and transport.
    QString symbol() const;

    friend bool operator==(const AudioOutputDevice&, const AudioOutputDevice&) = default;
};

} // namespace zelvik

Q_DECLARE_METATYPE(zelvik::AudioOutputDevice)
