#include "DesktopPlayerApplications.h"

#include "monitors/MusicLog.h"

// GLib names a struct field "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <QRegularExpression>

namespace zelvik {

namespace {

// Spotify's entry in Debian's package, Flathub's and the Snap store's.
const char* const kSpotifyEntries[] = {"spotify.desktop", "com.spotify.Client.desktop",
                                       "spotify_spotify.desktop"};
// What counts as music for the desktop's default player.
const char* const kMusicTypes[] = {"audio/mpeg", "audio/x-vorbis+ogg", "audio/flac"};

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfo = std::unique_ptr<GAppInfo, Unref>;

AppInfo entryById(const QString& id) {
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]*$"));
    if (!valid.match(id).hasMatch())
        return {};
    const QString file = id.endsWith(u".desktop") ? id : id + QStringLiteral(".desktop");
    GDesktopAppInfo* info = g_desktop_app_info_new(file.toUtf8().constData());
    return AppInfo(info ? G_APP_INFO(info) : nullptr);
}

std::optional<PlayerApplication> describe(const AppInfo& info) {
    if (!info || !G_IS_DESKTOP_APP_INFO(info.get()))
        return std::nullopt;
    PlayerApplication application;
    application.id = QString::fromUtf8(g_app_info_get_id(info.get()));
    application.name = QString::fromUtf8(g_app_info_get_name(info.get()));
    if (GIcon* icon = g_app_info_get_icon(info.get())) {
        gchar* name = g_icon_to_string(icon);
        application.iconName = QString::fromUtf8(name);
        g_free(name);
    }
    const char* file = g_desktop_app_info_get_filename(G_DESKTOP_APP_INFO(info.get()));
    if (file)
        application.location = QUrl::fromLocalFile(QString::fromUtf8(file));
    return application;
}

void onApplicationsChanged(GAppInfoMonitor*, gpointer self) {
    emit static_cast<DesktopPlayerApplications*>(self)->changed();
}

} // namespace

DesktopPlayerApplications::DesktopPlayerApplications(QObject* parent)
    : PlayerApplications(parent) {
    // Delivered through the main context, which Qt's event loop runs.
    GAppInfoMonitor* monitor = g_app_info_monitor_get();
    m_monitor = monitor;
    m_handler = g_signal_connect(monitor, "changed", G_CALLBACK(onApplicationsChanged), this);
}

DesktopPlayerApplications::~DesktopPlayerApplications() {
    auto* monitor = static_cast<GAppInfoMonitor*>(m_monitor);
    g_signal_handler_disconnect(monitor, m_handler);
    g_object_unref(monitor);
}

std::optional<PlayerApplication>
DesktopPlayerApplications::find(MusicSource source, const QString& runningEntry) const {
    if (!runningEntry.isEmpty()) {
        if (auto found = describe(entryById(runningEntry)))
            return found;
    }
    if (source == MusicSource::spotify) {
        for (const char* id : kSpotifyEntries) {
            if (auto found = describe(entryById(QString::fromLatin1(id))))
                return found;
        }
        return std::nullopt;
    }
    for (const char* type : kMusicTypes) {
        if (auto found = describe(AppInfo(g_app_info_get_default_for_type(type, FALSE))))
            return found;
    }
    return std::nullopt;
}

bool DesktopPlayerApplications::launch(const PlayerApplication& application) {
    const AppInfo info = entryById(application.id);
    if (!info)
        return false;
    GError* error = nullptr;
    const bool launched = g_app_info_launch(info.get(), nullptr, nullptr, &error);
    if (error) {
        qCDebug(lcMusic) << "could not start" << application.id << error->message;
        g_error_free(error);
    }
    return launched;
}

} // namespace zelvik
