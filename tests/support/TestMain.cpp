// The main() of every test suite: tests never touch the real user's files, so
// the XDG folders point into a temporary directory before Qt reads them.
#include "TestEnvironment.h"
#include "UserFolders.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QString g_root;
}

QString zelvik::test::testRoot() {
    return g_root;
}

int main(int argc, char** argv) {
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/zelvik-test-XXXXXX"));
    if (!root.isValid())
        return 2;
    g_root = root.path();
    zelvik::test::pointUserFoldersAt(g_root);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    ::testing::InitGoogleTest(&argc, argv);
    // Widgets (the tray menu) need the full application object.
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
