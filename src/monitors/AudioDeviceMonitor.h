#pragma once

#include "AudioOutputDevice.h"
#include "AudioOutputSource.h"

#include <QObject>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

namespace zelvik {

// Follows the system's default audio output device and reports when it
// becomes another device. The device present at start is the baseline and
// is not reported. Lives on the main thread.
class AudioDeviceMonitor : public QObject {
    Q_OBJECT
    // The default output device (an AudioOutputDevice), or nothing until the
    // first successful read.
    Q_PROPERTY(QVariant current READ currentValue NOTIFY currentChanged)

public:
    explicit AudioDeviceMonitor(std::unique_ptr<AudioOutputSource> source = nullptr,
                                QObject* parent = nullptr);
    ~AudioDeviceMonitor() override;

    void setSource(std::unique_ptr<AudioOutputSource> source);

    [[nodiscard]] const std::optional<AudioOutputDevice>& current() const { return m_current; }
    [[nodiscard]] QVariant currentValue() const;

    // Reads the default output once without reporting it, then follows its
    // changes. Later calls do nothing.
    void start();
    // Reports the default output if it is another device than `current`.
    void refresh();
    // The default output with the fallback name in the current language when
    // it has none, and transport 0 when it is unknown.
    [[nodiscard]] std::optional<AudioOutputDevice> readDefaultOutput() const;

    std::function<void(const AudioOutputDevice&)> onChange;

signals:
    void currentChanged();

private:
    void sourceChanged();
    void setCurrent(const AudioOutputDevice& device);

    std::unique_ptr<AudioOutputSource> m_source;
    std::optional<AudioOutputDevice> m_current;
    bool m_started = false;
    // The first reading only sets the baseline, even when it comes late.
    bool m_baselineTaken = false;
};

} // namespace zelvik
