// How long a window takes to show the pointer's arrival on screen.
//
//   hover_probe FROM_X FROM_Y X Y WIDTH HEIGHT
//
// Parks the pointer at FROM, grabs the screen region X Y WIDTH HEIGHT, moves
// the pointer to the region's centre and grabs the region again every two
// milliseconds until it differs. Prints the milliseconds from the move to
// the first changed grab, or "none" (exit status 1) when nothing changed
// within a second. Used by gui_startup.sh for the buttons' hot look; a
// program of its own because a fresh screenshot process per sample takes
// longer than the interval being measured.
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kArgumentCount = 6;
constexpr qint64 kLimitMs = 1000;
constexpr unsigned long kSettleMs = 300; // for the window to drop any earlier hot look
constexpr unsigned long kSampleUs = 2000;

QImage Grab(QScreen& screen, const QRect& region) {
    return screen.grabWindow(0, region.x(), region.y(), region.width(), region.height()).toImage();
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != kArgumentCount + 1) {
        std::fprintf(stderr, "usage: hover_probe FROM_X FROM_Y X Y WIDTH HEIGHT\n");
        return 2;
    }
    std::array<int, kArgumentCount> value{};
    for (int i = 0; i < kArgumentCount; ++i) {
        value[i] = std::atoi(argv[i + 1]);
    }
    QScreen& screen = *QGuiApplication::primaryScreen();
    const QRect region(value[2], value[3], value[4], value[5]);

    QCursor::setPos(&screen, value[0], value[1]);
    QThread::msleep(kSettleMs);
    const QImage before = Grab(screen, region);

    QElapsedTimer clock;
    QCursor::setPos(&screen, region.center());
    clock.start();
    while (clock.elapsed() < kLimitMs) {
        if (Grab(screen, region) != before) {
            std::printf("%.1f\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
            return 0;
        }
        QThread::usleep(kSampleUs);
    }
    std::printf("none\n");
    return 1;
}
