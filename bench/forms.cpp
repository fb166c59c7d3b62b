// The colour forms, the name and the contrast: writing and reading one colour in each form, and
// the proof, form by form, that every one of the 16,777,216 colours reads back as itself, with
// the time per colour. The forms that cannot hold every colour say how far they are off: css-hsl
// and cmyk (whole numbers) by the largest channel error, name by reading back as the named
// colour.

#include "colour/forms.h"

#include <benchmark/benchmark.h>

#include "colour/contrast.h"
#include "colour/names.h"
#include "colour/vision.h"

using namespace swatchly;

namespace {

const Channels kOrange{255, 128, 0};
const int kForms = int(ColourForm::names().size());

ReadContext contextFor(const ColourForm& form) {
    return {form.name() == QLatin1String("decimal"), nullptr};
}

void Write(benchmark::State& state) {
    const ColourForm form = *ColourForm::make(ColourForm::names()[state.range(0)]);
    state.SetLabel(form.name().toStdString());
    for (auto _ : state) benchmark::DoNotOptimize(form.write(kOrange));
}
BENCHMARK(Write)->DenseRange(0, kForms - 1)->Unit(benchmark::kNanosecond);

void Read(benchmark::State& state) {
    const ColourForm form = *ColourForm::make(ColourForm::names()[state.range(0)]);
    const QString text = form.write(kOrange);
    state.SetLabel(form.name().toStdString() + " " + text.toStdString());
    for (auto _ : state) benchmark::DoNotOptimize(readColour(text, nullptr, contextFor(form)));
}
BENCHMARK(Read)->DenseRange(0, kForms - 1)->Unit(benchmark::kNanosecond);

// Colours spread over the cube, so that no branch is always taken.
Channels spread(std::int64_t i) {
    const std::uint32_t v = std::uint32_t(i) * 2654435761u >> 8;
    return unpack(std::int32_t(v & 0xFFFFFF));
}

void NearestName(benchmark::State& state) {
    std::int64_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(nearestName(spread(++i)));
}
BENCHMARK(NearestName)->Unit(benchmark::kNanosecond);

void ContrastOfAPair(benchmark::State& state) {
    std::int64_t i = 0;
    for (auto _ : state) {
        ++i;
        benchmark::DoNotOptimize(contrastRatio(spread(i), spread(i + 7)));
    }
}
BENCHMARK(ContrastOfAPair)->Unit(benchmark::kNanosecond);

void SeenWith(benchmark::State& state) {
    std::int64_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(seenWith(spread(++i), Deficiency::Deuteranopia));
}
BENCHMARK(SeenWith)->Unit(benchmark::kNanosecond);

// Every colour written and read back, once; the time is per colour.
void RoundTripEveryColour(benchmark::State& state) {
    const ColourForm form = *ColourForm::make(ColourForm::names()[state.range(0)]);
    const QString name = form.name();
    const bool byHsl = name == QLatin1String("css-hsl"), byName = name == QLatin1String("name");
    const bool nearly = name == QLatin1String("cmyk");
    const ReadContext context = contextFor(form);
    state.SetLabel(name.toStdString());
    long wrong = 0, unread = 0;
    int furthest = 0;
    for (auto _ : state)
        for (std::int32_t packed = 0; packed <= 0xFFFFFF; ++packed) {
            const Channels c = unpack(packed);
            const QString text = form.write(c);
            const std::optional<Channels> back = readColour(text, nullptr, context);
            if (!back) {
                ++unread;
                continue;
            }
            Channels expected = c;
            if (byHsl) {
                const Hsl hsl = toHsl(c);
                expected = fromHsl(hsl.hue, hsl.saturation, hsl.lightness);
            } else if (byName) {
                expected = *readColour(nearestName(c).name);
            }
            if (*back == expected) continue;
            ++wrong;
            furthest = std::max({furthest, std::abs(back->red - c.red),
                                 std::abs(back->green - c.green), std::abs(back->blue - c.blue)});
        }
    state.counters["wrong"] = double(wrong);
    state.counters["unread"] = double(unread);
    state.counters["furthest"] = furthest;
    state.SetItemsProcessed(state.iterations() * 0x1000000);
    if (unread || (wrong && !nearly)) state.SkipWithError("a colour did not read back");
}
BENCHMARK(RoundTripEveryColour)->DenseRange(0, kForms - 1)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
