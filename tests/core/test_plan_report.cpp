#include <QtTest>

#include "core/long_disc_plan.h"
#include "core/plan_report.h"
#include "support/sample_discs.h"

using namespace vantoli;
using namespace vantoli::test;

Q_DECLARE_METATYPE(vantoli::LongDiscPlan)

namespace {

// A plan as the report reads it: all tracks 1..lastB+1 on the disc, the total the sum of both sides.
LongDiscPlan planOf(int tape, int lastA, int lastB, int sumA, int sumB, int blankA, int blankB,
                    std::optional<TrackExchange> exchange = std::nullopt)
{
    LongDiscPlan p;
    p.trackCount = lastB + 1;
    p.total = sumA + sumB;
    p.plan.tapeMinutes = tape;
    p.plan.lastA = lastA;
    p.plan.lastB = lastB;
    p.plan.sideATime = sumA;
    p.plan.sideBTime = sumB;
    p.plan.sideABlank = blankA;
    p.plan.sideBBlank = blankB;
    p.plan.totalBlank = blankA + blankB;
    p.plan.exchange = exchange;
    return p;
}

// An exact plan: each side any tracks in disc order.
LongDiscPlan exactOf(int tape, std::vector<int> sideA, std::vector<int> sideB, int sumA, int sumB, int blankA,
                     int blankB)
{
    LongDiscPlan p = planOf(tape, -1, int(sideA.size() + sideB.size()) - 1, sumA, sumB, blankA, blankB);
    p.plan.exact = true;
    p.plan.sideA = std::move(sideA);
    p.plan.sideB = std::move(sideB);
    return p;
}

std::vector<int> tracks(int first, int last)
{
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n) numbers.push_back(n);
    return numbers;
}

}  // namespace

