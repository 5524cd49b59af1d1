#include "core/long_disc_plan.h"

#include <numeric>

namespace vantoli {

std::optional<LongDiscPlan> planLongDisc(const std::vector<int>& trackSeconds, PlanOptions options,
                                         std::int32_t trackCount)
{
    std::optional<TapePlan> plan = PlanTape(trackSeconds, options);
    if (!plan) return std::nullopt;
    // A plan only succeeds below 100 minutes in total, so the sum fits an int.
    const long long total = std::accumulate(trackSeconds.begin(), trackSeconds.end(), 0LL);
    return LongDiscPlan{trackCount, static_cast<int>(total), std::move(*plan)};
}

}  // namespace vantoli
