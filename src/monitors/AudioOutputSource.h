#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace zelvik {

// The sound system's default output device as last learned, answering at
// once: whatever has to be asked of the sound server is asked ahead of time.
class AudioOutputSource {
public:
    // What the system says about the default output. A missing name or
    // transport means that query failed.
    struct DefaultOutput {
        std::uint32_t id = 0;
        std::optional<QString> name;
        std::optional<std::uint32_t> transport;

        friend bool operator==(const DefaultOutput&, const DefaultOutput&) = default;
    };

    virtual ~AudioOutputSource() = default;

    // Absent while no default output is known (no server, no device, or no
    // answer yet).
    [[nodiscard]] virtual std::optional<DefaultOutput> defaultOutput() const = 0;
    // Whether the sound system's state has been learned at least once; before
    // that an absent default output says nothing about the device.
    [[nodiscard]] virtual bool hasFirstReading() const = 0;
    // Begins watching. `changed` runs on the main thread once the first
    // reading is in and after every later change of the default output.
    virtual void start(std::function<void()> changed) = 0;
};

} // namespace zelvik
