// Arbitrary track lists and options: every plan must place each track exactly once, keep each side
// within the chosen tape, and add up to the disc's total.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "core/tape_lineup.h"
#include "core/tape_planner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const bool gap = data[0] & 1;
    const bool keepOrder = data[0] & 2;
    std::vector<int> seconds;
    for (std::size_t i = 1; i + 1 < size && seconds.size() < 99; i += 2)
        seconds.push_back((data[i] | data[i + 1] << 8) % 4000);

    const auto plan = vantoli::PlanTape(seconds, {gap, keepOrder});
    if (!plan) return 0;

    std::vector<int> placed = plan->sideA;
    placed.insert(placed.end(), plan->sideB.begin(), plan->sideB.end());
    std::sort(placed.begin(), placed.end());
    for (std::size_t i = 0; i < placed.size(); ++i)
        if (placed[i] != static_cast<int>(i) + 1) std::abort();
    if (placed.size() != seconds.size()) std::abort();
    if (plan->sideA.size() > std::size_t(vantoli::SideATrackLimit)) std::abort();

    const int capacity = vantoli::sideCapacity(plan->tapeMinutes);
    if (plan->sideATime + plan->sideABlank > capacity || plan->sideBTime + plan->sideBBlank > capacity) std::abort();
    if (plan->sideATime + plan->sideBTime != std::accumulate(seconds.begin(), seconds.end(), 0)) std::abort();
    if (keepOrder && plan->exchange) std::abort();
    return 0;
}
