// The colour forms: writing and reading one colour in each form, and the proof that html, vb,
// rgb and css-rgb read back exactly for all 16,777,216 colours (css-hsl to the colour its rounded
// numbers name), timed.

#include "colour/forms.h"

#include <benchmark/benchmark.h>

using namespace swatchly;

namespace {

const Channels kOrange{255, 128, 0};

void Write(benchmark::State& state) {
    const ColourForm form = *ColourForm::make(ColourForm::names()[state.range(0)]);
    state.SetLabel(form.name().toStdString());
    for (auto _ : state) benchmark::DoNotOptimize(form.write(kOrange));
}
BENCHMARK(Write)->DenseRange(0, 4)->Unit(benchmark::kNanosecond);

void Read(benchmark::State& state) {
    const ColourForm form = *ColourForm::make(ColourForm::names()[state.range(0)]);
    const QString text = form.write(kOrange);
    state.SetLabel(form.name().toStdString());
    for (auto _ : state) benchmark::DoNotOptimize(readColour(text));
}
BENCHMARK(Read)->DenseRange(0, 4)->Unit(benchmark::kNanosecond);

// Every colour written and read back, once.
void RoundTripEveryColour(benchmark::State& state) {
    const ColourForm form = *ColourForm::make(ColourForm::names()[state.range(0)]);
    const bool lossy = form.name() == QLatin1String("css-hsl");
    state.SetLabel(form.name().toStdString());
    long wrong = 0;
    for (auto _ : state)
        for (std::int32_t packed = 0; packed <= 0xFFFFFF; ++packed) {
            const Channels c = unpack(packed);
            const Hsl hsl = lossy ? toHsl(c) : Hsl{};
            const Channels expected = lossy ? fromHsl(hsl.hue, hsl.saturation, hsl.lightness) : c;
            wrong += readColour(form.write(c)) != expected;
        }
    state.counters["wrong"] = double(wrong);
    if (wrong) state.SkipWithError("a colour did not read back");
}
BENCHMARK(RoundTripEveryColour)->DenseRange(0, 4)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
