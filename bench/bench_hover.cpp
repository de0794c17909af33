// Cost of one hover tick: every button of a 25-button keypad polls the
// pointer once, as their 50 ms timers do together. Run under the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
#include "controls/XPButton.h"
#include "platform/PointerProbe.h"

#include <QApplication>
#include <QCursor>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using tallix::XPButton;

namespace {

constexpr int Rows = 5;
constexpr int Columns = 5;

// A window with a 5 x 5 grid of 58 x 22 buttons, the pointer over one of them.
class Keypad {
public:
    explicit Keypad(tallix::PointerProbe& probe) {
        window_.setGeometry(50, 50, Columns * 64 + 10, Rows * 28 + 10);
        for (int i = 0; i < Rows * Columns; ++i) {
            auto* button = new XPButton(&window_);
            button->setGeometry(5 + (i % Columns) * 64, 5 + (i / Columns) * 28, 58, 22);
            button->InitProperties();
            button->setPointerProbe(&probe);
            buttons_.push_back(button);
        }
        window_.show();
        QCursor::setPos(buttons_[12]->mapToGlobal(QPoint(29, 11)));
        QCoreApplication::processEvents();
    }

    void Tick() {
        for (XPButton* button : buttons_) {
            button->PollHover();
        }
    }

private:
    QWidget window_;
    std::vector<XPButton*> buttons_;
};

void BM_HoverTickDirectQueries(benchmark::State& state) {
    tallix::DirectPointerProbe direct;
    Keypad keypad(direct);
    for (auto _ : state) {
        keypad.Tick();
    }
}
BENCHMARK(BM_HoverTickDirectQueries)->Unit(benchmark::kMicrosecond);

void BM_HoverTickSharedQuery(benchmark::State& state) {
    tallix::DirectPointerProbe direct;
    tallix::SharedPointerProbe shared(direct);
    Keypad keypad(shared);
    for (auto _ : state) {
        shared.Invalidate(); // as after a pointer move: one real query per tick
        keypad.Tick();
    }
}
BENCHMARK(BM_HoverTickSharedQuery)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