class TestPlanReport : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void workedExamples_data()
    {
        QTest::addColumn<std::vector<int>>("seconds");
        QTest::addColumn<QString>("report");
        QTest::newRow("24 tracks, ranges") << test::RangeExampleSeconds << QString::fromUtf8(test::RangeExampleReport);
        QTest::newRow("21 tracks, exchange") << test::ListExampleSeconds << QString::fromUtf8(test::ListExampleReport);
    }
    // clang-format on
    void workedExamples()
    {
        QFETCH(std::vector<int>, seconds);
        const auto plan = planLongDisc(seconds, {true, false}, std::int32_t(seconds.size()));
        QVERIFY(plan.has_value());
        QTEST(QString::fromUtf8(PlanReportText(*plan)), "report");
    }

    // clang-format off
    void layouts_data()
    {
        QTest::addColumn<LongDiscPlan>("plan");
        QTest::addColumn<QString>("report");

        QTest::newRow("ranges, track numbers below 10, no gap")
            << planOf(46, 3, 21, 1400, 1299, 0, 0)
            << reportHead(46, 22) + crlfLines({"トータル： 23:20,   ブランク：  0:00", "収録：  1 ～  4", "", "＜B面＞",
                                     "トータル： 21:39,   ブランク：  0:00", "収録：  5 ～ 22", "", "＜両面＞",
                                     "トータル： 44:59", "ブランク：  0:00"});
        QTest::newRow("ranges, side A of nine")
            << planOf(64, 8, 30, 1905, 1960, 40, 105)
            << reportHead(64, 31) + crlfLines({"トータル： 31:45,   ブランク：  0:40", "収録：  1 ～  9", "", "＜B面＞",
                                     "トータル： 32:40,   ブランク：  1:45", "収録： 10 ～ 31", "", "＜両面＞",
                                     "トータル： 64:25", "ブランク：  2:25"});
        QTest::newRow("B list of twenty numbers")
            << planOf(74, 10, 30, 2100, 2000, 50, 95, TrackExchange{3, 15})
            << reportHead(74, 31) + crlfLines({"トータル： 35:00", "ブランク：  0:50",
                                     "収録：  1， 2， 3， 5， 6， 7， 8， 9，10，11，", "        16", "",
                                     "＜B面＞", "トータル： 33:20", "ブランク：  1:35",
                                     "収録：  4，12，13，14，15，17，18，19，20，21，",
                                     "        22，23，24，25，26，27，28，29，30，31", "", "        ",
                                     "＜両面＞", "トータル：  68:20", "ブランク：   2:25"});
        QTest::newRow("B list of eleven numbers")
            << planOf(60, 10, 21, 1700, 1750, 50, 50, TrackExchange{0, 21})
            << reportHead(60, 22) + crlfLines({"トータル： 28:20", "ブランク：  0:50",
                                     "収録：  2， 3， 4， 5， 6， 7， 8， 9，10，11，", "        22", "",
                                     "＜B面＞", "トータル： 29:10", "ブランク：  0:50",
                                     "収録：  1，12，13，14，15，16，17，18，19，20，", "        21", "",
                                     "＜両面＞", "トータル：  57:30", "ブランク：   1:40"});
        QTest::newRow("outgoing A is the eleventh and last slot of side A")
            << planOf(60, 10, 22, 1800, 1790, 50, 55, TrackExchange{10, 14})
            << reportHead(60, 23) + crlfLines({"トータル： 30:00", "ブランク：  0:50",
                                     "収録：  1， 2， 3， 4， 5， 6， 7， 8， 9，10，", "        15", "",
                                     "＜B面＞", "トータル： 29:50", "ブランク：  0:55",
                                     "収録： 11，12，13，14，16，17，18，19，20，21，", "        22，23", "",
                                     "＜両面＞", "トータル：  59:50", "ブランク：   1:45"});
        QTest::newRow("outgoing A is the last of twenty slots")
            << planOf(54, 19, 40, 1600, 1590, 0, 0, TrackExchange{19, 25})
            << reportHead(54, 41) + crlfLines({"トータル： 26:40", "ブランク：  0:00",
                                     "収録：  1， 2， 3， 4， 5， 6， 7， 8， 9，10，11，",
                                     "        12，13，14，15，16，17，18，19，26", "", "＜B面＞", "トータル： 26:30",
                                     "ブランク：  0:00", "収録： 20，21，22，23，24，25，27，28，29，30，",
                                     "        31，32，33，34，35，36，37，38，39，40，", "        41", "", "＜両面＞",
                                     "トータル：  53:10", "ブランク：   0:00"});
        QTest::newRow("outgoing B is the last slot of side B")
            << planOf(50, 11, 20, 1540, 1500, 55, 40, TrackExchange{0, 20})
            << reportHead(50, 21) + crlfLines({"トータル： 25:40", "ブランク：  0:55",
                                     "収録：  2， 3， 4， 5， 6， 7， 8， 9，10，11，", "        12，21", "",
                                     "＜B面＞", "トータル： 25:00", "ブランク：  0:40",
                                     "収録：  1，13，14，15，16，17，18，19，20", "", "＜両面＞",
                                     "トータル：  50:40", "ブランク：   1:35"});
        QTest::newRow("side B held only the outgoing B")
            << planOf(90, 19, 20, 2700, 2650, 95, 0, TrackExchange{4, 20})
            << reportHead(90, 21) + crlfLines({"トータル： 45:00", "ブランク：  1:35",
                                     "収録：  1， 2， 3， 4， 6， 7， 8， 9，10，11，",
                                     "        12，13，14，15，16，17，18，19，20，21", "", "＜B面＞",
                                     "トータル： 44:10", "ブランク：  0:00", "収録：  5", "", "＜両面＞",
                                     "トータル：  89:10", "ブランク：   1:35"});
    }
    // clang-format on
    void layouts()
    {
        QFETCH(LongDiscPlan, plan);
        QTEST(QString::fromUtf8(PlanReportText(plan)), "report");
    }

    // An exact plan lists each side's own tracks, ten to a line; the other lines are those of the
    // exchange lists.
    // clang-format off
    void exactLayouts_data()
    {
        QTest::addColumn<LongDiscPlan>("plan");
        QTest::addColumn<QString>("report");

        std::vector<int> a = tracks(1, 9);
        a.insert(a.end(), {12, 14});
        std::vector<int> b{10, 11, 13};
        for (int n : tracks(15, 23)) b.push_back(n);
        QTest::newRow("eleven and twelve tracks")
            << exactOf(60, a, b, 1780, 1790, 50, 55)
            << reportHead(60, 23) + crlfLines({"トータル： 29:40", "ブランク：  0:50",
                                     "収録：  1， 2， 3， 4， 5， 6， 7， 8， 9，12，", "        14", "",
                                     "＜B面＞", "トータル： 29:50", "ブランク：  0:55",
                                     "収録： 10，11，13，15，16，17，18，19，20，21，", "        22，23", "",
                                     "＜両面＞", "トータル：  59:30", "ブランク：   1:45"});
        QTest::newRow("ten on side B: no empty line after them")
            << exactOf(54, tracks(1, 20), tracks(21, 30), 1600, 1620, 95, 45)
            << reportHead(54, 30) + crlfLines({"トータル： 26:40", "ブランク：  1:35",
                                     "収録：  1， 2， 3， 4， 5， 6， 7， 8， 9，10，",
                                     "        11，12，13，14，15，16，17，18，19，20", "",
                                     "＜B面＞", "トータル： 27:00", "ブランク：  0:45",
                                     "収録： 21，22，23，24，25，26，27，28，29，30", "",
                                     "＜両面＞", "トータル：  53:40", "ブランク：   2:20"});
        QTest::newRow("nothing on side A")
            << exactOf(10, {}, tracks(1, 21), 0, 0, 0, 0)
            << reportHead(10, 21) + crlfLines({"トータル：  0:00", "ブランク：  0:00", "収録： なし", "",
                                     "＜B面＞", "トータル：  0:00", "ブランク：  0:00",
                                     "収録：  1， 2， 3， 4， 5， 6， 7， 8， 9，10，",
                                     "        11，12，13，14，15，16，17，18，19，20，", "        21", "",
                                     "＜両面＞", "トータル：   0:00", "ブランク：   0:00"});
    }
    // clang-format on
    void exactLayouts()
    {
        QFETCH(LongDiscPlan, plan);
        QTEST(QString::fromUtf8(PlanReportText(plan)), "report");
    }

    // The exact planner's plan of a long disc reads back to the same sides and tape.
    void exactPlanOfADisc()
    {
        std::vector<int> seconds(24, 150);
        seconds[23] = 900;
        const auto disc = planLongDisc(seconds, {true, false, true}, 24);
        QVERIFY(disc.has_value());
        QVERIFY(disc->plan.exact);
        const QString text = QString::fromUtf8(PlanReportText(*disc));
        QVERIFY(text.contains(QString("使用するテープ： %1分テープ\r\n").arg(disc->plan.tapeMinutes)));
        QString listA;
        for (int n : disc->plan.sideA) listA += QString("%1，").arg(n, 2);
        listA.chop(1);
        QVERIFY2(text.simplified().remove(' ').contains(listA.remove(' ')), qPrintable(text));
    }

    // The track count is the one the drive reported, even where it differs from the tracks planned.
    void trackCountIsTheDrivesCount()
    {
        LongDiscPlan plan = planOf(60, 10, 20, 1700, 1700, 0, 0);
        plan.trackCount = 57;
        QVERIFY(QString::fromUtf8(PlanReportText(plan)).contains("\r\n総トラック数： 57\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestPlanReport)
#include "test_plan_report.moc"
