#include <QtTest>

#include <algorithm>
#include <bit>
#include <numeric>
#include <random>

#include "core/exact_planner.h"
#include "core/long_disc_plan.h"
#include "core/tape_lineup.h"
#include "core/tape_planner.h"

using namespace vantoli;

Q_DECLARE_METATYPE(std::vector<int>)
Q_DECLARE_METATYPE(vantoli::Lineup)

namespace {

int gapOf(bool gap) { return gap ? GapSeconds : 0; }

int usedTime(const std::vector<int>& t, const std::vector<int>& side, int gap)
{
    int used = 0;
    for (int track : side) used += t[track - 1];
    return side.empty() ? 0 : used + int(side.size() - 1) * gap;
}

// Tracks on the wrong side of the best single cut: side A before it, side B from it on.
int outOfPlace(const std::vector<bool>& onA)
{
    int cost = int(std::count(onA.begin(), onA.end(), true));  // cut before the first track
    int best = cost;
    for (bool a : onA) best = std::min(best, cost += a ? -1 : 1);
    return best;
}

std::vector<bool> sidesOf(const TapePlan& plan, int count)
{
    std::vector<bool> onA(count, false);
    for (int track : plan.sideA) onA[track - 1] = true;
    return onA;
}

// Every split tried, the plain way: the shortest tape that some split fits, and on it the split with
// the fewest tracks out of place, then the smallest side difference, then side A the longer, then
// side B for the later tracks (the smaller number when track p is bit p - 1).
struct Best {
    int tape = -1;
    std::uint32_t sideA = 0;  // bit p: track p + 1 on side A
    int sameCost = 0;         // splits on the tape with as few tracks out of place
    int sameKey = 0;          // those of them that the fixed rule had to settle
};

Best bruteForce(const std::vector<int>& t, int gap, const Lineup& lineup, int sideATracks)
{
    const int n = int(t.size());
    struct Split {
        int usedA, usedB, outOfPlace, difference;
    };
    std::vector<int> capacities;
    for (const Tape& tape : lineup) capacities.push_back(tape.sideCapacity);

    // Each split once: its sides, its tracks out of place, and the shortest tape it fits.
    std::vector<Split> splits(std::size_t(1) << n);
    int shortest = int(lineup.size());
    for (std::uint32_t mask = 0; mask < splits.size(); ++mask) {
        int sumA = 0, sumB = 0;
        int cost = std::popcount(mask);  // the cut before the first track
        int least = cost;
        for (int p = 0; p < n; ++p) {
            const bool onA = mask >> p & 1;
            (onA ? sumA : sumB) += t[p];
            least = std::min(least, cost += onA ? -1 : 1);
        }
        const int countA = std::popcount(mask);
        const int usedA = countA ? sumA + (countA - 1) * gap : 0;
        const int usedB = n - countA ? sumB + (n - countA - 1) * gap : 0;
        splits[mask] = {usedA, usedB, least, std::abs(usedA - usedB)};
        if (countA <= sideATracks) {
            const auto fits = std::lower_bound(capacities.begin(), capacities.end(), std::max(usedA, usedB));
            shortest = std::min(shortest, int(fits - capacities.begin()));
        }
    }
    if (shortest == int(lineup.size())) return {};

    auto onTape = [&](std::uint32_t mask) {
        return std::popcount(mask) <= sideATracks && splits[mask].usedA <= capacities[shortest] &&
               splits[mask].usedB <= capacities[shortest];
    };
    auto key = [&](std::uint32_t mask) {
        const Split& s = splits[mask];
        return std::tuple(s.outOfPlace, s.difference, -s.usedA);
    };
    Best best{shortest};
    bool found = false;
    for (std::uint32_t mask = 0; mask < splits.size(); ++mask)
        if (onTape(mask) && (!found || key(mask) < key(best.sideA))) {
            best.sideA = mask;
            found = true;
        }
    for (std::uint32_t mask = 0; mask < splits.size(); ++mask) {
        if (!onTape(mask) || splits[mask].outOfPlace != splits[best.sideA].outOfPlace) continue;
        ++best.sameCost;
        if (key(mask) == key(best.sideA)) ++best.sameKey;
    }
    return best;
}

// A lineup of one to six lengths with capacities near the standard ones, sometimes well above them.
Lineup randomLineup(std::mt19937& random)
{
    std::vector<int> minutes(std::uniform_int_distribution<int>(1, 6)(random));
    for (int& m : minutes) m = std::uniform_int_distribution<int>(1, LongestTapeMinutes)(random);
    std::sort(minutes.begin(), minutes.end());
    minutes.erase(std::unique(minutes.begin(), minutes.end()), minutes.end());
    Lineup lineup;
    for (int m : minutes) {
        int capacity = sideCapacity(m) + std::uniform_int_distribution<int>(-40, 200)(random);
        if (!lineup.empty()) capacity = std::max(capacity, lineup.back().sideCapacity + 1);
        lineup.push_back({m, std::clamp(capacity, 1, LargestSideCapacity)});
    }
    return lineup;
}

std::vector<int> randomTracks(std::mt19937& random, int count, int shortest, int longest)
{
    std::vector<int> t(count);
    for (int& s : t) s = std::uniform_int_distribution<int>(shortest, longest)(random);
    return t;
}

// What every plan must be: each track once, each side in disc order and within the tape, side A
// within its limit, times and blanks adding up.
void checkPlan(const std::vector<int>& t, const TapePlan& plan, int gap, const Lineup& lineup,
               int sideATracks = SideATrackLimit)
{
    const int n = int(t.size());
    QVERIFY(plan.exact);
    QVERIFY(!plan.exchange);
    QVERIFY(std::is_sorted(plan.sideA.begin(), plan.sideA.end()));
    QVERIFY(std::is_sorted(plan.sideB.begin(), plan.sideB.end()));
    std::vector<int> placed = plan.sideA;
    placed.insert(placed.end(), plan.sideB.begin(), plan.sideB.end());
    std::sort(placed.begin(), placed.end());
    std::vector<int> all(n);
    std::iota(all.begin(), all.end(), 1);
    QCOMPARE(placed, all);
    QVERIFY(plan.sideA.size() <= std::size_t(sideATracks));

    const auto tape =
        std::find_if(lineup.begin(), lineup.end(), [&](const Tape& x) { return x.minutes == plan.tapeMinutes; });
    QVERIFY(tape != lineup.end());
    QCOMPARE(plan.sideCapacity, tape->sideCapacity);
    QVERIFY(usedTime(t, plan.sideA, gap) <= plan.sideCapacity);
    QVERIFY(usedTime(t, plan.sideB, gap) <= plan.sideCapacity);
    QCOMPARE(plan.sideATime + plan.sideABlank, usedTime(t, plan.sideA, gap));
    QCOMPARE(plan.sideBTime + plan.sideBBlank, usedTime(t, plan.sideB, gap));
    QCOMPARE(plan.sideABlank, plan.sideA.empty() ? 0 : int(plan.sideA.size() - 1) * gap);
    QCOMPARE(plan.totalBlank, plan.sideABlank + plan.sideBBlank);
    QCOMPARE(plan.lastB, n - 1);

    // lastA is a best cut: it leaves exactly the plan's tracks out of place.
    const std::vector<bool> onA = sidesOf(plan, n);
    int misplaced = 0;
    for (int p = 0; p < n; ++p) misplaced += (p <= plan.lastA) != onA[p];
    QCOMPARE(misplaced, outOfPlace(onA));
}

}  // namespace

