// The long-disc computation after the lengths are read: plan a 99-track disc and write its report.
#include <benchmark/benchmark.h>

#include "core/long_disc_plan.h"
#include "core/plan_report.h"

namespace {

// 99 short tracks; one long track of side B is exchanged with side A's shortest, so the exchange
// search runs to a result and the report lists all 99 numbers.
std::vector<int> ninetyNineTracks()
{
    std::vector<int> seconds;
    for (int i = 0; i < 20; ++i) seconds.push_back(28 + i * 3 % 5);
    for (int i = 20; i < 99; ++i) seconds.push_back(18 + i * 7 % 5);
    seconds[57] = 400;
    return seconds;
}

void BM_LongDiscPlanAndReport(benchmark::State& state)
{
    const std::vector<int> seconds = ninetyNineTracks();
    const vantoli::PlanOptions options{state.range(0) != 0, state.range(1) != 0};
    for (auto _ : state) {
        auto plan = vantoli::planLongDisc(seconds, options, 99);
        if (!plan) {
            state.SkipWithError("no plan");
            break;
        }
        std::string text = vantoli::PlanReportText(*plan);
        benchmark::DoNotOptimize(text);
    }
}
// {gap, keep order}: the exchange (list layout) and the in-order plan (range layout).
BENCHMARK(BM_LongDiscPlanAndReport)->ArgNames({"gap", "keepOrder"})->Args({0, 0})->Args({1, 0})->Args({0, 1});

}  // namespace

BENCHMARK_MAIN();
