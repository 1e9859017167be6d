#pragma once

#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <functional>

namespace zelvik::test {

// A private Xvfb for one test; DISPLAY points at it while the test runs.
class X11ServerFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs an X client (xdotool, xte) against the test server; true on exit 0.
    bool runClient(const QString& program, const QStringList& arguments);
    // Processes events until the condition holds or timeoutMs passes.
    static bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

    QProcess xvfb;
    QString display;
    QByteArray previousDisplay;
};

} // namespace zelvik::test
