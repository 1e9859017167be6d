// Cost of the pointer handler, which runs for every pointer move anywhere on
// the desktop. Run it under callgrind to count instructions:
//
//   valgrind --tool=callgrind --toggle-collect='*runMoves*' ./pointer_benchmark
//
// and divide the total by the number of moves it prints. It also counts heap
// allocations made while handling the moves (the goal is none).
#include "model/NotchModel.h"
#include "settings/DefaultsStore.h"
#include "settings/NotchSettings.h"
#include "support/UserFolders.h"
#include "support/VirtualTime.h"
#include "window/FakeDesktop.h"
#include "window/NotchWindowController.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> g_allocations{0};
bool g_counting = false;

} // namespace

void* operator new(std::size_t size) {
    if (g_counting)
        ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace zelvik {

// Moves over the desktop away from the notch: what nearly every move is.
// With `crossing`, the path runs up to the top edge and over the capsule
// once every 1000 moves, so the zone is entered and left each time.
__attribute__((noinline)) void runMoves(NotchWindowController& controller,
                                        test::FakeDesktop& desktop, int moves, bool crossing) {
    for (int i = 0; i < moves; ++i) {
        const int step = i % 1000;
        desktop.pointer = crossing ? QPointF(960 + (step % 40) - 20, 1080 - step)
                                   : QPointF(100 + (i % 1700), 600 - (i % 500));
        controller.handlePointerEvent(PointerEventType::mouseMoved, true);
    }
}

} // namespace zelvik

int main(int argc, char** argv) {
    QTemporaryDir dir;
    zelvik::test::pointUserFoldersAt(dir.path());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    zelvik::DefaultsStore store(dir.filePath(QStringLiteral("bench.conf")));
    zelvik::test::VirtualTime time;
    zelvik::NotchModel model({store, time, time, nullptr});
    zelvik::test::FakeDesktop desktop;
    zelvik::ScreenDescription screen;
    screen.frame = QRectF(0, 0, 1920, 1080);
    screen.displayNumber = 1;
    screen.statusBarThickness = 24;
    desktop.screenList = {screen};
    const QByteArrayList options(argv + 1, argv + argc);
    const bool mouseMode = options.contains("mouse");
    const bool crossing = options.contains("crossing");
    if (mouseMode)
        model.settings()->setDisplayMode(zelvik::NotchDisplayMode::mouse());
    zelvik::NotchWindowController controller(
        model, desktop, [] { return std::make_unique<zelvik::test::FakeSurface>(); });
    controller.show();

    const int moves = 100000;
    zelvik::runMoves(controller, desktop, 1000, crossing); // warm up
    g_counting = true;
    zelvik::runMoves(controller, desktop, moves, crossing);
    g_counting = false;
    std::printf("%s mode, %s: %d moves, %ld heap allocations while handling them\n",
                mouseMode ? "mouse" : "builtIn", crossing ? "crossing the notch" : "away", moves,
                g_allocations.load());
    return 0;
}
