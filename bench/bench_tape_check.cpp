// The tape check of a 45-minute side: a recording made from the side by construction (1.5 % fast,
// 4 s of hiss before it, 2 dB low, two dropouts) compared with the side's program. The setup (making
// 90 minutes of sound) is not timed; the comparison is.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "core/tape_check.h"
#include "support/synthetic_side.h"

using namespace vantoli;

namespace {

struct Sides {
    SideProgram layout;
    CheckSignal program;
    CheckSignal recording;
};

const Sides& sides()
{
    static const Sides made = [] {
        Sides s;
        DubbingSettings settings;
        std::vector<std::int64_t> frames(12, (3 * 60 + 40) * SampleRate);
        s.layout = sideProgram(frames, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, true, settings);
        const test::SyntheticSide side(s.layout, 9u, 1);
        s.program = test::checkSignalOf(side.frames());
        const double seconds = static_cast<double>(s.layout.frames) / SampleRate / 1.015 + 6;
        std::vector<float> tape = test::recordingOf(side, s.layout.frames, static_cast<std::int64_t>(seconds * SampleRate),
                                                    [](double t) { return (t - 4.0) * 1.015; });
        std::mt19937 random(1);
        std::normal_distribution<float> hiss(0.0f, 0.0018f);
        for (std::size_t i = 0; i < tape.size(); ++i) {
            const double t = static_cast<double>(i) / SampleRate;
            const bool dropped = (t >= 600 && t < 600.08) || (t >= 1800 && t < 1800.03);
            tape[i] = tape[i] * 0.794f * (dropped ? 0.1f : 1.0f) + hiss(random);
        }
        s.recording = test::checkSignalOf(tape);
        return s;
    }();
    return made;
}

void BM_CheckFortyFiveMinuteSide(benchmark::State& state)
{
    const Sides& s = sides();
    for (auto _ : state) {
        auto result = checkTape(s.recording, s.program, s.layout);
        benchmark::DoNotOptimize(result);
        if (const auto* check = std::get_if<TapeCheck>(&result)) {
            state.counters["speedPercent"] = check->speedPercent;
            state.counters["dropouts"] = static_cast<double>(check->dropouts.size());
        } else {
            state.SkipWithError("the side was not found");
        }
    }
}
BENCHMARK(BM_CheckFortyFiveMinuteSide)->Unit(benchmark::kSecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
