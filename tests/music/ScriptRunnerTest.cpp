// The script runner: one script at a time off the main thread, results back
// on the main thread in order, in the shape callers rely on.
#include "monitors/ScriptRunner.h"

#include <QMutex>
#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace zelvik;

namespace {

// Answers from a table and logs when each script starts and ends, and on
// which thread. Scripts named "hold" wait until the test lets them go.
struct Journal {
    QMutex mutex;
    QStringList events;
    QList<QThread*> threads;
    QSemaphore gate;
};

class JournalEngine final : public ScriptEngine {
public:
    JournalEngine(std::shared_ptr<Journal> journal, QHash<QString, ScriptOutput> answers)
        : m_journal(std::move(journal))
        , m_answers(std::move(answers)) {}
    ScriptOutput execute(const QString& source) override {
        {
            const QMutexLocker lock(&m_journal->mutex);
            m_journal->events << "start " + source;
            m_journal->threads << QThread::currentThread();
        }
        if (source.startsWith(u"hold"))
            m_journal->gate.acquire();
        if (source == u"throw")
            throw std::runtime_error("engine failure");
        {
            const QMutexLocker lock(&m_journal->mutex);
            m_journal->events << "end " + source;
        }
        return m_answers.value(source);
    }

private:
    std::shared_ptr<Journal> m_journal;
    QHash<QString, ScriptOutput> m_answers;
};

ScriptOutput output(std::optional<QString> string, std::optional<QByteArray> data,
                    std::optional<int> errorCode) {
    return ScriptOutput{std::move(string), std::move(data), errorCode};
}

} // namespace

TEST(ScriptRunnerTest, ScriptsRunOneAtATimeElsewhereAndAnswerInOrderOnTheCallersThread) {
    auto journal = std::make_shared<Journal>();
    ScriptRunner runner([journal] {
        return std::make_unique<JournalEngine>(journal, QHash<QString, ScriptOutput>{});
    });
    QObject context;
    QStringList answered;
    QList<QThread*> answerThreads;
    for (const char* script : {"hold first", "second", "third"}) {
        runner.run(QString::fromLatin1(script), &context, [&, script](const auto&) {
            answered << QString::fromLatin1(script);
            answerThreads << QThread::currentThread();
        });
    }
    // Nothing answers from inside run().
    EXPECT_TRUE(answered.isEmpty());
    journal->gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered.size() == 3; }, 20000));

    EXPECT_EQ(answered, (QStringList{"hold first", "second", "third"}));
    const QMutexLocker lock(&journal->mutex);
    EXPECT_EQ(journal->events, (QStringList{"start hold first", "end hold first", "start second",
                                            "end second", "start third", "end third"}));
    for (QThread* thread : std::as_const(journal->threads))
        EXPECT_NE(thread, QThread::currentThread());
    for (QThread* thread : std::as_const(answerThreads))
        EXPECT_EQ(thread, QThread::currentThread());
}

TEST(ScriptRunnerTest, OutputsHaveTheShapeCallersRelyOn) {
    struct Case {
        const char* script;
        ScriptOutput engine;
        ScriptOutput expected;
    };
    const QByteArray picture("\x89PNG\r\n", 6);
    const QList<Case> cases{
        {"text", output("playing", std::nullopt, std::nullopt),
         output("playing", QByteArray("playing"), std::nullopt)},
        {"picture", output(std::nullopt, picture, std::nullopt),
         output(std::nullopt, picture, std::nullopt)},
        {"failed with a partial result", output("half", QByteArray("half"), -1728),
         output(std::nullopt, std::nullopt, -1728)},
        {"nothing", ScriptOutput{}, ScriptOutput{}},
        {"throw", output("never", std::nullopt, std::nullopt), ScriptOutput{}},
    };
    auto journal = std::make_shared<Journal>();
    QHash<QString, ScriptOutput> answers;
    for (const Case& c : cases)
        answers.insert(QString::fromLatin1(c.script), c.engine);
    ScriptRunner runner(
        [journal, answers] { return std::make_unique<JournalEngine>(journal, answers); });
    QObject context;
    QHash<QString, ScriptOutput> results;
    for (const Case& c : cases)
        runner.run(QString::fromLatin1(c.script), &context,
                   [&, c](const ScriptOutput& out) { results.insert(c.script, out); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return results.size() == cases.size(); }, 20000));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        EXPECT_EQ(results.value(c.script), c.expected);
    }
}

TEST(ScriptRunnerTest, NoEngineGivesEmptyOutputsAndAGoneCallerGetsNothing) {
    ScriptRunner runner([] { return std::unique_ptr<ScriptEngine>(); });
    std::optional<ScriptOutput> result;
    QObject context;
    runner.run(QStringLiteral("tell application \"Spotify\" to playpause"), &context,
               [&](const ScriptOutput& out) { result = out; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 20000));
    EXPECT_EQ(*result, ScriptOutput{});

    bool called = false;
    auto gone = std::make_unique<QObject>();
    runner.run(QStringLiteral("anything"), gone.get(), [&](const auto&) { called = true; });
    gone.reset();
    bool after = false;
    runner.run(QStringLiteral("after"), &context, [&](const auto&) { after = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return after; }, 20000));
    EXPECT_FALSE(called);
}
