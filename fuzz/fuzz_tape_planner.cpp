// Arbitrary track lists, options and lineups: every plan of either planner must place each track
// exactly once, keep each side within the chosen tape, and add up to the disc's total; the exact
// planner keeps each side in disc order and never needs a longer tape than the shared planner.
//
// Input: a flag byte (bit 0 gap, bit 1 keep order, bit 2 a lineup of the input's own), then with bit 2
// a count byte and two bytes per tape (length, capacity offset), then two bytes per track.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <vector>

#include "core/exact_planner.h"
#include "core/tape_lineup.h"
#include "core/tape_planner.h"

namespace {

void check(bool ok)
{
    if (!ok) std::abort();
}

// A lineup from the input: lengths of 1 to 180 minutes around the standard capacities. It may come
// out unusable (a capacity that does not grow), and then neither planner may plan with it.
vantoli::Lineup lineupOf(const std::uint8_t* data, std::size_t size, std::size_t& used)
{
    vantoli::Lineup lineup;
    if (used >= size) return lineup;
    const int count = 1 + data[used++] % 6;
    for (int i = 0; i < count && used + 1 < size; ++i, used += 2) {
        const int minutes = 1 + data[used] % vantoli::LongestTapeMinutes;
        const int capacity = vantoli::sideCapacity(minutes) + (static_cast<int>(data[used + 1]) - 128) * 2;
        lineup.push_back({minutes, std::clamp(capacity, 1, vantoli::LargestSideCapacity)});
    }
    std::sort(lineup.begin(), lineup.end(), [](const auto& a, const auto& b) { return a.minutes < b.minutes; });
    return lineup;
}

// Each track once, side A within its limit, each side within the plan's tape, times adding up.
void checkPlan(const vantoli::TapePlan& plan, const std::vector<int>& seconds, int gap, const vantoli::Lineup& lineup)
{
    std::vector<int> placed = plan.sideA;
    placed.insert(placed.end(), plan.sideB.begin(), plan.sideB.end());
    std::sort(placed.begin(), placed.end());
    check(placed.size() == seconds.size());
    for (std::size_t i = 0; i < placed.size(); ++i) check(placed[i] == static_cast<int>(i) + 1);
    check(plan.sideA.size() <= std::size_t(vantoli::SideATrackLimit));

    const auto tape =
        std::find_if(lineup.begin(), lineup.end(), [&](const auto& t) { return t.minutes == plan.tapeMinutes; });
    check(tape != lineup.end() && tape->sideCapacity == plan.sideCapacity);
    auto used = [&](const std::vector<int>& side) {
        int sum = 0;
        for (int track : side) sum += seconds[static_cast<std::size_t>(track - 1)];
        return side.empty() ? 0 : sum + static_cast<int>(side.size() - 1) * gap;
    };
    check(used(plan.sideA) == plan.sideATime + plan.sideABlank);
    check(used(plan.sideB) == plan.sideBTime + plan.sideBBlank);
    check(used(plan.sideA) <= plan.sideCapacity && used(plan.sideB) <= plan.sideCapacity);
    check(plan.sideATime + plan.sideBTime == std::accumulate(seconds.begin(), seconds.end(), 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const bool gap = data[0] & 1;
    const bool keepOrder = data[0] & 2;
    std::size_t used = 1;
    const vantoli::Lineup lineup = data[0] & 4 ? lineupOf(data, size, used) : vantoli::standardLineup();
    std::vector<int> seconds;
    for (std::size_t i = used; i + 1 < size && seconds.size() < 99; i += 2)
        seconds.push_back((data[i] | data[i + 1] << 8) % 4000);
    const int g = gap ? vantoli::GapSeconds : 0;
    const bool usable = vantoli::isUsableLineup(lineup);

    const auto plan = vantoli::PlanTape(seconds, {gap, keepOrder}, lineup);
    const auto exact = vantoli::planExact(seconds, gap, lineup);
    if (!usable) {
        check(!plan && !exact);
        return 0;
    }
    if (plan) {
        checkPlan(*plan, seconds, g, lineup);
        if (keepOrder) check(!plan->exchange && !plan->exact);
        // The exact planner holds whatever the shared planner holds, on a tape no longer.
        check(exact.has_value() && exact->tapeMinutes <= plan->tapeMinutes);
    }
    if (exact) {
        checkPlan(*exact, seconds, g, lineup);
        check(exact->exact && !exact->exchange);
        check(std::is_sorted(exact->sideA.begin(), exact->sideA.end()));
        check(std::is_sorted(exact->sideB.begin(), exact->sideB.end()));
    }
    // The options choose between the two.
    check(vantoli::planTracks(seconds, {gap, keepOrder, true}, lineup) == (keepOrder ? plan : exact));
    return 0;
}
