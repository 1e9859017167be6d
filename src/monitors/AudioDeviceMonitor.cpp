#include "AudioDeviceMonitor.h"

#include "settings/AppLanguage.h"

namespace zelvik {

AudioDeviceMonitor::AudioDeviceMonitor(std::unique_ptr<AudioOutputSource> source, QObject* parent)
    : QObject(parent)
    , m_source(std::move(source)) {}

AudioDeviceMonitor::~AudioDeviceMonitor() = default;

void AudioDeviceMonitor::setSource(std::unique_ptr<AudioOutputSource> source) {
    m_source = std::move(source);
}

QVariant AudioDeviceMonitor::currentValue() const {
    return m_current ? QVariant::fromValue(*m_current) : QVariant();
}

void AudioDeviceMonitor::start() {
    if (m_started || !m_source)
        return;
    m_started = true;
    if (m_source->hasFirstReading()) {
        m_baselineTaken = true;
        if (const auto device = readDefaultOutput())
            setCurrent(*device);
    }
    // The source lives as long as the monitor, and its callback with it.
    m_source->start([this] { sourceChanged(); });
}

void AudioDeviceMonitor::sourceChanged() {
    if (m_baselineTaken) {
        refresh();
        return;
    }
    // The sound system answered only after start: what it has now was there
    // before anything changed.
    if (!m_source->hasFirstReading())
        return;
    m_baselineTaken = true;
    if (const auto device = readDefaultOutput())
        setCurrent(*device);
}

void AudioDeviceMonitor::refresh() {
    const auto device = readDefaultOutput();
    if (!device)
        return;
    if (m_current && m_current->id == device->id)
        return;
    setCurrent(*device);
    if (onChange)
        onChange(*device);
}

std::optional<AudioOutputDevice> AudioDeviceMonitor::readDefaultOutput() const {
    if (!m_source)
        return std::nullopt;
    const auto output = m_source->defaultOutput();
    if (!output || output->id == 0)
        return std::nullopt;
    AudioOutputDevice device;
    device.id = output->id;
    device.name = output->name.value_or(QString());
    if (device.name.trimmed().isEmpty())
        device.name = localized("Audio output", "Ses çıkışı");
    device.transport = output->transport.value_or(0);
    return device;
}

void AudioDeviceMonitor::setCurrent(const AudioOutputDevice& device) {
    if (m_current == device)
        return;
    m_current = device;
    emit currentChanged();
}

} // namespace zelvik