class TestExactPlanner : public QObject {
    Q_OBJECT
private slots:
    // Small cases worked by hand, one for each rule.
    // clang-format off
    void plans_data()
    {
        QTest::addColumn<std::vector<int>>("tracks");
        QTest::addColumn<bool>("gap");
        QTest::addColumn<int>("tape");
        QTest::addColumn<std::vector<int>>("sideA");
        QTest::addColumn<std::vector<int>>("sideB");

        QTest::newRow("no tracks") << std::vector<int>{} << true << 10 << std::vector<int>{} << std::vector<int>{};
        // Side A rather than side B takes the longer share.
        QTest::newRow("one track, on side A") << std::vector<int>{346} << true << 20 << std::vector<int>{1}
                                              << std::vector<int>{};
        // 1 3 | 2 and 2 | 1 3 both put one track out of place and differ by 100 s.
        QTest::newRow("the longer share on side A") << std::vector<int>{100, 300, 100} << false << 10
                                                    << std::vector<int>{2} << std::vector<int>{1, 3};
        // 20-minute sides hold 645 s: only {3:30, 5:15} + {2:30, 4:35, ...} splits fit, as the
        // exchange finds; the in-order cut needs 30 minutes.
        QTest::newRow("exchange example") << std::vector<int>{210, 150, 315, 275, 315} << false << 20
                                          << std::vector<int>{1, 2, 4} << std::vector<int>{3, 5};
        // In order the sides are 600 and 580 s; 1 3 | 2 4 would be even (590 each) but puts two
        // tracks out of place.
        QTest::newRow("in order beats even") << std::vector<int>{300, 300, 290, 290} << false << 20
                                             << std::vector<int>{1, 2} << std::vector<int>{3, 4};
        // The walk ends on 20 minutes with 1 | 2 3 4, and no exchange qualifies. On 10 minutes (345 s),
        // sides of 340 s
        // need one track out of place: 1 3 | 2 4, 1 4 | 2 3 and 2 3 | 1 4 are all even, and the later
        // tracks go to side B: track 4 on B rules out 1 4, track 2 on B picks 1 3 over 2 3.
        QTest::newRow("ties: later tracks on B") << std::vector<int>{330, 330, 10, 10} << false << 10
                                                 << std::vector<int>{1, 3} << std::vector<int>{2, 4};
        // The walk puts all three on side A of 20 minutes; 2 | 1 3 (313 | 300 s) fits 10 minutes.
        QTest::newRow("shorter than the walk") << std::vector<int>{129, 313, 171} << false << 10
                                               << std::vector<int>{2} << std::vector<int>{1, 3};
        // On 20 minutes (645 s) no split keeps the order; of those with one track out of place,
        // 1 4 | 2 3 5 is the evenest (604 | 596 s).
        QTest::newRow("the evenest of equals") << std::vector<int>{253, 113, 73, 351, 410} << false << 20
                                               << std::vector<int>{1, 4} << std::vector<int>{2, 3, 5};
    }
    // clang-format on
    void plans()
    {
        QFETCH(std::vector<int>, tracks);
        QFETCH(bool, gap);
        const auto plan = planExact(tracks, gap, standardLineup());
        QVERIFY(plan.has_value());
        QTEST(plan->tapeMinutes, "tape");
        QTEST(plan->sideA, "sideA");
        QTEST(plan->sideB, "sideB");
        checkPlan(tracks, *plan, gapOf(gap), standardLineup());
    }

