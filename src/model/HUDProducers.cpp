#include "HUDProducers.h"

#include "NotchModel.h"
#include "settings/AppLanguage.h"
#include "settings/NotchSettings.h"

namespace zelvik {

namespace {

HUDEvent notice(const QString& symbol, const QColor& tint, const QString& title,
                std::optional<QString> trailing = std::nullopt) {
    HUDEvent event;
    event.symbol = symbol;
    event.tint = tint;
    event.title = title;
    event.trailing = std::move(trailing);
    return event;
}

} // namespace

QString unpluggedSymbol(int level) {
    if (level < 13)
        return QStringLiteral("battery.0percent");
    if (level < 38)
        return QStringLiteral("battery.25percent");
    if (level < 63)
        return QStringLiteral("battery.50percent");
    if (level < 88)
        return QStringLiteral("battery.75percent");
    return QStringLiteral("battery.100percent");
}

void showTrackChangeHUD(NotchModel& model, const QString& title, const QString& artist,
                        const QColor& accent) {
    if (!model.settings()->trackChangeHUD() || model.status() == NotchStatus::open)
        return;
    if (title.isEmpty())
        return;
    QStringList parts{title};
    if (!artist.isEmpty())
        parts << artist;
    HUDEvent event = notice("music.note", accent, parts.join(QStringLiteral(" · ")));
    event.showsArtwork = true;
    model.showHUD(event);
}

void showBatteryHUD(NotchModel& model, const BatteryEvent& event) {
    if (!model.settings()->showBatteryHUD())
        return;
    switch (event.kind) {
    case BatteryEvent::Kind::pluggedIn:
        model.showHUD(notice("bolt.fill", kNoticeGreen, localized("Charging", "Şarj oluyor"),
                             percentText(event.level)));
        return;
    case BatteryEvent::Kind::unplugged:
        model.showHUD(notice(unpluggedSymbol(event.level), kNoticeWhite,
                             localized("On battery power", "Pil gücüne geçildi"),
                             percentText(event.level)));
        return;
    case BatteryEvent::Kind::low:
        model.showHUD(notice("battery.25percent", kNoticeRed,
                             localized("Battery low", "Pil azalıyor"), percentText(event.level)));
        return;
    case BatteryEvent::Kind::full:
        model.showHUD(notice("battery.100percent.bolt", kNoticeGreen,
                             localized("Fully charged", "Tam şarj oldu"), percentText(100)));
        return;
    }
}

void showAudioDeviceHUD(NotchModel& model, const AudioOutputDevice& device) {
    if (!model.settings()->showDeviceHUD())
        return;
    const bool bluetooth = device.isBluetooth();
    std::optional<QString> trailing;
    if (bluetooth)
        trailing = localized("Connected", "Bağlandı");
    model.showHUD(
        notice(device.symbol(), bluetooth ? kLightBlue : kNoticeWhite, device.name, trailing));
}

void showScreenshotHUD(NotchModel& model) {
    model.showHUD(
        notice("camera.viewfinder", kLightBlue,
               localized("Screenshot added to the shelf", "Ekran görüntüsü rafa eklendi")));
}

void showFocusDoneHUD(NotchModel& model, const QString& label) {
    model.showHUD(notice("checkmark.circle.fill", kFocusOrange,
                         label + localized(" done, time for a break", " bitti, mola zamanı")));
}

void showBreakOverHUD(NotchModel& model) {
    model.showHUD(notice("cup.and.saucer.fill", kFocusOrange,
                         localized("Break's over, back to work", "Mola bitti, işe dönme zamanı")));
}

} // namespace zelvik
