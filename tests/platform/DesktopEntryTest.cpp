// Desktop entry files and Zelvik's autostart entry, on real files in a
// temporary folder.
#include "platform/linux/DesktopEntry.h"
#include "platform/linux/XdgAutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace zelvik;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(DesktopEntryTest, ExecIsSplitWithItsQuotingAndWithoutFieldCodes) {
    const struct {
        const char* exec;
        QStringList arguments;
    } cases[] = {
        {"spotify %U", {"spotify"}},
        {"\"/opt/My Player/run\" --new %f", {"/opt/My Player/run", "--new"}},
        {"sh -c \"echo \\\\\"hi\\\\\" \\\\$HOME\"", {"sh", "-c", "echo \"hi\" $HOME"}},
        {"player --volume=100%% %i %c", {"player", "--volume=100%"}},
        {"  spaced   out  ", {"spaced", "out"}},
        {"\"unterminated", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const DesktopEntry entry = DesktopEntry::parse(QStringLiteral("[Desktop Entry]\nExec=") +
                                                       QString::fromUtf8(c.exec) + u'\n');
        EXPECT_EQ(entry.execArguments(), c.arguments) << c.exec;
    }
    // A program path with every awkward character comes back unchanged.
    const QString path = QStringLiteral("/opt/A \"B\" $C \\D`E`/100%/zelvik");
    DesktopEntry entry;
    entry.setValue(QStringLiteral("Exec"), DesktopEntry::quotedExecArgument(path));
    EXPECT_EQ(DesktopEntry::parse(entry.toText()).execArguments(), QStringList{path});
}

TEST(DesktopEntryTest, KeysAreReadFromTheirGroupAndEditingKeepsTheRest) {
    DesktopEntry entry = DesktopEntry::parse(QStringLiteral("# made by hand\n"
                                                            "[Desktop Entry]\n"
                                                            "Name=Player\n"
                                                            "Name[tr]=Oynatıcı\n"
                                                            "Comment=Line\\none\\sand\\\\two\n"
                                                            "Categories=AudioVideo;Audio;Player;\n"
                                                            "Hidden=True\n"
                                                            "\n"
                                                            "[Desktop Action New]\n"
                                                            "Name=New window\n"
                                                            "Exec=player --new\n"));
    EXPECT_EQ(entry.value(QStringLiteral("Name")), QStringLiteral("Player"));
    EXPECT_EQ(entry.value(QStringLiteral("Comment")), QStringLiteral("Line\none and\\two"));
    EXPECT_EQ(entry.listValue(QStringLiteral("Categories")),
              (QStringList{"AudioVideo", "Audio", "Player"}));
    // Only "true" is true; an action's Exec is not the entry's.
    EXPECT_FALSE(entry.boolValue(QStringLiteral("Hidden"), false));
    EXPECT_FALSE(entry.value(QStringLiteral("Exec")));
    EXPECT_TRUE(entry.execArguments().isEmpty());

    entry.setValue(QStringLiteral("Exec"), QStringLiteral("player"));
    entry.removeKey(QStringLiteral("Hidden"));
    const QString text = entry.toText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("# made by hand\n[Desktop Entry]\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("Name[tr]=Oynatıcı\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("Exec=player\n\n[Desktop Action New]\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("Exec=player --new\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("Hidden")));
}

TEST(DesktopEntryTest, ReadingRefusesWhatIsNoRegularFileOfSensibleSize) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.desktop"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString big = dir.filePath(QStringLiteral("big.desktop"));
    write(big, "[Desktop Entry]\nExec=x\n" + QByteArray(1024 * 1024, '#'));
    const QString folder = dir.filePath(QStringLiteral("folder.desktop"));
    QDir().mkpath(folder);
    const QString dangling = dir.filePath(QStringLiteral("dangling.desktop"));
    QFile::link(dir.filePath(QStringLiteral("gone")), dangling);
    // A pipe would block the reader forever.
    for (const QString& path : {fifo, big, folder, dangling, dir.filePath(QStringLiteral("none"))})
        EXPECT_FALSE(DesktopEntry::read(path)) << path.toStdString();

    const QString real = dir.filePath(QStringLiteral("real.desktop"));
    write(real, "[Desktop Entry]\nExec=x\n");
    const QString link = dir.filePath(QStringLiteral("link.desktop"));
    QFile::link(real, link);
    EXPECT_EQ(DesktopEntry::read(link)->value(QStringLiteral("Exec")), QStringLiteral("x"));
}

namespace {

class AutostartTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString autostartFolder = dir.filePath(QStringLiteral("autostart"));
    QString path = autostartFolder + QStringLiteral("/zelvik.desktop");
    QString elsewhere = dir.filePath(QStringLiteral("elsewhere.desktop"));
    QString neighbour = autostartFolder + QStringLiteral("/other.desktop");
    // A program path that needs quoting.
    XdgAutostartEntry entry{QStringLiteral("/opt/My Apps/zelvik"), path};

