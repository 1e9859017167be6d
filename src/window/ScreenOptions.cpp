#include "ScreenOptions.h"

#include "settings/AppLanguage.h"

namespace zelvik {

QList<ScreenOption> screenOptions(const QList<ScreenDescription>& screens) {
    QList<ScreenOption> options;
    for (const ScreenDescription& screen : screens) {
        // A screen without a number could not be chosen again later.
        if (!screen.displayNumber)
            continue;
        QString title = screen.name;
        if (screen.topInset > 0)
            title += localized(" (with notch)", " (notch'lu)");
        options.append({title, NotchDisplayMode::specific(*screen.displayNumber)});
    }
    return options;
}

} // namespace zelvik