    // The exact planner agrees with trying every split, on lists and lineups chosen to leave little
    // room, so that the later rules decide often. Side A's limit is lowered now and then so that it
    // binds, which also takes the programme that long discs use.
    void agreesWithEverySplit()
    {
        std::mt19937 random(14);
        int withTracksOutOfPlace = 0, decidedByDifference = 0, decidedByRule = 0, limited = 0, limitBinds = 0;
        for (int run = 0; run < 1600; ++run) {
            const int n = run % 200 == 0 ? 16 : std::uniform_int_distribution<int>(0, 12)(random);
            const bool gap = run / 4 % 2;
            // Few distinct lengths make many ties; a single tape just longer than half the tracks
            // leaves little room, so that tracks must move and the later rules decide.
            const bool coarse = run % 4 == 0 || run % 4 == 3;
            std::vector<int> t =
                coarse ? randomTracks(random, n, 1, run % 8 < 4 ? 2 : 4) : randomTracks(random, n, 0, 420);
            if (coarse)
                for (int& s : t) s *= 60;
            Lineup lineup = run % 4 == 2 ? randomLineup(random) : standardLineup();
            if (run % 4 == 0) {
                const int half = (std::accumulate(t.begin(), t.end(), 0) + std::max(0, n - 2) * gapOf(gap)) / 2;
                lineup = {{60, std::max(1, half + std::uniform_int_distribution<int>(0, 30)(random))}};
            }
            const int limit =
                run % 5 == 4 ? std::uniform_int_distribution<int>(1, std::max(1, n - 1))(random) : SideATrackLimit;
            const Best best = bruteForce(t, gapOf(gap), lineup, limit);
            const auto plan = detail::planExact(t, gap, lineup, limit);
            QCOMPARE(plan.has_value(), best.tape >= 0);
            if (!plan) continue;
            checkPlan(t, *plan, gapOf(gap), lineup, limit);
            if (limit < n) {
                ++limited;
                // The best split without the limit breaks it: the programme over track counts decides.
                const Best unlimited = bruteForce(t, gapOf(gap), lineup, SideATrackLimit);
                if (unlimited.tape == best.tape && std::popcount(unlimited.sideA) > limit) ++limitBinds;
            }
            QCOMPARE(plan->tapeMinutes, lineup[best.tape].minutes);
            std::uint32_t sideA = 0;
            for (int track : plan->sideA) sideA |= 1U << (track - 1);
            QCOMPARE(sideA, best.sideA);

            // How often each rule had work to do.
            std::vector<bool> onA(n);
            for (int p = 0; p < n; ++p) onA[p] = sideA >> p & 1;
            if (outOfPlace(onA) > 0) ++withTracksOutOfPlace;
            if (best.sameCost > best.sameKey) ++decidedByDifference;
            if (best.sameKey > 1) ++decidedByRule;
        }
        QVERIFY2(withTracksOutOfPlace > 100, qPrintable(QString::number(withTracksOutOfPlace)));
        QVERIFY2(decidedByDifference > 300, qPrintable(QString::number(decidedByDifference)));
        QVERIFY2(decidedByRule > 40, qPrintable(QString::number(decidedByRule)));
        QVERIFY2(limited > 150, qPrintable(QString::number(limited)));
        QVERIFY2(limitBinds > 50, qPrintable(QString::number(limitBinds)));
    }

