// How often each planner reaches the shortest tape that can hold a disc at all.
//
//   plan_quality [discs] [seed]
//
// Random discs of 8 to 16 tracks of 2 to 7 minutes (3000 discs, seed 14 unless given), planned on the
// standard lineup with and without the 5-second gap: the shared planner keeping the order, the shared
// planner with its one exchange, and the exact planner. The shortest feasible tape is found here on
// its own, from the side-A times all splits can reach.
#include <bitset>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <random>
#include <vector>

#include "core/exact_planner.h"
#include "core/tape_lineup.h"
#include "core/tape_planner.h"

namespace {

using vantoli::GapSeconds;
using vantoli::Lineup;
using vantoli::TapePlan;

// The shortest tape of the lineup on which some split fits both sides, or none.
std::optional<int> shortestFeasible(const std::vector<int>& seconds, int gap, const Lineup& lineup)
{
    // Side A's weight: its seconds plus one gap per track; a side of m tracks uses that less one gap.
    std::bitset<16384> reach;
    reach[0] = true;
    int all = 0;
    for (int s : seconds) {
        reach |= reach << static_cast<std::size_t>(s + gap);
        all += s + gap;
    }
    for (const vantoli::Tape& tape : lineup) {
        const int lo = std::max(0, all - tape.sideCapacity - gap);
        const int hi = std::min(all, tape.sideCapacity + gap);
        for (int x = lo; x <= hi; ++x)
            if (reach[static_cast<std::size_t>(x)]) return tape.minutes;
    }
    return std::nullopt;
}

struct Tally {
    const char* name;
    int shortest = 0;       // discs planned on the shortest feasible tape
    int longer = 0;         // discs planned on a longer one
    int failed = 0;         // feasible discs the planner gave up on
    long extraMinutes = 0;  // summed over the longer plans
};

void count(Tally& tally, const std::optional<TapePlan>& plan, int best)
{
    if (!plan) {
        ++tally.failed;
    } else if (plan->tapeMinutes == best) {
        ++tally.shortest;
    } else {
        ++tally.longer;
        tally.extraMinutes += plan->tapeMinutes - best;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const int discs = argc > 1 ? std::atoi(argv[1]) : 3000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 14U;
    const Lineup& lineup = vantoli::standardLineup();

    std::printf("%d random discs of 8-16 tracks of 2-7 minutes, seed %u, standard lineup\n\n", discs, seed);
    for (const bool gap : {false, true}) {
        std::mt19937 random(seed);
        Tally inOrder{"PlanTape, CD order kept"};
        Tally exchange{"PlanTape, one exchange"};
        Tally exact{"exact planner"};
        int feasible = 0;
        double outOfPlace = 0;
        for (int d = 0; d < discs; ++d) {
            std::vector<int> seconds(std::uniform_int_distribution<int>(8, 16)(random));
            for (int& s : seconds) s = std::uniform_int_distribution<int>(120, 420)(random);
            const std::optional<int> best = shortestFeasible(seconds, gap ? GapSeconds : 0, lineup);
            if (!best) continue;
            ++feasible;
            count(inOrder, vantoli::PlanTape(seconds, {gap, true}, lineup), *best);
            count(exchange, vantoli::PlanTape(seconds, {gap, false}, lineup), *best);
            const std::optional<TapePlan> plan = vantoli::planExact(seconds, gap, lineup);
            count(exact, plan, *best);
            if (plan) {
                // Tracks out of place: the best single cut between the sides.
                int cost = static_cast<int>(plan->sideA.size());
                int least = cost;
                std::vector<bool> onA(seconds.size());
                for (int track : plan->sideA) onA[static_cast<std::size_t>(track - 1)] = true;
                for (const bool a : onA) least = std::min(least, cost += a ? -1 : 1);
                outOfPlace += least;
            }
        }
        std::printf("5-second gap %s: %d of %d discs fit some tape\n", gap ? "on" : "off", feasible, discs);
        std::printf("  %-26s %9s %8s %7s %14s\n", "planner", "shortest", "longer", "failed", "extra minutes");
        for (const Tally* t : {&inOrder, &exchange, &exact}) {
            std::printf("  %-26s %8.2f%% %7.2f%% %6.2f%% %14.2f\n", t->name, 100.0 * t->shortest / feasible,
                        100.0 * t->longer / feasible, 100.0 * t->failed / feasible,
                        t->longer ? double(t->extraMinutes) / t->longer : 0.0);
        }
        std::printf("  exact plans: %.2f tracks out of place on average\n\n", feasible ? outOfPlace / feasible : 0.0);
        if (exact.shortest != feasible) return 1;
    }
    return 0;
}
