#include "core/long_disc_plan.h"

#include <numeric>

#include "core/exact_planner.h"

namespace vantoli {

std::optional<LongDiscPlan> planLongDisc(const std::vector<int>& trackSeconds, PlanOptions options,
                                         std::int32_t trackCount, const Lineup& lineup)
{
    std::optional<TapePlan> plan = planTracks(trackSeconds, options, lineup);
    if (!plan) return std::nullopt;
    // A plan only succeeds when two sides of a tape hold the tracks, so the sum fits an int.
    const long long total = std::accumulate(trackSeconds.begin(), trackSeconds.end(), 0LL);
    return LongDiscPlan{trackCount, static_cast<int>(total), std::move(*plan)};
}

}  // namespace vantoli