    // Never a longer tape than the shared planner with the same gap, in order or with its exchange;
    // every plan it makes is a proper plan, also for long discs where side A's limit binds.
    void neverLongerThanPlanTape()
    {
        std::mt19937 random(20261214);
        int shorter = 0, compared = 0;
        for (int run = 0; run < 4000; ++run) {
            const bool longDisc = run % 20 == 19;
            const int n = std::uniform_int_distribution<int>(longDisc ? 21 : 0, longDisc ? 99 : 20)(random);
            const int longest = std::uniform_int_distribution<int>(1, longDisc ? 120 : 700)(random);
            const std::vector<int> t = randomTracks(random, n, 0, longest);
            const Lineup lineup = run % 3 == 0 ? randomLineup(random) : standardLineup();
            for (const bool gap : {false, true}) {
                const auto exact = planExact(t, gap, lineup);
                if (exact) checkPlan(t, *exact, gapOf(gap), lineup);
                for (const bool keepOrder : {false, true}) {
                    const auto shared = PlanTape(t, {gap, keepOrder}, lineup);
                    if (!shared) continue;
                    ++compared;
                    QVERIFY(exact.has_value());
                    QVERIFY(exact->tapeMinutes <= shared->tapeMinutes);
                    if (exact->tapeMinutes < shared->tapeMinutes) {
                        ++shorter;
                        continue;
                    }
                    // On the same tape the shared plan is one of the candidates, so it cannot win.
                    const auto key = [&](const TapePlan& p) {
                        const int difference =
                            std::abs(usedTime(t, p.sideA, gapOf(gap)) - usedTime(t, p.sideB, gapOf(gap)));
                        return std::pair(outOfPlace(sidesOf(p, n)), difference);
                    };
                    QVERIFY(key(*exact) <= key(*shared));
                }
            }
        }
        QVERIFY(compared > 10000);
        QVERIFY2(shorter > 200, qPrintable(QString::number(shorter)));
    }

    // The options choose the planner: exact only when asked for and the order is not kept.
    void planTracksChooses()
    {
        const std::vector<int> t{330, 330, 10, 10};
        QCOMPARE(planTracks(t, {false, false, true}, standardLineup()), planExact(t, false, standardLineup()));
        QCOMPARE(planTracks(t, {false, true, true}, standardLineup()), PlanTape(t, {false, true}));
        QCOMPARE(planTracks(t, {false, false, false}, standardLineup()), PlanTape(t, {false, false}));
        QCOMPARE(planTracks(t, {false, false, true}, standardLineup())->tapeMinutes, 10);
        QCOMPARE(planTracks(t, {false, false, false}, standardLineup())->tapeMinutes, 20);
    }

