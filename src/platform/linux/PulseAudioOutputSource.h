#pragma once

#include "model/Scheduler.h"
#include "monitors/AudioOutputSource.h"

#include <QByteArray>
#include <QHash>

#include <chrono>

struct pa_context;
struct pa_glib_mainloop;
struct pa_server_info;
struct pa_sink_info;

namespace zelvik {

// The default sink of the sound server (PulseAudio, or PipeWire's pulse
// server) as the default output: its description is the name, a hash of its
// name the id (so a device keeps its id across reconnections), and its bus,
// profile and port give the transport.
//
// libpulse runs on the GLib main loop that Qt's main thread dispatches, so
// every answer arrives on the main thread and nothing waits for the server.
// Without a server the source stays quiet and tries again later, backing
// off from one second to once a minute.
class PulseAudioOutputSource final : public AudioOutputSource {
public:
    static constexpr std::chrono::milliseconds firstRetryDelay{1000};
    static constexpr std::chrono::milliseconds longestRetryDelay{60000};

    // `server` as libpulse takes it ("unix:/run/user/1000/pulse/native");
    // empty means the desktop's own server.
    explicit PulseAudioOutputSource(Scheduler& scheduler, QString server = {});
    ~PulseAudioOutputSource() override;
    PulseAudioOutputSource(const PulseAudioOutputSource&) = delete;
    PulseAudioOutputSource& operator=(const PulseAudioOutputSource&) = delete;

    [[nodiscard]] std::optional<DefaultOutput> defaultOutput() const override { return m_output; }
    [[nodiscard]] bool hasFirstReading() const override { return m_hasFirstReading; }
    void start(std::function<void()> changed) override;

    [[nodiscard]] bool isConnected() const { return m_ready; }
    // The wait before the next connection attempt, while one is pending.
    [[nodiscard]] std::optional<std::chrono::milliseconds> pendingRetryDelay() const;
    // How many times a connection to the server has been tried.
    [[nodiscard]] int connectionAttempts() const { return m_attempts; }

    // A stable, non-zero id for a sink name.
    static std::uint32_t deviceId(QByteArrayView sinkName);
    // The transport code for a sink's properties ("device.bus", "device.api",
    // "device.profile.name", "device.form_factor"), its name and active port.
    static std::uint32_t transportOf(const QHash<QByteArray, QByteArray>& properties,
                                     QByteArrayView sinkName, QByteArrayView activePort);

private:
    void connectToServer();
    void connectionLost();
    void scheduleRetry();
    void ready();
    void query();
    void finishQuery(std::optional<DefaultOutput> output);

    static void onState(pa_context* context, void* self);
    static void onServerInfo(pa_context* context, const pa_server_info* info, void* self);
    static void onSinkInfo(pa_context* context, const pa_sink_info* info, int eol, void* self);

    Scheduler& m_scheduler;
    QString m_server;
    std::function<void()> m_changed;
    pa_glib_mainloop* m_mainloop = nullptr;
    pa_context* m_context = nullptr;
    // A failed context, released on the next attempt: never inside its own
    // callback.
    pa_context* m_deadContext = nullptr;
    bool m_ready = false;
    int m_attempts = 0;
    TaskHandle m_retry;
    std::chrono::milliseconds m_retryDelay = firstRetryDelay;
    std::chrono::milliseconds m_pendingDelay{0};

    std::optional<DefaultOutput> m_output;
    bool m_hasFirstReading = false;
    bool m_querying = false;
    bool m_queryAgain = false;
    std::optional<DefaultOutput> m_sinkAnswer;
};

} // namespace zelvik
