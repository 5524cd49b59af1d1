#include <QtTest>

#include <random>
#include <variant>

#include "core/set_planner.h"
#include "core/tape_lineup.h"

using namespace vantoli;

Q_DECLARE_METATYPE(std::vector<std::vector<int>>)

namespace {

using Albums = std::vector<std::vector<int>>;

// A side as the tests write it: the tracks it holds, each "album.track" (0-based).
using SideTracks = std::vector<std::pair<int, int>>;

SideTracks tracksOf(const SetSide& side)
{
    SideTracks tracks;
    for (const SetTrackPlace& place : side.tracks) tracks.emplace_back(place.album, place.track);
    return tracks;
}

struct Cost {
    int tapes = 0, sideSplits = 0, tapeSplits = 0, minutes = 0;
    auto operator<=>(const Cost&) const = default;
};

struct Flat {
    int album, track, seconds;
};

std::vector<Flat> flatten(const Albums& albums)
{
    std::vector<Flat> flat;
    for (int a = 0; a < int(albums.size()); ++a)
        for (int t = 0; t < int(albums[a].size()); ++t) flat.push_back({a, t, albums[a][t]});
    return flat;
}

// The cost of the plan that starts side number sideOf[p] (0 = tape 1 side A, 1 = its side B, 2 = tape 2
// side A, ...) at track p, or nothing when a side does not fit any tape.
std::optional<Cost> costOf(const std::vector<Flat>& flat, const std::vector<int>& sideOf, bool gap, const Lineup& lineup)
{
    const int sides = sideOf.back() + 1;
    std::vector<long long> used(sides + 1, 0);
    std::vector<int> count(sides + 1, 0);
    for (std::size_t p = 0; p < flat.size(); ++p) {
        used[sideOf[p]] += flat[p].seconds + (count[sideOf[p]] > 0 && gap ? GapSeconds : 0);
        ++count[sideOf[p]];
    }
    Cost cost;
    cost.tapes = (sides + 1) / 2;
    for (int tape = 0; tape < cost.tapes; ++tape) {
        const long long longer = std::max(used[2 * tape], used[2 * tape + 1]);
        const auto holding = std::find_if(lineup.begin(), lineup.end(), [&](const Tape& t) { return t.sideCapacity >= longer; });
        if (holding == lineup.end()) return std::nullopt;
        cost.minutes += holding->minutes;
    }
    for (std::size_t p = 1; p < flat.size(); ++p) {
        if (sideOf[p] == sideOf[p - 1] || flat[p].album != flat[p - 1].album) continue;
        ++cost.sideSplits;
        if (sideOf[p] / 2 != sideOf[p - 1] / 2) ++cost.tapeSplits;
    }
    return cost;
}

// Every plan there is: before each track after the first, the side goes on, turns to the next side, or
// (from a side A) leaves side B blank and goes on to the next tape.
std::optional<Cost> cheapestByHand(const std::vector<Flat>& flat, bool gap, const Lineup& lineup)
{
    std::optional<Cost> best;
    std::vector<int> sideOf(flat.size(), 0);
    const auto walk = [&](auto&& self, std::size_t p) -> void {
        if (p == flat.size()) {
            const std::optional<Cost> cost = costOf(flat, sideOf, gap, lineup);
            if (cost && (!best || *cost < *best)) best = cost;
            return;
        }
        const int side = sideOf[p - 1];
        for (int step : {0, 1, 2}) {
            if (step == 2 && side % 2 == 1) continue;
            sideOf[p] = side + step;
            self(self, p + 1);
        }
    };
    if (!flat.empty()) walk(walk, 1);
    return best;
}

// The sides the planner gave, as sideOf for costOf, checking on the way that every track is placed
// once, in order, with the start and the side's time right.
std::vector<int> sidesOfPlan(const SetPlan& plan, const std::vector<Flat>& flat, bool gap)
{
    std::vector<int> sideOf;
    int side = 0;
    for (const SetTape& tape : plan.tapes) {
        for (const SetSide* s : {&tape.sideA, &tape.sideB}) {
            int start = 0;
            for (const SetTrackPlace& place : s->tracks) {
                const std::size_t p = sideOf.size();
                if (p >= flat.size() || place.album != flat[p].album || place.track != flat[p].track ||
                    place.seconds != flat[p].seconds || place.start != start)
                    return {};
                sideOf.push_back(side);
                start += place.seconds + (gap ? GapSeconds : 0);
            }
            if (!s->tracks.empty() && s->seconds != start - (gap ? GapSeconds : 0)) return {};
            ++side;
        }
        if (tape.sideA.tracks.empty()) return {};
    }
    return sideOf.size() == flat.size() ? sideOf : std::vector<int>{};
}

const Lineup SmallLineup{{10, 300}, {20, 480}, {30, 700}};

}  // namespace

