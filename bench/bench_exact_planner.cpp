// The exact planner on the Run command's 20 tracks and on a long disc of 99.
#include <benchmark/benchmark.h>

#include <random>

#include "core/exact_planner.h"

namespace {

// Tracks of 2 to 7 minutes, the same every run.
std::vector<int> discOf(int count, int shortest, int longest, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<int> seconds(count);
    for (int& s : seconds) s = std::uniform_int_distribution<int>(shortest, longest)(random);
    return seconds;
}

void plan(benchmark::State& state, const std::vector<int>& seconds, bool gap)
{
    for (auto _ : state) {
        auto plan = vantoli::planExact(seconds, gap, vantoli::standardLineup());
        if (!plan) {
            state.SkipWithError("no plan");
            break;
        }
        benchmark::DoNotOptimize(plan);
    }
}

// Twenty tracks of 2 to 7 minutes (about 90 minutes): a full entry grid.
void BM_Exact20(benchmark::State& state)
{
    plan(state, discOf(20, 120, 420, static_cast<unsigned>(state.range(0))), state.range(1) != 0);
}
BENCHMARK(BM_Exact20)->ArgNames({"disc", "gap"})->ArgsProduct({{1, 2, 3}, {0, 1}});

// The first twenty entries of the Run command's benchmark: 71 min 23 s.
void BM_Exact20RunEntries(benchmark::State& state)
{
    const std::vector<int> seconds{211, 242, 179, 317, 224, 156, 298, 192, 245, 147,
                                   229, 181, 262, 158, 236, 253, 165, 212, 247, 129};
    plan(state, seconds, state.range(0) != 0);
}
BENCHMARK(BM_Exact20RunEntries)->ArgNames({"gap"})->Arg(0)->Arg(1);

// 99 tracks of 15 to 55 s (about 57 minutes): side A's limit of 20 tracks decides the tape, and side
// A takes the longest tracks wherever they are.
void BM_Exact99(benchmark::State& state)
{
    plan(state, discOf(99, 15, 55, static_cast<unsigned>(state.range(0))), state.range(1) != 0);
}
BENCHMARK(BM_Exact99)->ArgNames({"disc", "gap"})->ArgsProduct({{1, 2, 3}, {0, 1}});

// 99 tracks of 20 to 35 s (about 45 minutes).
void BM_Exact99Short(benchmark::State& state)
{
    plan(state, discOf(99, 20, 35, static_cast<unsigned>(state.range(0))), state.range(1) != 0);
}
BENCHMARK(BM_Exact99Short)->ArgNames({"disc", "gap"})->ArgsProduct({{1, 2, 3}, {0, 1}});

// A long disc of 30 tracks of 1 to 4 minutes (about 75 minutes), where side A's limit does not bind.
void BM_Exact30(benchmark::State& state)
{
    plan(state, discOf(30, 60, 240, static_cast<unsigned>(state.range(0))), state.range(1) != 0);
}
BENCHMARK(BM_Exact30)->ArgNames({"disc", "gap"})->ArgsProduct({{1, 2, 3}, {0, 1}});

}  // namespace

BENCHMARK_MAIN();
