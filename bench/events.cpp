// What one user event costs, in microseconds: a SetBars that changes all three bars (three
// complete refreshes), one tone-slider step, one grab tick with a real screen read, one
// gradient redraw. Runs on a private Xvfb so that the screen read is real.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCursor>
#include <cstdlib>

#include "platform/qt_services.h"
#include "window/form1.h"
#include "xsession.h"

using namespace swatchly;

namespace {

Form1* form = nullptr;

// The real pointer and pixel reads, with this window taken as the active one so that every
// tick samples.
struct ActiveProbe : QtScreenProbe {
    std::int64_t activeWindow() override { return 1; }
};

void SetBarsAllThree(benchmark::State& state) {
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        if (flip)
            form->SetBars(std::int16_t(10), std::int16_t(120), std::int16_t(240));
        else
            form->SetBars(std::int16_t(200), std::int16_t(30), std::int16_t(90));
    }
}
BENCHMARK(SetBarsAllThree)->Unit(benchmark::kMicrosecond);

void ToneStep(benchmark::State& state) {
    form->SetBars(std::int16_t(60), std::int16_t(120), std::int16_t(180));
    bool up = false;
    for (auto _ : state) {
        up = !up;
        form->TScroll->triggerAction(up ? QAbstractSlider::SliderSingleStepAdd
                                        : QAbstractSlider::SliderSingleStepSub);
    }
}
BENCHMARK(ToneStep)->Unit(benchmark::kMicrosecond);

void GrabTick(benchmark::State& state) {
    form->activetxt->setText("1");
    for (auto _ : state) form->Timer1_Timer();
}
BENCHMARK(GrabTick)->Unit(benchmark::kMicrosecond);

// The pointer moved since the last tick, over the labels left of the text boxes: the colour
// changes and, with the magnifier on (argument 1), the loupe moves and is drawn again.
void GrabTickMoving(benchmark::State& state) {
    form->activetxt->setText("1");
    form->magnifierAction->setChecked(state.range(0));
    const QPoint spots[] = {{40, 55}, {22, 40}, {38, 25}, {24, 55}};
    int i = 0;
    for (auto _ : state) {
        QCursor::setPos(form->centralWidget()->mapToGlobal(spots[i++ % 4]));
        form->Timer1_Timer();
        QCoreApplication::processEvents();
    }
    form->magnifierAction->setChecked(true);
}
BENCHMARK(GrabTickMoving)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void DrawGradient(benchmark::State& state) {
    form->DragR = QStringLiteral("12");
    form->DragG = QStringLiteral("200");
    form->DragB = QStringLiteral("77");
    form->GradientL_DragDrop();
    for (auto _ : state) form->DrawGradient();
}
BENCHMARK(DrawGradient)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    // scripts/bench runs this on a private desktop (tests/run-in-desktop x11).
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "no X server: run under tests/run-in-desktop x11\n");
        return 1;
    }
    XSession x;
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    Services services;
    services.probe = std::make_shared<ActiveProbe>();
    Form1 window(services);
    window.show();
    QCoreApplication::processEvents();
    form = &window;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