class TestSetPlanner : public QObject {
    Q_OBJECT

private slots:
    // Sets small enough to solve by hand, on the standard lineup (a side of an N-minute tape holds
    // N × 30 + 45 s). Each row names the fault it would catch.
    void plansSetsSolvedByHand_data()
    {
        QTest::addColumn<Albums>("albums");
        QTest::addColumn<bool>("gap");
        QTest::addColumn<QList<int>>("minutes");                 // each tape's length
        QTest::addColumn<QList<QList<int>>>("sideCounts");       // tracks on A, B of each tape
        QTest::addColumn<int>("albumSplits");
        QTest::addColumn<int>("tapeSplits");

        // 900 + 5 + 900 + 5 + 935 = 2745 s is exactly a C90's side: a gap forgotten, or a side that
        // must be shorter than its capacity, splits the album; and splitting it would need only a C60,
        // which the fewest-splits rule forbids.
        QTest::newRow("an album that just fits a side stays whole")
            << Albums{{900, 900, 935}, {600}} << true << QList<int>{90} << QList<QList<int>>{{3, 1}} << 0 << 0;
        // 4 × 1200 s fills no single side; 2 + 2 fits a C80 (2445 s a side).
        QTest::newRow("an album that must cross a flip")
            << Albums{{1200, 1200, 1200, 1200}} << false << QList<int>{80} << QList<QList<int>>{{2, 2}} << 1 << 0;
        // 7000 s need two tapes. With the second album split across tapes (A: X, B: Y1-3, then Y4)
        // the count of splits is the same, so the blank side B lets Y cross at a flip instead.
        QTest::newRow("a blank side B keeps a split at the flip")
            << Albums{{1000, 1000, 1000}, {1000, 1000, 1000, 1000}} << false << QList<int>{100, 70}
            << QList<QList<int>>{{3, 0}, {2, 2}} << 1 << 0;
        // One album of 7 × 1000 s must cross a tape. The cheapest ways (a C100 of 3 + 3 and a C40 of
        // 1, or the other way round) tie; the earlier sides are the fuller.
        QTest::newRow("an album that must cross tapes")
            << Albums{{1000, 1000, 1000, 1000, 1000, 1000, 1000}} << false << QList<int>{100, 40}
            << QList<QList<int>>{{3, 3}, {1, 0}} << 2 << 1;
        // Two short albums: one side each on a C20 is less tape than both on one side of a C40.
        QTest::newRow("the shortest tape for both sides")
            << Albums{{620}, {620}} << true << QList<int>{20} << QList<QList<int>>{{1, 1}} << 0 << 0;
        // Albums keep their order and empty ones are passed over.
        QTest::newRow("an empty album in between")
            << Albums{{300}, {}, {300}} << false << QList<int>{10} << QList<QList<int>>{{1, 1}} << 0 << 0;
    }
    void plansSetsSolvedByHand()
    {
        QFETCH(Albums, albums);
        QFETCH(bool, gap);
        QFETCH(QList<int>, minutes);
        QFETCH(QList<QList<int>>, sideCounts);
        QFETCH(int, albumSplits);
        QFETCH(int, tapeSplits);

        const SetPlanResult result = planSet(albums, gap);
        const auto* plan = std::get_if<SetPlan>(&result);
        QVERIFY(plan);
        QList<int> gotMinutes;
        QList<QList<int>> gotCounts;
        int total = 0;
        for (const SetTape& tape : plan->tapes) {
            gotMinutes << tape.minutes;
            gotCounts << QList<int>{int(tape.sideA.tracks.size()), int(tape.sideB.tracks.size())};
            QCOMPARE(tape.sideCapacity, sideCapacity(tape.minutes));
            total += tape.minutes;
        }
        QCOMPARE(gotMinutes, minutes);
        QCOMPARE(gotCounts, sideCounts);
        QCOMPARE(plan->albumSplits, albumSplits);
        QCOMPARE(plan->tapeSplits, tapeSplits);
        QCOMPARE(plan->totalMinutes, total);
        QVERIFY(!sidesOfPlan(*plan, flatten(albums), gap).empty());
    }

    // Start times count the gaps before a track, and the side's time is the last track's end.
    void givesStartTimesWithTheGaps()
    {
        const SetPlanResult result = planSet({{900, 900, 935}, {600}}, true);
        const SetPlan& plan = std::get<SetPlan>(result);
        const SetSide& a = plan.tapes.at(0).sideA;
        QCOMPARE(a.tracks.at(0).start, 0);
        QCOMPARE(a.tracks.at(1).start, 905);
        QCOMPARE(a.tracks.at(2).start, 1810);
        QCOMPARE(a.seconds, 2745);
        QCOMPARE(plan.tapes.at(0).sideB.tracks.at(0).start, 0);
        QCOMPARE(tracksOf(plan.tapes.at(0).sideB), (SideTracks{{1, 0}}));
    }

