#include "PlayerScripts.h"

namespace zelvik::playerScripts {

QString beginning(MusicSource source) {
    return QStringLiteral("tell application \"%1\"").arg(appName(source));
}

QString statusBody() {
    return QStringLiteral(
        "    set s to (player state as string)\n"
        "    if s is \"stopped\" then return \"stopped\"\n"
        "    set t to current track\n"
        "    return s & linefeed & (name of t) & linefeed & (artist of t) & linefeed & "
        "((duration of t) as string) & linefeed & ((player position) as string)\n"
        "end tell");
}

QString status(MusicSource source) {
    return beginning(source) + QLatin1Char('\n') + statusBody();
}

QString position(MusicSource source) {
    return beginning(source) + QStringLiteral(" to return player position");
}

QString command(MusicSource source, const QString& command) {
    return beginning(source) + QStringLiteral(" to ") + command;
}

QString setPositionCommand(double seconds) {
    // QString::number never uses the locale: always a point.
    return QStringLiteral("set player position to ") + QString::number(seconds, 'f', 2);
}

QString artwork(MusicSource source) {
    if (source == MusicSource::spotify)
        return beginning(source) + QStringLiteral(" to return artwork url of current track");
    return beginning(source) + QStringLiteral(" to return raw data of artwork 1 of current track");
}

QString activate(MusicSource source) {
    return command(source, QStringLiteral("activate"));
}

} // namespace zelvik::playerScripts
