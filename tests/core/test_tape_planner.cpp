#include <QtTest>

#include <algorithm>
#include <numeric>
#include <random>

#include "core/tape_lineup.h"
#include "core/tape_planner.h"

using namespace vantoli;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

int mmss(int minutes, int seconds) { return minutes * 60 + seconds; }

// The exchange search walked literally, one tolerance step at a time: the reference the planner's
// shortcut must agree with.
std::optional<TrackExchange> walkExchange(const std::vector<int>& t, const TapePlan& inOrder, int gap, int k)
{
    auto rank = [&](int first, int last) {
        std::vector<int> r;
        for (int s = first; s <= last; ++s) r.push_back(s);
        // exchange sort: neighbours change places only when the earlier is strictly longer
        for (int p = 0; p + 1 < int(r.size()); ++p)
            for (int q = 0; q + 1 < int(r.size()) - p; ++q)
                if (t[r[q]] > t[r[q + 1]]) std::swap(r[q], r[q + 1]);
        return r;
    };
    const std::vector<int> a = rank(0, inOrder.lastA);
    const std::vector<int> b = rank(inOrder.lastA + 1, inOrder.lastB);
    const int blankA = inOrder.lastA >= 0 ? inOrder.lastA * gap : 0;
    const int blankB = inOrder.lastB >= inOrder.lastA + 1 ? (inOrder.lastB - inOrder.lastA - 1) * gap : 0;
    const int s = StandardTapeMinutes[k - 1] * 30 + 45;
    const int usedA = inOrder.sideATime + blankA;
    const int usedB = inOrder.sideBTime + blankB;
    int diff = usedA - usedB;
    if (diff > 0) {
        const int over = usedA - s, room = s - usedB, half = diff / 2;
        if (over > room) return std::nullopt;
        for (int tol = 5; tol <= half - over; tol += 5)
            for (int i = int(a.size()) - 1; i >= 0; --i)
                for (int j = 0; j < int(b.size()); ++j) {
                    const int d = t[a[i]] - t[b[j]];
                    if (half - tol <= d && d <= half + tol && over <= d && d <= room) return TrackExchange{a[i], b[j]};
                }
    } else {
        diff = -diff;
        const int over = usedB - s, room = s - usedA, half = diff / 2;
        if (over > room) return std::nullopt;
        for (int tol = 5; tol <= half - over; tol += 5)
            for (int j = int(b.size()) - 1; j >= 0; --j)
                for (int i = 0; i < int(a.size()); ++i) {
                    const int d = t[b[j]] - t[a[i]];
                    if (half - tol <= d && d <= half + tol && over <= d && d <= room) return TrackExchange{a[i], b[j]};
                }
    }
    return std::nullopt;
}

int indexOf(int minutes) { return int(std::find(StandardTapeMinutes.begin(), StandardTapeMinutes.end(), minutes) - StandardTapeMinutes.begin()); }

}  // namespace

