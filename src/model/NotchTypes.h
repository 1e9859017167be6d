#pragma once

#include <QString>

#include <array>
#include <optional>

namespace zelvik {

enum class NotchStatus { closed, peeking, open };

// Tabs of the open notch. The raw values are "shelf", "focus", "music".
enum class ZelvikPanel { shelf, focus, music };

inline constexpr std::array kAllPanels{ZelvikPanel::shelf, ZelvikPanel::focus, ZelvikPanel::music};

// What the wings of the closed notch show; absent means no wings.
enum class ClosedActivity { music, focus };

QString rawValue(ZelvikPanel panel);
std::optional<ZelvikPanel> panelFromRaw(QStringView raw);
// "Shelf" / "Raf", "Focus" / "Odak", "Music" / "Müzik".
QString displayTitle(ZelvikPanel panel);

QString rawValue(NotchStatus status);
QString rawValue(ClosedActivity activity);

} // namespace zelvik
