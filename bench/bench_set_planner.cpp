// Several tapes: a box set of 300 tracks in 30 albums onto C90s and the rest of the standard lineup
// (goal: under 50 ms a plan), and a worst case of many short tracks, where a side holds a hundred.
#include <benchmark/benchmark.h>

#include <random>
#include <variant>

#include "core/set_planner.h"

namespace {

std::vector<std::vector<int>> boxSet(int albums, int tracksPerAlbum, int shortest, int longest, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::vector<int>> set(albums, std::vector<int>(tracksPerAlbum));
    for (auto& album : set)
        for (int& seconds : album) seconds = std::uniform_int_distribution<int>(shortest, longest)(random);
    return set;
}

void plan(benchmark::State& state, const std::vector<std::vector<int>>& albums)
{
    for (auto _ : state) {
        auto planned = vantoli::planSet(albums, true);
        if (!std::holds_alternative<vantoli::SetPlan>(planned)) {
            state.SkipWithError("no plan");
            break;
        }
        benchmark::DoNotOptimize(planned);
    }
}

// 30 albums of 10 tracks of 2 to 7 minutes: some 22 hours of music.
void BM_BoxSet300(benchmark::State& state) { plan(state, boxSet(30, 10, 120, 420, static_cast<unsigned>(state.range(0)))); }
BENCHMARK(BM_BoxSet300)->ArgName("set")->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

// 300 tracks of 10 to 40 seconds (a playlist of jingles): the longest sides there are to try.
void BM_ShortTracks300(benchmark::State& state) { plan(state, boxSet(30, 10, 10, 40, 7)); }
BENCHMARK(BM_ShortTracks300)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