    // Side A never takes more than 20 tracks. 60 tracks of 50 s and two of 300 s (3600 s) would split
    // evenly with 26 tracks on side A; with at most 20, side A holds at most 18 short ones and both
    // long ones (1500 s), side B 2100 s, which needs 70 minutes. The walk fills side A with 20 short
    // tracks and ends on 90 minutes, and its exchange of one long track brings it to 80.
    void sideALimitBinds()
    {
        std::vector<int> t(60, 50);
        t.push_back(300);
        t.push_back(300);
        const auto plan = planExact(t, false, standardLineup());
        QVERIFY(plan.has_value());
        checkPlan(t, *plan, 0, standardLineup());
        QCOMPARE(plan->tapeMinutes, 70);
        std::vector<int> expected(18);
        std::iota(expected.begin(), expected.end(), 1);
        expected.insert(expected.end(), {61, 62});
        QCOMPARE(plan->sideA, expected);
        QCOMPARE(PlanTape(t, {false, false})->tapeMinutes, 80);
    }

    // A lineup that cannot be planned with gives no plan, whatever the tracks.
    // clang-format off
    void unusableLineups_data()
    {
        QTest::addColumn<Lineup>("lineup");
        QTest::newRow("empty") << Lineup{};
        QTest::newRow("longer tape holds less") << Lineup{{46, 1425}, {60, 1400}};
        QTest::newRow("same length twice") << Lineup{{60, 1845}, {60, 1900}};
        QTest::newRow("no capacity") << Lineup{{10, 0}};
        QTest::newRow("capacity too large") << Lineup{{120, LargestSideCapacity + 1}};
    }
    // clang-format on
    void unusableLineups()
    {
        QFETCH(Lineup, lineup);
        QVERIFY(!planExact({100, 200}, true, lineup));
        QVERIFY(!PlanTape({100, 200}, {true, false}, lineup));
    }

    // clang-format off
    void nothingFits_data()
    {
        QTest::addColumn<std::vector<int>>("tracks");
        QTest::addColumn<bool>("gap");
        QTest::newRow("one track longer than a 100-minute side") << std::vector<int>{3046} << false;
        QTest::newRow("both sides of 100 minutes and a second") << std::vector<int>{3045, 3045, 1} << false;
        QTest::newRow("the gap makes it too long") << std::vector<int>{3045, 3041, 1} << true;
        QTest::newRow("a broken drive's length") << std::vector<int>{2147483, 60} << false;
        QTest::newRow("negative length") << std::vector<int>{-1, 60} << false;
    }
    // clang-format on
    void nothingFits()
    {
        QFETCH(std::vector<int>, tracks);
        QFETCH(bool, gap);
        QVERIFY(!planExact(tracks, gap, standardLineup()).has_value());
    }

    // Up to 100 minutes and 90 s: the shared planner gives up at 100 whole minutes, the exact one
    // plans as long as two sides hold the tracks.
    void hundredMinutesStillFit()
    {
        const auto plan = planExact({3000, 3045}, false, standardLineup());
        QVERIFY(plan.has_value());
        QCOMPARE(plan->tapeMinutes, 100);
        QVERIFY(!PlanTape({3000, 3045}, {false, false}));
    }

    // A long disc in exact mode goes through the same report path.
    void longDiscPlan()
    {
        std::vector<int> t(30, 150);
        t[29] = 400;
        const auto disc = planLongDisc(t, {true, false, true}, 30);
        QVERIFY(disc.has_value());
        QVERIFY(disc->plan.exact);
        QCOMPARE(disc->trackCount, 30);
        QCOMPARE(disc->total, 29 * 150 + 400);
        checkPlan(t, disc->plan, GapSeconds, standardLineup());
        QVERIFY(!planLongDisc(t, {true, true, true}, 30)->plan.exact);
    }
};

QTEST_APPLESS_MAIN(TestExactPlanner)
#include "test_exact_planner.moc"
