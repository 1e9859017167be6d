#include "PulseAudioOutputSource.h"

#include "monitors/AudioOutputDevice.h"

#include <QLoggingCategory>

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/glib-mainloop.h>
#include <pulse/introspect.h>
#include <pulse/subscribe.h>

#include <algorithm>

namespace zelvik {

Q_LOGGING_CATEGORY(lcPulse, "zelvik.audio", QtWarningMsg)

namespace {

bool has(QByteArrayView text, QByteArrayView word) {
    return text.toByteArray().toLower().contains(word);
}

QHash<QByteArray, QByteArray> propertiesOf(const pa_proplist* list) {
    QHash<QByteArray, QByteArray> properties;
    if (!list)
        return properties;
    void* state = nullptr;
    while (const char* key = pa_proplist_iterate(list, &state)) {
        if (const char* value = pa_proplist_gets(list, key))
            properties.insert(key, value);
    }
    return properties;
}

} // namespace

PulseAudioOutputSource::PulseAudioOutputSource(Scheduler& scheduler, QString server)
    : m_scheduler(scheduler)
    , m_server(std::move(server)) {}

PulseAudioOutputSource::~PulseAudioOutputSource() {
    m_retry.cancel();
    for (pa_context* context : {m_context, m_deadContext}) {
        if (!context)
            continue;
        // Disconnecting reports a state change; nobody is left to hear it.
        pa_context_set_state_callback(context, nullptr, nullptr);
        pa_context_set_subscribe_callback(context, nullptr, nullptr);
        pa_context_disconnect(context);
        pa_context_unref(context);
    }
    if (m_mainloop)
        pa_glib_mainloop_free(m_mainloop);
}

std::uint32_t PulseAudioOutputSource::deviceId(QByteArrayView sinkName) {
    // FNV-1a, 32 bits: the same name gives the same id in every run.
    std::uint32_t hash = 2166136261u;
    for (const char c : sinkName) {
        hash ^= std::uint8_t(c);
        hash *= 16777619u;
    }
    // 0 never denotes a device.
    return hash == 0 ? 1 : hash;
}

std::uint32_t PulseAudioOutputSource::transportOf(const QHash<QByteArray, QByteArray>& properties,
                                                  QByteArrayView sinkName,
                                                  QByteArrayView activePort) {
    const QByteArray bus = properties.value("device.bus").toLower();
    const QByteArray api = properties.value("device.api").toLower();
    if (bus == "bluetooth" || api.startsWith("bluez"))
        return transport::bluetooth;
    // The card's HDMI and DisplayPort outputs show in the port, profile or
    // sink name ("hdmi-output-0", "hdmi-stereo", "...hdmi-stereo-extra1").
    const QByteArray profile = properties.value("device.profile.name");
    for (const QByteArrayView text : {activePort, QByteArrayView(profile), sinkName}) {
        if (has(text, "displayport"))
            return transport::displayPort;
        if (has(text, "hdmi"))
            return transport::hdmi;
    }
    if (bus == "usb")
        return transport::usb;
    if (bus == "pci" || bus == "platform" || bus == "isa" ||
        properties.value("device.form_factor") == "internal")
        return transport::builtIn;
    return 0;
}

void PulseAudioOutputSource::start(std::function<void()> changed) {
    if (m_mainloop)
        return;
    m_changed = std::move(changed);
    m_mainloop = pa_glib_mainloop_new(nullptr);
    if (!m_mainloop) {
        qCWarning(lcPulse) << "no GLib main loop for libpulse";
        return;
    }
    connectToServer();
}

std::optional<std::chrono::milliseconds> PulseAudioOutputSource::pendingRetryDelay() const {
    if (!m_retry.isPending())
        return std::nullopt;
    return m_pendingDelay;
}

void PulseAudioOutputSource::connectToServer() {
    if (m_deadContext) {
        pa_context_unref(m_deadContext);
        m_deadContext = nullptr;
    }
    ++m_attempts;
    m_context = pa_context_new(pa_glib_mainloop_get_api(m_mainloop), "Zelvik");
    if (!m_context) {
        scheduleRetry();
        return;
    }
    pa_context_set_state_callback(m_context, &PulseAudioOutputSource::onState, this);
    const QByteArray server = m_server.toLocal8Bit();
    // Never start a sound server of our own: without one the monitor waits.
    if (pa_context_connect(m_context, server.isEmpty() ? nullptr : server.constData(),
                           PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        connectionLost();
}

void PulseAudioOutputSource::onState(pa_context* context, void* self) {
    auto* source = static_cast<PulseAudioOutputSource*>(self);
    if (context != source->m_context)
        return;
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        source->ready();
        return;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        source->connectionLost();
        return;
    default:
        return;
    }
}

void PulseAudioOutputSource::connectionLost() {
    if (!m_context)
        return;
    qCDebug(lcPulse) << "sound server unreachable:" << pa_strerror(pa_context_errno(m_context));
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
    if (m_deadContext)
        pa_context_unref(m_deadContext);
    m_deadContext = m_context;
    m_context = nullptr;
    m_ready = false;
    m_querying = false;
    m_queryAgain = false;
    // Nothing is known about the output until the server answers again; the
    // monitor keeps the device it last reported.
    m_output.reset();
    scheduleRetry();
}

void PulseAudioOutputSource::scheduleRetry() {
    m_pendingDelay = m_retryDelay;
    m_retryDelay = std::min(m_retryDelay * 2, longestRetryDelay);
    m_retry.cancel();
    m_retry = m_scheduler.after(m_pendingDelay, [this] { connectToServer(); });
}

void PulseAudioOutputSource::ready() {
    m_ready = true;
    m_retryDelay = firstRetryDelay;
    // Any change of the server (its default sink) or of a sink asks again.
    pa_context_set_subscribe_callback(
        m_context,
        [](pa_context* context, pa_subscription_event_type_t, std::uint32_t, void* self) {
            auto* source = static_cast<PulseAudioOutputSource*>(self);
            if (context == source->m_context)
                source->query();
        },
        this);
    const auto mask =
        pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SERVER | PA_SUBSCRIPTION_MASK_SINK);
    if (pa_operation* operation = pa_context_subscribe(m_context, mask, nullptr, nullptr))
        pa_operation_unref(operation);
    query();
}

void PulseAudioOutputSource::query() {
    if (!m_ready)
        return;
    // A burst of events asks once more after the answer in flight.
    if (m_querying) {
        m_queryAgain = true;
        return;
    }
    m_querying = true;
    m_sinkAnswer.reset();
    pa_operation* operation =
        pa_context_get_server_info(m_context, &PulseAudioOutputSource::onServerInfo, this);
    if (operation)
        pa_operation_unref(operation);
    else
        finishQuery(std::nullopt);
}

void PulseAudioOutputSource::onServerInfo(pa_context* context, const pa_server_info* info,
                                          void* self) {
    auto* source = static_cast<PulseAudioOutputSource*>(self);
    if (context != source->m_context)
        return;
    if (!info || !info->default_sink_name || !*info->default_sink_name) {
        source->finishQuery(std::nullopt);
        return;
    }
    pa_operation* operation = pa_context_get_sink_info_by_name(
        context, info->default_sink_name, &PulseAudioOutputSource::onSinkInfo, self);
    if (operation)
        pa_operation_unref(operation);
    else
        source->finishQuery(std::nullopt);
}

void PulseAudioOutputSource::onSinkInfo(pa_context* context, const pa_sink_info* info, int eol,
                                        void* self) {
    auto* source = static_cast<PulseAudioOutputSource*>(self);
    if (context != source->m_context)
        return;
    if (eol < 0) {
        // The default sink went away between the two questions.
        source->finishQuery(std::nullopt);
        return;
    }
    if (eol > 0) {
        source->finishQuery(source->m_sinkAnswer);
        return;
    }
    if (!info || !info->name)
        return;
    DefaultOutput output;
    output.id = deviceId(info->name);
    if (info->description && *info->description)
        output.name = QString::fromUtf8(info->description);
    const QByteArrayView port =
        info->active_port && info->active_port->name ? info->active_port->name : "";
    output.transport = transportOf(propertiesOf(info->proplist), info->name, port);
    source->m_sinkAnswer = output;
}

void PulseAudioOutputSource::finishQuery(std::optional<DefaultOutput> output) {
    m_querying = false;
    const bool first = !m_hasFirstReading;
    const bool differs = output != m_output;
    m_hasFirstReading = true;
    m_output = std::move(output);
    if (m_queryAgain) {
        m_queryAgain = false;
        query();
    }
    if ((first || differs) && m_changed)
        m_changed();
}

} // namespace zelvik
