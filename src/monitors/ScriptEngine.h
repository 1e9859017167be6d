#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace zelvik {

// What one player script gave back: its text, the raw bytes of its result
// and the error number it failed with. Each part may be absent.
struct ScriptOutput {
    std::optional<QString> string;
    std::optional<QByteArray> data;
    std::optional<int> errorCode;

    friend bool operator==(const ScriptOutput&, const ScriptOutput&) = default;
};

// Error numbers a script can fail with, shared by every engine.
namespace scriptError {
// The addressed application is not running.
inline constexpr int notRunning = -600;
// The application went away while the script talked to it.
inline constexpr int connectionInvalid = -609;
// The application has no such object (no current track, no artwork).
inline constexpr int cannotGet = -1728;
// The script is not one the engine understands.
inline constexpr int notUnderstood = -1708;
// The application did not answer in time.
inline constexpr int timedOut = -1712;
// The system refused to let Zelvik talk to the application.
inline constexpr int notPermitted = -1743;
// The application answered with an error of its own.
inline constexpr int handlerFailed = -10000;
} // namespace scriptError

// Carries out player scripts. One engine serves one runner; it is created,
// used and destroyed on the runner's thread only, one script at a time, so
// it needs no locking, and it must not touch objects of the main thread.
class ScriptEngine {
public:
    virtual ~ScriptEngine() = default;
    // Never throws; a failure is an output with an error number.
    virtual ScriptOutput execute(const QString& source) = 0;
};

// The engine of the platform the program runs on, talking to the players of
// the user's session. Called on the runner's thread.
std::unique_ptr<ScriptEngine> makeSystemScriptEngine();

} // namespace zelvik
