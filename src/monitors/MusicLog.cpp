#include "MusicLog.h"

namespace zelvik {

Q_LOGGING_CATEGORY(lcMusic, "zelvik.music", QtWarningMsg)

} // namespace zelvik
