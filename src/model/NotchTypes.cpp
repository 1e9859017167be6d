#include "NotchTypes.h"

#include "settings/AppLanguage.h"

namespace zelvik {

QString rawValue(ZelvikPanel panel) {
    switch (panel) {
    case ZelvikPanel::shelf:
        return QStringLiteral("shelf");
    case ZelvikPanel::focus:
        return QStringLiteral("focus");
    case ZelvikPanel::music:
        break;
    }
    return QStringLiteral("music");
}

std::optional<ZelvikPanel> panelFromRaw(QStringView raw) {
    for (ZelvikPanel panel : kAllPanels) {
        if (rawValue(panel) == raw)
            return panel;
    }
    return std::nullopt;
}

QString displayTitle(ZelvikPanel panel) {
    switch (panel) {
    case ZelvikPanel::shelf:
        return localized("Shelf", "Raf");
    case ZelvikPanel::focus:
        return localized("Focus", "Odak");
    case ZelvikPanel::music:
        break;
    }
    return localized("Music", "Müzik");
}

QString rawValue(NotchStatus status) {
    switch (status) {
    case NotchStatus::peeking:
        return QStringLiteral("peeking");
    case NotchStatus::open:
        return QStringLiteral("open");
    case NotchStatus::closed:
        break;
    }
    return QStringLiteral("closed");
}

QString rawValue(ClosedActivity activity) {
    return activity == ClosedActivity::focus ? QStringLiteral("focus") : QStringLiteral("music");
}

} // namespace zelvik
