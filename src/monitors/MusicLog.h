#pragma once

#include <QLoggingCategory>

namespace zelvik {

// Diagnostics of the players, scripts and artwork: silent unless switched on
// with QT_LOGGING_RULES="zelvik.music.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcMusic)

} // namespace zelvik
