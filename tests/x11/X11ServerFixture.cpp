#include "X11ServerFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

#include <utility>

namespace zelvik::test {

void X11ServerFixture::SetUp() {
    previousDisplay = qgetenv("DISPLAY");
    for (const auto& [program, package] :
         {std::pair{"Xvfb", "xvfb"}, std::pair{"xdotool", "xdotool"},
          std::pair{"xte", "xautomation"}})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            GTEST_SKIP() << program << " is missing (package " << package << ")";
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x800x24"),
                QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    ASSERT_TRUE(xvfb.waitForStarted(5000)) << "Xvfb did not start";
    QByteArray number;
    QElapsedTimer timer;
    timer.start();
    while (!number.contains('\n') && timer.elapsed() < 10000) {
        xvfb.waitForReadyRead(100);
        number += xvfb.readAllStandardOutput();
    }
    ASSERT_TRUE(number.contains('\n')) << "Xvfb did not report its display";
    display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    qputenv("DISPLAY", display.toLatin1());
}

void X11ServerFixture::TearDown() {
    if (previousDisplay.isNull())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", previousDisplay);
    if (xvfb.state() == QProcess::NotRunning)
        return;
    xvfb.terminate();
    if (!xvfb.waitForFinished(5000))
        xvfb.kill();
    xvfb.waitForFinished(5000);
}

bool X11ServerFixture::runClient(const QString& program, const QStringList& arguments) {
    QProcess client;
    client.start(program, arguments);
    return client.waitForFinished(10000) && client.exitStatus() == QProcess::NormalExit &&
           client.exitCode() == 0;
}

bool X11ServerFixture::waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

} // namespace zelvik::test
