// How Zelvik finds the session it runs in and the X server it draws on.
#include "platform/linux/DesktopSession.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

namespace zelvik::test {
namespace {

using Kind = DesktopSession::Kind;
using Check = DesktopSession::XServerCheck;

TEST(DesktopSessionTest, AWaylandSessionIsKnownByItsDisplayOrItsType) {
    struct Case {
        const char* waylandDisplay;
        const char* sessionType;
        Kind expected;
    };
    const Case cases[] = {
        {"", "", Kind::x11},
        {"", "x11", Kind::x11},
        {"wayland-0", "", Kind::wayland},
        {"wayland-1", "x11", Kind::wayland}, // the display is what programs reach
        {"", "wayland", Kind::wayland},      // a terminal reached from elsewhere
        {"", " Wayland\n", Kind::wayland},
        {"", "tty", Kind::x11},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopSession::detect(c.waylandDisplay, c.sessionType), c.expected)
            << "WAYLAND_DISPLAY=" << c.waylandDisplay << " XDG_SESSION_TYPE=" << c.sessionType;
}

TEST(DesktopSessionTest, TheNotchRunsOnX11UnlessAnotherPlatformIsAskedFor) {
    struct Case {
        const char* requested;
        const char* expected;
    };
    const Case cases[] = {
        {"", "xcb"},
        {"wayland", "xcb"}, // set for every program by many Wayland desktops
        {"wayland-egl", "xcb"},
        {"Wayland;xcb", "xcb"},
        {"wayland:some-option", "xcb"},
        {"xcb", "xcb"},
        {"offscreen", "offscreen"}, // an explicit choice such as the tests' is kept
        {"xcb:nograb", "xcb:nograb"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopSession::platformFor(c.requested), QByteArray(c.expected)) << c.requested;
}

// Runs with DISPLAY set to `display` (unset when null) and puts it back.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = qgetenv("DISPLAY"), m_had = qEnvironmentVariableIsSet("DISPLAY");
    }
    void TearDown() override {
        if (m_had)
            qputenv("DISPLAY", m_saved);
        else
            qunsetenv("DISPLAY");
    }
    static void useDisplay(const char* display) {
        if (display)
            qputenv("DISPLAY", display);
        else
            qunsetenv("DISPLAY");
    }
    // A display number no X server has (no socket of either kind).
    static int freeDisplayNumber() {
        for (int n = 640; n < 700; ++n)
            if (!QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) &&
                !abstractSocketInUse(n))
                return n;
        return -1;
    }
    static bool abstractSocketInUse(int n) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = abstractAddress(n);
        const bool used =
            ::connect(fd, reinterpret_cast<const sockaddr*>(&address),
                      sizeof(sa_family_t) + 1 + std::strlen(address.sun_path + 1)) == 0;
        ::close(fd);
        return used;
    }
    // Where X servers listen besides /tmp/.X11-unix: the abstract name xcb
    // tries first.
    static sockaddr_un abstractAddress(int n) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path + 1, sizeof(address.sun_path) - 1, "/tmp/.X11-unix/X%d", n);
        return address;
    }

private:
    QByteArray m_saved;
    bool m_had = false;
};

TEST_F(DisplayTest, AMissingOrDeadXServerIsToldApartAndNeverWaitedForLong) {
    useDisplay(nullptr);
    EXPECT_EQ(DesktopSession::checkXServer(std::chrono::seconds(5)), Check::noDisplay);

    const int number = freeDisplayNumber();
    ASSERT_GT(number, 0);
    useDisplay(qPrintable(QStringLiteral(":%1").arg(number)));
    EXPECT_EQ(DesktopSession::checkXServer(std::chrono::seconds(5)), Check::refused);

    // Something that takes the connection and never answers, as a hung
    // server would: the check gives up after its time.
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const sockaddr_un address = abstractAddress(number);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address),
                     sizeof(sa_family_t) + 1 + std::strlen(address.sun_path + 1)),
              0);
    ASSERT_EQ(::listen(listener, 4), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(DesktopSession::checkXServer(std::chrono::milliseconds(300)), Check::noAnswer);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(300));
    EXPECT_LT(waited, std::chrono::seconds(5));
    ::close(listener);
}

} // namespace
} // namespace zelvik::test
