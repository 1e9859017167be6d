#include "ScriptRunner.h"

#include "MusicLog.h"

#include <QCoreApplication>
#include <QPointer>

namespace zelvik {

// Lives on the runner's thread and owns the engine there.
class ScriptRunner::Worker final : public QObject {
public:
    explicit Worker(EngineFactory factory)
        : m_factory(std::move(factory)) {}

    Output execute(const QString& source) {
        Output output;
        try {
            if (!m_built) {
                m_built = true;
                if (m_factory)
                    m_engine = m_factory();
            }
            // Without an engine no script can even be read: nothing comes back.
            if (m_engine)
                output = m_engine->execute(source);
        } catch (...) {
            qCDebug(lcMusic) << "the script engine threw; the script gave nothing";
            output = {};
        }
        // A failed script has no result, whatever the engine left behind; a
        // text result also has its bytes.
        if (output.errorCode) {
            output.string.reset();
            output.data.reset();
        } else if (output.string && !output.data) {
            output.data = output.string->toUtf8();
        }
        return output;
    }

    void dropEngine() { m_engine.reset(); }

private:
    EngineFactory m_factory;
    std::unique_ptr<ScriptEngine> m_engine;
    bool m_built = false;
};

ScriptRunner::ScriptRunner(EngineFactory factory, QObject* parent)
    : QObject(parent)
    , m_worker(new Worker(std::move(factory))) {
    m_thread.setObjectName(QStringLiteral("zelvik.scripts"));
    m_worker->moveToThread(&m_thread);
    // `finished` is sent from the runner's thread as it ends, so the engine
    // goes on the thread that made it.
    connect(
        &m_thread, &QThread::finished, m_worker, [worker = m_worker] { worker->dropEngine(); },
        Qt::DirectConnection);
    m_thread.start();
}

ScriptRunner::~ScriptRunner() {
    shutdown();
    delete m_worker;
}

ScriptRunner& ScriptRunner::shared() {
    static ScriptRunner* runner = [] {
        auto* created = new ScriptRunner(makeSystemScriptEngine);
        // The engine's bus connection must be gone before the application's
        // D-Bus machinery is taken down.
        if (QCoreApplication* app = QCoreApplication::instance())
            QObject::connect(app, &QCoreApplication::aboutToQuit, created, &ScriptRunner::shutdown);
        return created;
    }();
    return *runner;
}

void ScriptRunner::shutdown() {
    m_stopping = true;
    if (m_thread.isRunning()) {
        m_thread.quit();
        m_thread.wait();
    }
}

void ScriptRunner::run(const QString& source, QObject* context,
                       std::function<void(const Output&)> done) {
    if (m_stopping)
        return;
    // The context is checked on this object's thread only, where it lives.
    QPointer<QObject> target(context);
    QMetaObject::invokeMethod(
        m_worker,
        [this, source, target, done = std::move(done)]() mutable {
            // The runner waits for this thread before it goes, so `this` is
            // alive here.
            if (m_stopping)
                return;
            const Output output = m_worker->execute(source);
            QMetaObject::invokeMethod(
                this,
                [target, done = std::move(done), output] {
                    if (target && done)
                        done(output);
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

} // namespace zelvik