class TestTapePlanner : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void plans_data()
    {
        QTest::addColumn<std::vector<int>>("tracks");
        QTest::addColumn<bool>("gap");
        QTest::addColumn<bool>("keepOrder");
        QTest::addColumn<int>("tape");
        QTest::addColumn<std::vector<int>>("sideA");
        QTest::addColumn<std::vector<int>>("sideB");
        QTest::addColumn<int>("timeA");
        QTest::addColumn<int>("timeB");
        QTest::addColumn<int>("blankA");
        QTest::addColumn<int>("blankB");

        QTest::newRow("no tracks") << std::vector<int>{} << true << false << 10 << std::vector<int>{}
                                   << std::vector<int>{} << 0 << 0 << 0 << 0;
        QTest::newRow("345 s fits side A of 10 min") << std::vector<int>{345} << true << true << 10
                                                     << std::vector<int>{1} << std::vector<int>{} << 345 << 0 << 0 << 0;
        QTest::newRow("346 s needs 20 min") << std::vector<int>{346} << true << true << 20 << std::vector<int>{1}
                                            << std::vector<int>{} << 346 << 0 << 0 << 0;
        QTest::newRow("six tracks with gap")
            << std::vector<int>{mmss(4, 31), mmss(3, 50), mmss(5, 12), mmss(4, 5), mmss(6, 0), mmss(3, 30)} << true
            << false << 30 << std::vector<int>{1, 2, 3} << std::vector<int>{4, 5, 6} << 813 << 815 << 10 << 10;
        const std::vector<int> five{mmss(3, 30), mmss(2, 30), mmss(5, 15), mmss(4, 35), mmss(5, 15)};
        QTest::newRow("keep order") << five << false << true << 30 << std::vector<int>{1, 2, 3}
                                    << std::vector<int>{4, 5} << 675 << 590 << 0 << 0;
        QTest::newRow("exchange, side A longer") << five << false << false << 20 << std::vector<int>{1, 2, 4}
                                                 << std::vector<int>{3, 5} << 635 << 630 << 0 << 0;
        QTest::newRow("exchange, side B longer")
            << std::vector<int>{mmss(2, 20), mmss(2, 55), mmss(5, 5), mmss(5, 30), mmss(5, 25)} << false << false << 20
            << std::vector<int>{1, 2, 5} << std::vector<int>{3, 4} << 640 << 635 << 0 << 0;
        QTest::newRow("zero-second track is placed") << std::vector<int>{60, 0, 120} << true << true << 10
                                                     << std::vector<int>{1, 2, 3} << std::vector<int>{} << 180 << 0 << 10
                                                     << 0;
        // 21 tracks of 3 minutes: on 70 minutes A takes 11 and B 10; the exchange search finds nothing.
        QTest::newRow("21 x 3 min, no gap") << std::vector<int>(21, 180) << false << false << 70
                                            << [] { std::vector<int> v(11); std::iota(v.begin(), v.end(), 1); return v; }()
                                            << [] { std::vector<int> v(10); std::iota(v.begin(), v.end(), 12); return v; }()
                                            << 1980 << 1800 << 0 << 0;
        QTest::newRow("21 x 3 min, gap") << std::vector<int>(21, 180) << true << false << 70
                                         << [] { std::vector<int> v(11); std::iota(v.begin(), v.end(), 1); return v; }()
                                         << [] { std::vector<int> v(10); std::iota(v.begin(), v.end(), 12); return v; }()
                                         << 1980 << 1800 << 50 << 45;
        QTest::newRow("long disc with exchange")
            << std::vector<int>{171, 154, 152, 291, 104, 117, 168, 205, 214, 163, 115, 111, 145, 172, 194, 235, 246, 133,
                                123, 192, 135}
            << true << false << 60 << std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 19}
            << std::vector<int>{9, 12, 13, 14, 15, 16, 17, 18, 20, 21} << 1763 << 1777 << 50 << 45;
    }
    // clang-format on
    void plans()
    {
        QFETCH(std::vector<int>, tracks);
        QFETCH(bool, gap);
        QFETCH(bool, keepOrder);
        const auto plan = PlanTape(tracks, {gap, keepOrder});
        QVERIFY(plan.has_value());
        QTEST(plan->tapeMinutes, "tape");
        QTEST(plan->sideA, "sideA");
        QTEST(plan->sideB, "sideB");
        QTEST(plan->sideATime, "timeA");
        QTEST(plan->sideBTime, "timeB");
        QTEST(plan->sideABlank, "blankA");
        QTEST(plan->sideBBlank, "blankB");
        QCOMPARE(plan->totalBlank, plan->sideABlank + plan->sideBBlank);
    }

    void exchangeRecordsTheSlotsAndTheInOrderSplit()
    {
        const std::vector<int> five{mmss(3, 30), mmss(2, 30), mmss(5, 15), mmss(4, 35), mmss(5, 15)};
        const auto plan = PlanTape(five, {false, false});
        QCOMPARE(plan->exchange, std::optional<TrackExchange>(TrackExchange{2, 3}));
        QCOMPARE(plan->lastA, 2);
        QCOMPARE(plan->lastB, 4);
    }

    void exchangeThatReachesTheCapacityKeepsTheLongerTape()
    {
        // In order on 30 min; the exchange leaves side A at 645 s, exactly the 20-minute side.
        const std::vector<int> tracks{298, 373, 188, 222, 159};
        const auto plan = PlanTape(tracks, {false, false});
        QVERIFY(plan.has_value());
        QVERIFY(plan->exchange.has_value());
        QCOMPARE(plan->tapeMinutes, 30);
        QCOMPARE(plan->sideATime, sideCapacity(20));
        QCOMPARE(plan->sideBTime, 595);
    }

    // clang-format off
    void lineupFailures_data()
    {
        QTest::addColumn<std::vector<int>>("tracks");
        QTest::newRow("100 minutes in total") << std::vector<int>{3000, 3000};
        QTest::newRow("one track longer than a 100-minute side") << std::vector<int>{3046};
        QTest::newRow("twenty 80-minute tracks") << std::vector<int>(20, 4800);
    }
    // clang-format on
    void lineupFailures()
    {
        QFETCH(std::vector<int>, tracks);
        QVERIFY(!PlanTape(tracks, {true, true}).has_value());
        QVERIFY(!PlanTape(tracks, {false, false}).has_value());
    }

    void totalJustBelowHundredMinutesIsTried()
    {
        const auto plan = PlanTape({2999, 3000}, {false, true});
        QVERIFY(plan.has_value());
        QCOMPARE(plan->tapeMinutes, 100);
    }

    void lineupFailureMessage_()
    {
        const Message m = lineupFailureMessage();
        QCOMPARE(QString::fromStdString(m.title), QString("テープのラインナップ"));
        QCOMPARE(
            QString::fromStdString(m.text),
            QString(
                "正確な計算ができません。\r100分以上のテープを使用する必要があるか、\r入力した値に誤りがあります。"));
        QCOMPARE(m.icon, MessageIcon::Exclamation);
    }

    void sideALimitOnLongLists()
    {
        // Many short tracks: side A stops after 20, side B takes the rest.
        const auto plan = PlanTape(std::vector<int>(99, 30), {false, true});
        QVERIFY(plan.has_value());
        QCOMPARE(plan->sideA.size(), std::size_t(20));
        QCOMPARE(plan->sideB.size(), std::size_t(79));
    }

    // Invariants over random track lists, and the exchange against the step-by-step walk.
    void randomPlans()
    {
        std::mt19937 random(20261207);
        int exchanges = 0, plans = 0;
        for (int run = 0; run < 4000; ++run) {
            const int count = std::uniform_int_distribution<int>(0, run % 4 == 3 ? 99 : 20)(random);
            const int longest = std::uniform_int_distribution<int>(1, 700)(random);
            std::vector<int> t(count);
            for (int& s : t) s = std::uniform_int_distribution<int>(0, longest)(random);
            const long total = std::accumulate(t.begin(), t.end(), 0L);
            for (const bool gap : {false, true})
                for (const bool keepOrder : {false, true}) {
                    const auto plan = PlanTape(t, {gap, keepOrder});
                    if (!plan) {
                        // Only a disc too long for every tape fails.
                        QVERIFY(total >= 6000 || *std::max_element(t.begin(), t.end()) > sideCapacity(100) ||
                                PlanTape(t, {gap, true}) == std::nullopt);
                        continue;
                    }
                    ++plans;
                    std::vector<int> placed = plan->sideA;
                    placed.insert(placed.end(), plan->sideB.begin(), plan->sideB.end());
                    std::sort(placed.begin(), placed.end());
                    std::vector<int> all(count);
                    std::iota(all.begin(), all.end(), 1);
                    QCOMPARE(placed, all);
                    QVERIFY(plan->sideA.size() <= std::size_t(SideATrackLimit));

                    const int g = gap ? GapSeconds : 0;
                    auto timeOf = [&](const std::vector<int>& side) {
                        int sum = 0;
                        for (int n : side) sum += t[n - 1];
                        return sum;
                    };
                    QCOMPARE(plan->sideATime, timeOf(plan->sideA));
                    QCOMPARE(plan->sideBTime, timeOf(plan->sideB));
                    QCOMPARE(long(plan->sideATime + plan->sideBTime), total);
                    QCOMPARE(plan->sideABlank, plan->sideA.empty() ? 0 : int(plan->sideA.size() - 1) * g);
                    QCOMPARE(plan->sideBBlank, plan->sideB.empty() ? 0 : int(plan->sideB.size() - 1) * g);
                    const int capacity = sideCapacity(plan->tapeMinutes);
                    QVERIFY(plan->sideATime + plan->sideABlank <= capacity);
                    QVERIFY(plan->sideBTime + plan->sideBBlank <= capacity);

                    if (keepOrder) {
                        QVERIFY(!plan->exchange);
                        // No shorter tape admits an in-order split.
                        for (int k = 0; StandardTapeMinutes[k] < plan->tapeMinutes; ++k) {
                            const int c = sideCapacity(StandardTapeMinutes[k]);
                            int a = 0, used = 0, p = 0;
                            for (; p < std::min(count, SideATrackLimit) && used + t[p] + (p ? g : 0) <= c; ++p)
                                used += t[p] + (p ? g : 0);
                            for (a = p, used = 0; a < count; ++a) used += t[a] + (a > p ? g : 0);
                            QVERIFY2(used > c, "a shorter tape would have held the in-order split");
                        }
                    } else {
                        const auto inOrder = PlanTape(t, {gap, true});
                        const int k = indexOf(inOrder->tapeMinutes);
                        std::optional<TrackExchange> expected;
                        if (k > 0 && total < StandardTapeMinutes[k - 1] * 60 + 90) expected = walkExchange(t, *inOrder, g, k);
                        QCOMPARE(plan->exchange, expected);
                        if (expected)
                            ++exchanges;
                        else
                            QCOMPARE(*plan, *inOrder);
                    }
                }
        }
        // The random lists must actually exercise the exchange.
        QVERIFY2(exchanges > 200, qPrintable(QString::number(exchanges)));
        QVERIFY(plans > 10000);
    }
};

QTEST_APPLESS_MAIN(TestTapePlanner)
#include "test_tape_planner.moc"
