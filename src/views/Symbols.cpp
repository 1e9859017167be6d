#include "Symbols.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace zelvik {

namespace {

using Entry = std::pair<const char*, const char*>;

// Sorted by name. Where the icon font has no exact counterpart the closest
// icon stands in (noted beside it).
constexpr std::array kTable{
    Entry{"airplayaudio", "airplay"},
    Entry{"airpods", "earbuds"},
    Entry{"airpodsmax", "headphones"},
    Entry{"airpodspro", "earbuds"},
    Entry{"arrow.counterclockwise", "replay"},
    Entry{"arrow.left.and.right", "swap_horiz"},
    Entry{"arrow.up.forward", "north_east"},
    Entry{"backward.fill", "fast_rewind"},
    Entry{"battery.0percent", "battery_0_bar"},
    Entry{"battery.100percent", "battery_full"},
    Entry{"battery.100percent.bolt", "battery_charging_full"},
    Entry{"battery.25percent", "battery_2_bar"},
    Entry{"battery.50percent", "battery_4_bar"},
    Entry{"battery.75percent", "battery_5_bar"},
    Entry{"beats.headphones", "headphones"},
    Entry{"bell.badge.fill", "notifications_active"},
    Entry{"bolt.fill", "bolt"},
    Entry{"calendar.badge.clock", "event_repeat"},
    Entry{"camera.viewfinder", "screenshot_monitor"},
    Entry{"checkmark.circle.fill", "check_circle"},
    Entry{"chevron.up.chevron.down", "unfold_more"},
    Entry{"clock.fill", "schedule"},
    Entry{"command", "keyboard_command_key"},
    Entry{"cup.and.saucer.fill", "local_cafe"},
    Entry{"cursorarrow.motionlines", "ads_click"},
    Entry{"cursorarrow.rays", "ads_click"},
    Entry{"display", "desktop_windows"},
    Entry{"doc.fill", "description"},
    Entry{"doc.on.doc.fill", "file_copy"},
    Entry{"dot.radiowaves.left.and.right", "wifi_tethering"},
    Entry{"drop.fill", "water_drop"},
    Entry{"eye.slash.fill", "visibility_off"},
    Entry{"film.fill", "movie"},
    Entry{"forward.fill", "fast_forward"},
    Entry{"gearshape.fill", "settings"},
    Entry{"globe", "language"},
    Entry{"hand.draw.fill", "swipe"},
    Entry{"hand.tap.fill", "touch_app"},
    Entry{"headphones", "headphones"},
    Entry{"hourglass", "hourglass_bottom"},
    Entry{"info.circle.fill", "info"},
    Entry{"laptopcomputer", "laptop"},
    Entry{"link", "link"},
    Entry{"lock.fill", "lock"},
    Entry{"lock.shield.fill", "admin_panel_settings"},
    Entry{"menubar.rectangle", "web_asset"},
    Entry{"minus", "remove"},
    Entry{"music.note", "music_note"},
    Entry{"music.note.list", "queue_music"},
    Entry{"paintpalette.fill", "palette"},
    Entry{"pause.fill", "pause"},
    Entry{"photo.fill", "photo"},
    Entry{"play.circle.fill", "play_circle_filled"},
    Entry{"play.fill", "play_arrow"},
    Entry{"plus", "add"},
    Entry{"power", "power_settings_new"},
    Entry{"rectangle.stack.fill", "layers"},
    Entry{"rectangle.topthird.inset.filled", "tab"},
    Entry{"shadow", "blur_on"}, // no shadow icon; a soft blur
    Entry{"sparkles", "auto_awesome"},
    Entry{"speaker.wave.2.fill", "volume_up"},
    Entry{"text.quote", "format_quote"},
    Entry{"timer", "timer"},
    Entry{"trash", "delete"},
    // The font has one style per icon: the outlined tray stands beside the
    // filled one as an open tray with an arrow.
    Entry{"tray.and.arrow.down", "system_update_alt"},
    Entry{"tray.and.arrow.down.fill", "move_to_inbox"},
    Entry{"tray.full.fill", "inbox"},
    Entry{"tv", "tv"},
    Entry{"wand.and.rays", "animation"},
    Entry{"waveform", "graphic_eq"},
};

constexpr bool sortedByName() {
    for (std::size_t i = 1; i < kTable.size(); ++i)
        if (std::string_view(kTable[i - 1].first) >= std::string_view(kTable[i].first))
            return false;
    return true;
}
static_assert(sortedByName(), "the symbol table is looked up by binary search");

const Entry* find(QStringView name) {
    const auto it = std::lower_bound(kTable.begin(), kTable.end(), name,
                                     [](const Entry& entry, QStringView key) {
                                         return key.compare(QLatin1String(entry.first)) > 0;
                                     });
    if (it == kTable.end() || name.compare(QLatin1String(it->first)) != 0)
        return nullptr;
    return &*it;
}

} // namespace

QString symbolLigature(QStringView name) {
    if (const Entry* entry = find(name))
        return QString::fromLatin1(entry->second);
    return QStringLiteral("circle");
}

bool hasSymbol(QStringView name) {
    return find(name) != nullptr;
}

QStringList symbolNames() {
    QStringList names;
    names.reserve(static_cast<qsizetype>(kTable.size()));
    for (const Entry& entry : kTable)
        names << QString::fromLatin1(entry.first);
    return names;
}

} // namespace zelvik