    void SetUp() override {
        QDir().mkpath(autostartFolder);
        write(neighbour, "[Desktop Entry]\nExec=other\n");
    }
    void TearDown() override {
        EXPECT_EQ(contents(neighbour), QByteArray("[Desktop Entry]\nExec=other\n"));
    }
};

} // namespace

TEST_F(AutostartTest, TurningOnWritesOurEntryAndOffRemovesIt) {
    // The autostart folder may not exist yet.
    const QString fresh = dir.filePath(QStringLiteral("config/autostart/zelvik.desktop"));
    XdgAutostartEntry first{QStringLiteral("/opt/My Apps/zelvik"), fresh};
    EXPECT_FALSE(first.isEnabled());
    EXPECT_TRUE(first.setEnabled(true));
    EXPECT_TRUE(first.isEnabled());
    const auto written = DesktopEntry::read(fresh);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->execArguments(), QStringList{QStringLiteral("/opt/My Apps/zelvik")});
    EXPECT_EQ(written->value(QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_EQ(written->value(QStringLiteral("Name")), QStringLiteral("Zelvik"));
    EXPECT_TRUE(first.setEnabled(false));
    EXPECT_FALSE(QFileInfo::exists(fresh));
    EXPECT_FALSE(first.isEnabled());
    // Off when already off is no failure.
    EXPECT_TRUE(first.setEnabled(false));
}

TEST_F(AutostartTest, EntriesEditedByHandAreReadAndMendedKeepingTheEdits) {
    const struct {
        const char* name;
        QByteArray text;
        bool on;
    } cases[] = {
        {"switched off for GNOME",
         "# mine\n[Desktop Entry]\nType=Application\nName=Zelvik\nExec=zelvik --quiet\n"
         "X-GNOME-Autostart-enabled=false\nX-Mine=1\n",
         false},
        {"hidden", "[Desktop Entry]\nExec=zelvik\nHidden=true\n", false},
        {"no program", "[Desktop Entry]\nName=Zelvik\n", false},
        {"not an application", "[Desktop Entry]\nType=Link\nExec=zelvik\n", false},
        {"binary garbage", QByteArray("\x00\xff\xfe[Desktop", 9), false},
        {"plain and on", "[Desktop Entry]\nExec=zelvik --quiet\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write(path, c.text);
        EXPECT_EQ(entry.isEnabled(), c.on);
        EXPECT_TRUE(entry.setEnabled(true));
        EXPECT_TRUE(entry.isEnabled());
        const QByteArray mended = contents(path);
        if (c.text.contains("Exec=zelvik --quiet")) {
            // The user's own command and keys survive.
            EXPECT_TRUE(mended.contains("Exec=zelvik --quiet")) << mended.constData();
            EXPECT_EQ(mended.contains("X-Mine=1"), c.text.contains("X-Mine=1"));
            EXPECT_EQ(mended.contains("# mine"), c.text.contains("# mine"));
        }
        EXPECT_TRUE(entry.setEnabled(false));
        EXPECT_FALSE(QFileInfo::exists(path));
    }
}

TEST_F(AutostartTest, ALinkIsReadThroughButNeverWrittenThroughOrItsTargetRemoved) {
    const QByteArray on = "[Desktop Entry]\nExec=zelvik\n";
    const QByteArray off = "[Desktop Entry]\nExec=zelvik\nHidden=true\n";
    for (const QByteArray& target : {on, off}) {
        SCOPED_TRACE(target.constData());
        write(elsewhere, target);
        ASSERT_TRUE(QFile::link(elsewhere, path));
        EXPECT_EQ(entry.isEnabled(), target == on);
        EXPECT_TRUE(entry.setEnabled(true));
        EXPECT_TRUE(entry.isEnabled());
        EXPECT_EQ(contents(elsewhere), target);
        // Switching a link that was off on replaced the link by our own file.
        EXPECT_EQ(QFileInfo(path).isSymLink(), target == on);
        EXPECT_TRUE(entry.setEnabled(false));
        EXPECT_FALSE(QFileInfo(path).exists() || QFileInfo(path).isSymLink());
        EXPECT_EQ(contents(elsewhere), target);
    }
    // A link to nothing reads as off and goes when switched off.
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("gone")), path));
    EXPECT_FALSE(entry.isEnabled());
    EXPECT_TRUE(entry.setEnabled(false));
    EXPECT_FALSE(QFileInfo(path).isSymLink());
}

TEST_F(AutostartTest, SomethingElseInThePlaceOfTheEntryIsLeftAlone) {
    // A pipe (which would block a reader) and a folder are not ours.
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_FALSE(entry.isEnabled());
    EXPECT_TRUE(entry.setEnabled(false));
    EXPECT_FALSE(entry.setEnabled(true));
    EXPECT_FALSE(QFileInfo(path).isFile());
    EXPECT_TRUE(QFileInfo::exists(path));
    ASSERT_TRUE(QFile::remove(path));

    ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/inside")));
    EXPECT_FALSE(entry.isEnabled());
    EXPECT_TRUE(entry.setEnabled(false));
    EXPECT_FALSE(entry.setEnabled(true));
    EXPECT_TRUE(QFileInfo(path + QStringLiteral("/inside")).isDir());
}
