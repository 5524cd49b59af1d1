#include "core/tape_planner.h"
#include "core/language.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "core/tape_lineup.h"

namespace vantoli {

namespace {

constexpr int ToleranceStep = 5;

// The in-order split on one tape: side A takes tracks from the start while they fit (at most
// SideATrackLimit of them), side B takes all the rest.
struct InOrderSplit {
    int lastA = -1;  // side A holds slots 0..lastA
    int sumA = 0;
    int sumB = 0;
    bool sideBFits = false;
};

InOrderSplit splitInOrder(const std::vector<int>& t, int capacity, int gap)
{
    const int count = static_cast<int>(t.size());
    InOrderSplit split;
    const int limitA = std::min(count, SideATrackLimit);
    for (int p = 0; p < limitA; ++p) {
        // p tracks are already on side A, and so are p gaps.
        if (split.sumA + t[p] > capacity - p * gap) break;
        split.sumA += t[p];
        split.lastA = p;
    }
    for (int q = split.lastA + 1; q < count; ++q) {
        split.sumB += t[q];
        if (split.sumB > capacity - (q - split.lastA - 1) * gap) return split;
    }
    split.sideBFits = true;
    return split;
}

int blankOf(int trackCount, int gap) { return trackCount > 0 ? (trackCount - 1) * gap : 0; }

// Slots first..last ranked by time, shortest first; equal times keep their track order.
std::vector<int> rankByTime(const std::vector<int>& t, int first, int last)
{
    std::vector<int> order(std::max(0, last - first + 1));
    std::iota(order.begin(), order.end(), first);
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return t[x] < t[y]; });
    return order;
}

// The one-pair exchange search. The longer side gives its longest track first (among equal times
// the later track), the shorter side offers its shortest first (the earlier track); a pair is taken
// when the time it moves, d, lies within the tolerance of half the difference between the sides
// and between what the longer side has too much (over) and what the shorter side can take (room).
// The tolerance grows 5 s at a time from 5 s while it stays at most half - over, and the first pair of the
// smallest tolerance wins.
//
// Rather than walking the tolerances one by one, each pair's smallest admitting tolerance is worked
// out directly; the first pair, in search order, with the smallest such tolerance is exactly the
// pair the step-by-step walk finds first.
std::optional<TrackExchange> searchExchange(const std::vector<int>& t, const std::vector<int>& longer,
                                            const std::vector<int>& shorter, int difference, int over, int room,
                                            bool longerIsA)
{
    if (over > room) return std::nullopt;
    const int half = difference / 2;
    const int bound = half - over;  // largest tolerance tried
    if (bound < ToleranceStep) return std::nullopt;

    std::optional<TrackExchange> best;
    int bestTolerance = bound + 1;
    for (auto x = longer.rbegin(); x != longer.rend(); ++x) {
        for (int y : shorter) {
            const int d = t[*x] - t[y];
            if (d < over || d > room) continue;
            const int distance = std::abs(d - half);
            const int steps = std::max(1, (distance + ToleranceStep - 1) / ToleranceStep);
            const int tolerance = steps * ToleranceStep;
            if (tolerance < bestTolerance) {
                bestTolerance = tolerance;
                best = longerIsA ? TrackExchange{*x, y} : TrackExchange{y, *x};
                if (tolerance == ToleranceStep) return best;  // nothing can come before it
            }
        }
    }
    return best;
}

}  // namespace

std::optional<TapePlan> PlanTape(const std::vector<int>& t, PlanOptions options, const Lineup& lineup)
{
    if (!isUsableLineup(lineup)) return std::nullopt;
    const int gap = options.gap ? GapSeconds : 0;
    const long long total = std::accumulate(t.begin(), t.end(), 0LL);

    // Start two tapes below the first one longer than the total. For the standard lineup the playing
    // length is minutes × 60, and minutes × 60 > total is the same as minutes > total div 60.
    const auto first =
        std::find_if(lineup.begin(), lineup.end(), [&](const Tape& tape) { return playingSeconds(tape) > total; });
    if (first == lineup.end()) return std::nullopt;
    int k = std::max(0, static_cast<int>(first - lineup.begin()) - 2);

    // Lengthen the tape until side B fits too.
    InOrderSplit split;
    for (;; ++k) {
        if (k == static_cast<int>(lineup.size())) return std::nullopt;
        split = splitInOrder(t, lineup[k].sideCapacity, gap);
        if (split.sideBFits) break;
    }

    const int count = static_cast<int>(t.size());
    TapePlan plan;
    plan.tapeMinutes = lineup[k].minutes;
    plan.sideCapacity = lineup[k].sideCapacity;
    plan.lastA = split.lastA;
    plan.lastB = count - 1;
    plan.sideATime = split.sumA;
    plan.sideBTime = split.sumB;
    plan.sideABlank = blankOf(plan.lastA + 1, gap);
    plan.sideBBlank = blankOf(plan.lastB - plan.lastA, gap);
    plan.totalBlank = plan.sideABlank + plan.sideBBlank;
    for (int p = 0; p <= plan.lastA; ++p) plan.sideA.push_back(p + 1);
    for (int p = plan.lastA + 1; p <= plan.lastB; ++p) plan.sideB.push_back(p + 1);

    // One exchange may bring the plan down to the next shorter tape. It is tried only when the
    // tracks alone (gaps left out) are shorter than both sides of that tape together; for the
    // standard lineup twice the capacity is minutes × 60 + 90.
    if (options.keepOrder || k == 0 || total >= 2LL * lineup[k - 1].sideCapacity) return plan;

    const int small = lineup[k - 1].sideCapacity;
    const int usedA = plan.sideATime + plan.sideABlank;
    const int usedB = plan.sideBTime + plan.sideBBlank;
    const std::vector<int> rankA = rankByTime(t, 0, plan.lastA);
    const std::vector<int> rankB = rankByTime(t, plan.lastA + 1, plan.lastB);
    const std::optional<TrackExchange> exchange =
        usedA - usedB > 0 ? searchExchange(t, rankA, rankB, usedA - usedB, usedA - small, small - usedB, true)
                          : searchExchange(t, rankB, rankA, usedB - usedA, usedB - small, small - usedA, false);
    if (!exchange) return plan;

    const int outA = exchange->outgoingA;
    const int outB = exchange->outgoingB;
    plan.exchange = exchange;
    plan.sideATime += t[outB] - t[outA];
    plan.sideBTime += t[outA] - t[outB];
    plan.sideA.erase(std::find(plan.sideA.begin(), plan.sideA.end(), outA + 1));
    plan.sideA.push_back(outB + 1);
    plan.sideB.erase(std::find(plan.sideB.begin(), plan.sideB.end(), outB + 1));
    plan.sideB.insert(plan.sideB.begin(), outA + 1);
    // A side that reaches the shorter tape's capacity exactly keeps the longer tape.
    if (plan.sideATime + plan.sideABlank < small && plan.sideBTime + plan.sideBBlank < small) {
        plan.tapeMinutes = lineup[k - 1].minutes;
        plan.sideCapacity = small;
    }
    return plan;
}

Message lineupFailureMessage(const Lineup& lineup)
{
    const int longest = lineup.empty() ? standardLineup().back().minutes : lineup.back().minutes;
    return {_("テープのラインナップ"),
            fill(_("正確な計算ができません。\r%1分以上のテープを使用する必要があるか、\r入力した値に誤りがあります。"),
                 {std::to_string(longest)}),
            MessageIcon::Exclamation};
}

}  // namespace vantoli
