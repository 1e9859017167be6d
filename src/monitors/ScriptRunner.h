#pragma once

#include "ScriptEngine.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

namespace zelvik {

// Runs player scripts one at a time on a thread of its own, so a slow or
// hung player never blocks the interface, and hands each result back on the
// thread of the caller's context object, in the order the scripts were
// submitted and never on the caller's stack.
class ScriptRunner final : public QObject {
    Q_OBJECT
public:
    using Output = ScriptOutput;
    // Builds the engine; called once, on the runner's thread, before the
    // first script. A factory that returns null makes every script give an
    // output with every part absent.
    using EngineFactory = std::function<std::unique_ptr<ScriptEngine>()>;

    explicit ScriptRunner(EngineFactory factory, QObject* parent = nullptr);
    // Lets the script in progress finish, drops the ones still waiting, and
    // destroys the engine on its own thread.
    ~ScriptRunner() override;

    // The one runner of the process, with the system's engine. Created on
    // first use and kept until the application quits.
    static ScriptRunner& shared();

    // Queues a script. `done` runs later on context's thread, unless context
    // is gone by then; it is never called from inside run().
    void run(const QString& source, QObject* context, std::function<void(const Output&)> done);

    // Stops the thread after the script in progress; later scripts never run
    // and their callbacks never come.
    void shutdown();

private:
    class Worker;

    QThread m_thread;
    Worker* m_worker = nullptr;
    std::atomic<bool> m_stopping{false};
};

} // namespace zelvik
