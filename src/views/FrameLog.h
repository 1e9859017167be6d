#pragma once

class QQuickWindow;

namespace zelvik {

class NotchModel;

// Diagnostics for measuring the notch window, silent unless asked for with
// QT_LOGGING_RULES. Times are CLOCK_MONOTONIC nanoseconds, so a tool that
// started the program can set them against its own clock.
//   zelvik.frames.info=true    "first-frame <ns>" once, when the first frame
//                              is handed to the screen
//   zelvik.frames.debug=true   (with info) also "frame <ns> <took ns>" for
//                              every frame after it (when it was handed
//                              over, and how long it took from the start
//                              of its synchronisation) and
//                              "status <closed|peeking|open> <ns>" for
//                              every change of the notch's state
// When neither is on, nothing is connected and nothing is measured.
void logFrames(QQuickWindow& window, const NotchModel& model);

} // namespace zelvik
