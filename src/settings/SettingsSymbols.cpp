#include "SettingsSymbols.h"

#include <QHash>

namespace zelvik {

namespace {

const QHash<QString, QString>& table() {
    static const QHash<QString, QString> symbols{
        // Sidebar
        {QStringLiteral("gearshape.fill"), QStringLiteral("settings")},
        {QStringLiteral("sparkles"), QStringLiteral("auto_awesome")},
        {QStringLiteral("cursorarrow.motionlines"), QStringLiteral("ads_click")},
        {QStringLiteral("music.note"), QStringLiteral("music_note")},
        {QStringLiteral("tray.full.fill"), QStringLiteral("inbox")},
        {QStringLiteral("timer"), QStringLiteral("timer")},
        {QStringLiteral("bell.badge.fill"), QStringLiteral("notifications_active")},
        {QStringLiteral("info.circle.fill"), QStringLiteral("info")},
        // General
        {QStringLiteral("globe"), QStringLiteral("language")},
        {QStringLiteral("display"), QStringLiteral("desktop_windows")},
        {QStringLiteral("eye.slash.fill"), QStringLiteral("visibility_off")},
        {QStringLiteral("power"), QStringLiteral("power_settings_new")},
        {QStringLiteral("menubar.rectangle"), QStringLiteral("web_asset")},
        {QStringLiteral("command"), QStringLiteral("keyboard_command_key")},
        // Appearance
        {QStringLiteral("drop.fill"), QStringLiteral("water_drop")},
        {QStringLiteral("rectangle.topthird.inset.filled"), QStringLiteral("tab")},
        {QStringLiteral("paintpalette.fill"), QStringLiteral("palette")},
        {QStringLiteral("arrow.left.and.right"), QStringLiteral("swap_horiz")},
        {QStringLiteral("wand.and.rays"), QStringLiteral("animation")},
        {QStringLiteral("shadow"), QStringLiteral("blur_on")},
        {QStringLiteral("arrow.up.forward"), QStringLiteral("north_east")},
        // Behavior
        {QStringLiteral("cursorarrow.rays"), QStringLiteral("ads_click")},
        {QStringLiteral("hourglass"), QStringLiteral("hourglass_bottom")},
        {QStringLiteral("rectangle.stack.fill"), QStringLiteral("layers")},
        {QStringLiteral("hand.draw.fill"), QStringLiteral("swipe")},
        {QStringLiteral("hand.tap.fill"), QStringLiteral("touch_app")},
        // Music
        {QStringLiteral("waveform"), QStringLiteral("graphic_eq")},
        {QStringLiteral("music.note.list"), QStringLiteral("queue_music")},
        {QStringLiteral("lock.shield.fill"), QStringLiteral("admin_panel_settings")},
        // Shelf
        {QStringLiteral("doc.on.doc.fill"), QStringLiteral("file_copy")},
        {QStringLiteral("calendar.badge.clock"), QStringLiteral("event_repeat")},
        {QStringLiteral("camera.viewfinder"), QStringLiteral("screenshot_monitor")},
        {QStringLiteral("folder"), QStringLiteral("folder_open")},
        {QStringLiteral("trash"), QStringLiteral("delete")},
        // Focus
        {QStringLiteral("speaker.wave.2.fill"), QStringLiteral("volume_up")},
        {QStringLiteral("play.fill"), QStringLiteral("play_arrow")},
        {QStringLiteral("cup.and.saucer.fill"), QStringLiteral("free_breakfast")},
        {QStringLiteral("clock.fill"), QStringLiteral("schedule")},
        // Alerts
        {QStringLiteral("battery.100percent.bolt"), QStringLiteral("battery_charging_full")},
        {QStringLiteral("battery.25percent"), QStringLiteral("battery_2_bar")},
        {QStringLiteral("airpodspro"), QStringLiteral("headphones")},
        {QStringLiteral("play.circle.fill"), QStringLiteral("play_circle_filled")},
        // About
        {QStringLiteral("arrow.counterclockwise"), QStringLiteral("restart_alt")},
    };
    return symbols;
}

} // namespace

QString settingsSymbolLigature(const QString& symbolName) {
    return table().value(symbolName, QStringLiteral("circle"));
}

bool SettingsSymbols::knows(const QString& symbolName) const {
    return table().contains(symbolName);
}

} // namespace zelvik
