// The Run command's computation: read 20 entries and plan them with the exchange search running.
#include <benchmark/benchmark.h>

#include "core/entry_reading.h"
#include "core/tape_planner.h"

namespace {

void BM_RunComputation(benchmark::State& state)
{
    // Twenty tracks (71 min 23 s) that split in order onto the 74-minute tape; the total is below
    // 70 min + 90 s, so the exchange search runs, and it finds no pair: every pair is tried.
    const vantoli::EntryTexts entries{"331", "402", "259", "517", "344", "236", "458", "312", "405", "227",
                                      "349", "301", "422", "238", "356", "413", "245", "332", "407", "209"};
    for (auto _ : state) {
        auto times = vantoli::ReadTrackTimes(entries);
        auto plan = vantoli::PlanTape(std::get<vantoli::TrackTimes>(times).seconds, {false, false});
        benchmark::DoNotOptimize(plan);
    }
}
BENCHMARK(BM_RunComputation);

}  // namespace

BENCHMARK_MAIN();
