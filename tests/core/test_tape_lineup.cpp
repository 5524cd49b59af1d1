#include <QtTest>

#include "core/exact_planner.h"
#include "core/tape_lineup.h"
#include "core/tape_planner.h"

using namespace vantoli;

Q_DECLARE_METATYPE(std::vector<int>)
Q_DECLARE_METATYPE(vantoli::Lineup)
Q_DECLARE_METATYPE(std::vector<vantoli::TapeChoice>)

namespace {

// The standard list with a change made to it.
template <typename Change>
std::vector<TapeChoice> standardWith(Change change)
{
    std::vector<TapeChoice> choices = standardTapeChoices();
    change(choices);
    return choices;
}

// The entry of the standard list for a length.
TapeChoice& entry(std::vector<TapeChoice>& choices, int minutes)
{
    return *std::find_if(choices.begin(), choices.end(), [&](const TapeChoice& c) { return c.minutes == minutes; });
}

}  // namespace

class TestTapeLineup : public QObject {
    Q_OBJECT
private slots:
    void standardLineupIsTheFourteenTapes()
    {
        const Lineup& lineup = standardLineup();
        QCOMPARE(lineup.size(), StandardTapeMinutes.size());
        QCOMPARE(lineup.front(), (Tape{10, 345}));
        QCOMPARE(lineup[4], (Tape{46, 1425}));
        QCOMPARE(lineup.back(), (Tape{100, 3045}));
        QVERIFY(isUsableLineup(lineup));
        // The length the walk's rules use is the nominal length for every standard tape.
        for (const Tape& tape : lineup) QCOMPARE(playingSeconds(tape), tape.minutes * 60LL);
    }

    // clang-format off
    void usableLineups_data()
    {
        QTest::addColumn<Lineup>("lineup");
        QTest::addColumn<bool>("usable");
        QTest::newRow("C-60 and C-90") << Lineup{{60, 1845}, {90, 2745}} << true;
        QTest::newRow("one measured C-120") << Lineup{{120, 3700}} << true;
        QTest::newRow("shortest and longest lengths") << Lineup{{1, 1}, {180, LargestSideCapacity}} << true;
        QTest::newRow("none") << Lineup{} << false;
        QTest::newRow("longest first") << Lineup{{90, 2745}, {60, 1845}} << false;
        QTest::newRow("a length twice") << Lineup{{60, 1845}, {60, 1900}} << false;
        QTest::newRow("longer tape, same capacity") << Lineup{{60, 1845}, {64, 1845}} << false;
        QTest::newRow("longer tape, less capacity") << Lineup{{60, 1900}, {64, 1800}} << false;
        QTest::newRow("no capacity") << Lineup{{60, 0}} << false;
        QTest::newRow("capacity over the largest") << Lineup{{180, LargestSideCapacity + 1}} << false;
        QTest::newRow("no minutes") << Lineup{{0, 100}} << false;
        QTest::newRow("181 minutes") << Lineup{{181, 5475}} << false;
    }
    // clang-format on
    void usableLineups()
    {
        QFETCH(Lineup, lineup);
        QTEST(isUsableLineup(lineup), "usable");
    }

    // The failure message names the longest tape of the lineup in use.
    // clang-format off
    void failureMessage_data()
    {
        QTest::addColumn<Lineup>("lineup");
        QTest::addColumn<QString>("second");
        QTest::newRow("standard") << standardLineup() << "100分以上のテープを使用する必要があるか、";
        QTest::newRow("C-46 and C-90") << Lineup{{46, 1425}, {90, 2745}} << "90分以上のテープを使用する必要があるか、";
        QTest::newRow("C-120") << Lineup{{120, 3645}} << "120分以上のテープを使用する必要があるか、";
    }
    // clang-format on
    void failureMessage()
    {
        QFETCH(Lineup, lineup);
        QFETCH(QString, second);
        const QStringList lines = QString::fromStdString(lineupFailureMessage(lineup).text).split('\r');
        QCOMPARE(lines, (QStringList{"正確な計算ができません。", second, "入力した値に誤りがあります。"}));
    }