    void refusesWhatNoTapeHolds_data()
    {
        QTest::addColumn<Albums>("albums");
        QTest::addColumn<int>("album");
        QTest::addColumn<int>("track");
        QTest::newRow("one second over a C100's side") << Albums{{300}, {200, 3046}} << 1 << 1;
        QTest::newRow("the first such track is named") << Albums{{4000}, {5000}} << 0 << 0;
    }
    void refusesWhatNoTapeHolds()
    {
        QFETCH(Albums, albums);
        QFETCH(int, album);
        QFETCH(int, track);
        const SetPlanResult result = planSet(albums, true);
        const auto* failure = std::get_if<TrackTooLong>(&result);
        QVERIFY(failure);
        QCOMPARE(failure->album, album);
        QCOMPARE(failure->track, track);
        QCOMPARE(failure->longestSide, 3045);
        const Message message = trackTooLongMessage(*failure, "", "");
        QVERIFY(QString::fromStdString(message.text).contains(QString::number(track + 1)));
    }

    void plansNothingFromNothing()
    {
        QVERIFY(std::holds_alternative<NothingToPlan>(planSet({}, true)));
        QVERIFY(std::holds_alternative<NothingToPlan>(planSet({{}, {}}, true)));
        QVERIFY(std::holds_alternative<NothingToPlan>(planSet({{100}}, true, Lineup{})));
    }

    // Random small sets against every plan there is: the planner's plan is a plan (every track once,
    // in order, sides that fit) and no plan costs less by the four rules.
    void matchesAnExhaustiveSearch()
    {
        std::mt19937 random(20261208);
        for (int round = 0; round < 600; ++round) {
            Albums albums(1 + random() % 3);
            for (auto& album : albums) {
                album.resize(random() % 4);
                for (int& seconds : album) seconds = 20 + int(random() % 320);
            }
            const bool gap = random() % 2;
            const std::vector<Flat> flat = flatten(albums);
            if (flat.size() > 9) continue;
            const SetPlanResult result = planSet(albums, gap, SmallLineup);
            const std::optional<Cost> cheapest = cheapestByHand(flat, gap, SmallLineup);
            if (flat.empty()) {
                QVERIFY(std::holds_alternative<NothingToPlan>(result));
                continue;
            }
            const auto* plan = std::get_if<SetPlan>(&result);
            QVERIFY2(plan, qPrintable(QString("round %1").arg(round)));
            QVERIFY(cheapest);
            const std::vector<int> sideOf = sidesOfPlan(*plan, flat, gap);
            QVERIFY2(!sideOf.empty(), qPrintable(QString("round %1: not a plan of the set").arg(round)));
            const std::optional<Cost> cost = costOf(flat, sideOf, gap, SmallLineup);
            QVERIFY(cost);
            QVERIFY2(*cost == *cheapest, qPrintable(QString("round %1").arg(round)));
            QCOMPARE(plan->albumSplits, cost->sideSplits);
            QCOMPARE(plan->tapeSplits, cost->tapeSplits);
            QCOMPARE(plan->totalMinutes, cost->minutes);
        }
    }

    // A tape of the set as a tape of its own: the tracks in order with the albums' titles, numbered
    // from 1 across both sides.
    void makesATapeOfTheSet()
    {
        const auto track = [](std::int64_t milliseconds, const char* title) {
            Track t;
            t.milliseconds = milliseconds;
            t.title = title;
            return t;
        };
        const TrackList first{"First", "Band", {track(300000, "a"), track(200000, "b")}};
        const TrackList second{"Second", "Other", {track(400000, "c")}};
        const SetPlan plan = std::get<SetPlan>(planSet({{300, 200}, {400}}, true));
        QCOMPARE(plan.tapes.size(), std::size_t(1));
        const TrackList tracks = tracksOfSetTape(plan.tapes[0], {first, second});
        QCOMPARE(tracks.album, std::string("First"));
        QCOMPARE(tracks.tracks.size(), std::size_t(3));
        QCOMPARE(tracks.tracks[2].title, std::string("c"));
        const TapePlan tape = tapePlanOfSetTape(plan.tapes[0], true);
        QCOMPARE(tape.sideA.size() + tape.sideB.size(), std::size_t(3));
        QCOMPARE(tape.sideA.front(), 1);
        QCOMPARE(tape.sideATime + tape.sideBTime, 900);
        QCOMPARE(tape.sideABlank + tape.sideBBlank, 5);
        QCOMPARE(tape.lastB, 2);
    }
};

QTEST_APPLESS_MAIN(TestSetPlanner)
#include "test_set_planner.moc"