    // Only the tapes of the lineup are used, and what a measured side holds.
    // clang-format off
    void plansWithTheLineup_data()
    {
        QTest::addColumn<Lineup>("lineup");
        QTest::addColumn<std::vector<int>>("tracks");
        QTest::addColumn<bool>("keepOrder");
        QTest::addColumn<int>("tape");  // 0: no tape of the lineup holds the tracks
        QTest::addColumn<std::vector<int>>("sideA");

        const std::vector<int> ten(10, 372);  // 62 minutes
        // A C-60 measured at 2000 s a side plays 3910 s by its capacity, more than the 3720 s of the
        // tracks; by its label it would be too short to start with.
        QTest::newRow("measured C-60 holds 62 minutes") << Lineup{{60, 2000}} << ten << true << 60
                                                        << std::vector<int>{1, 2, 3, 4, 5};
        QTest::newRow("C-60 by the label does not") << Lineup{{60, 1845}} << ten << true << 0 << std::vector<int>{};
        QTest::newRow("the next owned tape") << Lineup{{46, 1425}, {90, 2745}} << ten << true << 90
                                             << std::vector<int>{1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("longer than the longest") << Lineup{{46, 1425}, {90, 2745}} << std::vector<int>{2746} << true
                                                 << 0 << std::vector<int>{};
        // In order 1 2 | 3 4 5 needs 30 minutes. The tracks (1340 s) are shorter than two 700-second
        // sides, so the exchange is tried for the measured 20-minute tape: 2 for 4 leaves 668 and
        // 672 s. By the label (twice 645 s is 1290 s) it would not be tried.
        const std::vector<int> five{418, 327, 225, 250, 120};
        QTest::newRow("exchange for a measured C-20") << Lineup{{20, 700}, {30, 945}} << five << false << 20
                                                      << std::vector<int>{1, 4};
        QTest::newRow("no exchange for a C-20 by the label") << Lineup{{20, 645}, {30, 945}} << five << false << 30
                                                             << std::vector<int>{1, 2};
    }
    // clang-format on
    void plansWithTheLineup()
    {
        QFETCH(Lineup, lineup);
        QFETCH(std::vector<int>, tracks);
        QFETCH(bool, keepOrder);
        QFETCH(int, tape);
        const auto plan = PlanTape(tracks, {false, keepOrder}, lineup);
        QCOMPARE(plan.has_value(), tape != 0);
        if (!plan) return;
        QCOMPARE(plan->tapeMinutes, tape);
        QTEST(plan->sideA, "sideA");
        const auto chosen =
            std::find_if(lineup.begin(), lineup.end(), [&](const Tape& t) { return t.minutes == tape; });
        QCOMPARE(plan->sideCapacity, chosen->sideCapacity);
        QVERIFY(plan->sideATime <= plan->sideCapacity && plan->sideBTime <= plan->sideCapacity);
    }

    // clang-format off
    void checkTapeChoices_data()
    {
        QTest::addColumn<std::vector<TapeChoice>>("choices");
        QTest::addColumn<int>("index");   // -1: nothing wrong
        QTest::addColumn<QString>("text");

        QTest::newRow("standard") << standardTapeChoices() << -1 << QString();
        QTest::newRow("only C-60 and C-90 owned")
            << standardWith([](auto& c) { for (auto& t : c) t.owned = t.minutes == 60 || t.minutes == 90; })
            << -1 << QString();
        // Only the owned lengths must grow: an unowned C-64 may hold less than a measured C-60.
        QTest::newRow("measured C-60 beyond the unowned C-64")
            << standardWith([](auto& c) { entry(c, 60).sideCapacity = 2000; entry(c, 64).owned = false; })
            << -1 << QString();
        QTest::newRow("none owned")
            << standardWith([](auto& c) { for (auto& t : c) t.owned = false; })
            << 0 << "使うテープに 1 つ以上チェックを付けてください。";
        QTest::newRow("C-64 holds no more than C-60")
            << standardWith([](auto& c) { entry(c, 60).sideCapacity = 2000; })
            << 8 << "64分テープの片面の時間（1965 秒）を、60分テープ（2000 秒）より長くしてください。";
        QTest::newRow("equal to the next shorter owned tape")
            << standardWith([](auto& c) { entry(c, 54).owned = false; entry(c, 60).sideCapacity = 1545; })
            << 7 << "60分テープの片面の時間（1545 秒）を、50分テープ（1545 秒）より長くしてください。";
        QTest::newRow("no capacity")
            << standardWith([](auto& c) { entry(c, 46).sideCapacity = 0; entry(c, 46).owned = false; })
            << 4 << "46分テープの片面の時間は 1～9999 秒にしてください。";
        QTest::newRow("capacity too large")
            << standardWith([](auto& c) { entry(c, 100).sideCapacity = 10000; })
            << 13 << "100分テープの片面の時間は 1～9999 秒にしてください。";
        QTest::newRow("181 minutes")
            << std::vector<TapeChoice>{{60, 1845, true}, {181, 5475, true}}
            << 1 << "テープの長さは 1～180 分にしてください。";
        QTest::newRow("a length twice")
            << std::vector<TapeChoice>{{60, 1845, true}, {60, 1900, false}}
            << 1 << "60分テープが一覧の中で重なっているか、順序が違います。";
    }
    // clang-format on
    void checkTapeChoices()
    {
        QFETCH(std::vector<TapeChoice>, choices);
        QFETCH(int, index);
        QFETCH(QString, text);
        const auto problem = vantoli::checkTapeChoices(choices);
        QCOMPARE(problem.has_value(), index >= 0);
        if (!problem) {
            QVERIFY(isUsableLineup(lineupOf(choices)));
            return;
        }
        QCOMPARE(int(problem->index), index);
        QCOMPARE(QString::fromStdString(problem->message.text), text);
        QCOMPARE(QString::fromStdString(problem->message.title), QString("テープの種類"));
        QCOMPARE(problem->message.icon, MessageIcon::Exclamation);
    }

    void addTapeChoice()
    {
        std::vector<TapeChoice> choices = standardTapeChoices();
        QVERIFY(!vantoli::addTapeChoice(choices, 120));
        QVERIFY(!vantoli::addTapeChoice(choices, 45));
        QCOMPARE(choices.back(), (TapeChoice{120, 3645, true}));
        QCOMPARE(entry(choices, 45), (TapeChoice{45, 1395, true}));
        QCOMPARE(choices.size(), std::size_t(16));
        QVERIFY(std::is_sorted(choices.begin(), choices.end(), [](auto& a, auto& b) { return a.minutes < b.minutes; }));
        QVERIFY(isStandardLength(46) && !isStandardLength(45) && !isStandardLength(120));

        const std::vector<TapeChoice> before = choices;
        QCOMPARE(QString::fromStdString(vantoli::addTapeChoice(choices, 46)->text),
                 QString("46分テープはもう一覧にあります。"));
        QCOMPARE(QString::fromStdString(vantoli::addTapeChoice(choices, 0)->text),
                 QString("追加できるテープの長さは 1～180 分です。"));
        QVERIFY(vantoli::addTapeChoice(choices, 181).has_value());
        QCOMPARE(choices, before);
        QVERIFY(!vantoli::addTapeChoice(choices, 1));
        QVERIFY(!vantoli::addTapeChoice(choices, 180));
        QCOMPARE(choices.front().minutes, 1);
        QCOMPARE(choices.back(), (TapeChoice{180, 5445, true}));
    }

    void lineupOfTheOwnedTapes()
    {
        std::vector<TapeChoice> choices = standardTapeChoices();
        for (TapeChoice& c : choices) c.owned = c.minutes == 60 || c.minutes == 90;
        entry(choices, 90).sideCapacity = 2800;
        QCOMPARE(lineupOf(choices), (Lineup{{60, 1845}, {90, 2800}}));
        QCOMPARE(lineupOf(standardTapeChoices()), standardLineup());
    }

    // The exact planner picks the shortest owned tape, by what its sides hold.
    void exactPlanWithTheLineup()
    {
        const Lineup lineup{{46, 1425}, {60, 1900}, {90, 2745}};
        const auto plan = planExact(std::vector<int>(10, 372), false, lineup);
        QVERIFY(plan.has_value());
        QCOMPARE(plan->tapeMinutes, 60);
        QCOMPARE(plan->sideCapacity, 1900);
        QVERIFY(!planExact(std::vector<int>(11, 372), false, {{60, 2000}}));
    }
};

QTEST_APPLESS_MAIN(TestTapeLineup)
#include "test_tape_lineup.moc"
