#include <QtTest>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/label_content.h"
#include "core/tape_planner.h"
#include "support/sample_discs.h"

using namespace vantoli;

namespace {

PlanOptions options(bool gap, bool keepOrder)
{
    PlanOptions o;
    o.gap = gap;
    o.keepOrder = keepOrder;
    return o;
}

// A plan made by the real planner, as the main window keeps it.
MadePlan made(const std::vector<int>& seconds, PlanOptions o, TrackList titles = {})
{
    const std::optional<TapePlan> plan = PlanTape(seconds, o);
    if (!plan) qFatal("the sample must plan");
    return MadePlan{*plan, seconds, o.gap ? 5 : 0, std::move(titles)};
}

TrackList titled(std::vector<std::string> titles, std::string album = {}, std::string artist = {})
{
    TrackList list;
    list.album = std::move(album);
    list.artist = std::move(artist);
    for (std::string& title : titles) list.tracks.push_back(Track{0, std::move(title), {}, {}});
    return list;
}

QList<int> numbers(const LabelSide& side)
{
    QList<int> list;
    for (const LabelTrack& track : side.tracks) list << track.number;
    return list;
}

QList<int> starts(const LabelSide& side)
{
    QList<int> list;
    for (const LabelTrack& track : side.tracks) list << track.start;
    return list;
}

QList<int> counters(const LabelSide& side)
{
    QList<int> list;
    for (const LabelTrack& track : side.tracks) list << track.counter.value_or(-1);
    return list;
}

QStringList titles(const LabelSide& side)
{
    QStringList list;
    for (const LabelTrack& track : side.tracks) list << QString::fromStdString(track.title);
    return list;
}

const std::vector<int> SixTracks{271, 230, 312, 245, 360, 210};  // 4:31 3:50 5:12 4:05 6:00 3:30

}  // namespace

class TestLabelContent : public QObject {
    Q_OBJECT
private slots:
    // A tape whose side the user measured: the label counts what is left of that side.
    void measuredTape()
    {
        const Lineup measured{{30, 1000}};
        const auto plan = PlanTape(SixTracks, options(true, true), measured);
        QVERIFY(plan.has_value());
        const LabelContent label = labelContent(MadePlan{*plan, SixTracks, GapSeconds, {}});
        QCOMPARE(label.tapeMinutes, 30);
        QCOMPARE(label.sideCapacity, 1000);
        QCOMPARE(label.sideA.left, 1000 - label.sideA.playing);
        QCOMPARE(label.sideB.left, 1000 - label.sideB.playing);
    }

    void sixTracksWithGaps()
    {
        const LabelContent label =
            labelContent(made(SixTracks, options(true, true),
                              titled({"夜明け", "海へ", "風の歌", "街角", "星屑", "帰り道"}, "アルバム", "歌手")));
        QCOMPARE(label.tapeMinutes, 30);
        QCOMPARE(label.sideCapacity, 30 * 30 + 45);
        QCOMPARE(numbers(label.sideA), (QList<int>{1, 2, 3}));
        QCOMPARE(numbers(label.sideB), (QList<int>{4, 5, 6}));
        // Each start counts the tracks before it and a 5 s gap after each of them.
        QCOMPARE(starts(label.sideA), (QList<int>{0, 276, 511}));
        QCOMPARE(starts(label.sideB), (QList<int>{0, 250, 615}));
        QCOMPARE(label.sideA.tracks[2].seconds, 312);
        QCOMPARE(label.sideA.playing, 813 + 10);
        QCOMPARE(label.sideB.playing, 815 + 10);
        QCOMPARE(label.sideA.left, 945 - 823);
        QCOMPARE(label.sideB.left, 945 - 825);
        QCOMPARE(titles(label.sideA), (QStringList{"夜明け", "海へ", "風の歌"}));
        QCOMPARE(titles(label.sideB), (QStringList{"街角", "星屑", "帰り道"}));
        QCOMPARE(label.title, std::string("アルバム"));
        QCOMPARE(label.artist, std::string("歌手"));
        QVERIFY(label.note.empty());
    }

    void exchangedTracksInRecordingOrder()
    {
        // Track 3 and track 4 change sides and the 20-minute tape will do.
        const LabelContent label = labelContent(made({210, 150, 315, 275, 315}, options(false, false)));
        QCOMPARE(label.tapeMinutes, 20);
        QCOMPARE(numbers(label.sideA), (QList<int>{1, 2, 4}));
        QCOMPARE(numbers(label.sideB), (QList<int>{3, 5}));
        QCOMPARE(starts(label.sideA), (QList<int>{0, 210, 360}));
        QCOMPARE(starts(label.sideB), (QList<int>{0, 315}));
        QCOMPARE(label.sideA.playing, 635);
        QCOMPARE(label.sideB.playing, 630);
        QCOMPARE(label.sideA.left, 645 - 635);
        QCOMPARE(label.sideB.left, 645 - 630);
    }

    void longDiscSideB()
    {
        const LabelContent label = labelContent(made(test::RangeExampleSeconds, options(true, false)));
        QCOMPARE(label.tapeMinutes, 90);
        QCOMPARE(label.sideB.tracks.size(), std::size_t(13));
        QCOMPARE(label.sideB.tracks.front().number, 12);
        QCOMPARE(label.sideB.tracks.back().number, 24);
        QCOMPARE(label.sideB.playing, 2517 + 60);
        QCOMPARE(label.sideB.tracks.back().start, 2517 + 60 - 201);
        QCOMPARE(label.sideB.left, 90 * 30 + 45 - 2577);
    }

    void titlesMissingOrShort()
    {
        const LabelContent none = labelContent(made(SixTracks, options(true, true)));
        QCOMPARE(titles(none.sideA), (QStringList{"", "", ""}));
        QVERIFY(none.title.empty() && none.artist.empty());

        const LabelContent shorter =
            labelContent(made(SixTracks, options(true, true), titled({"一", "二", "三", "四"})));
        QCOMPARE(titles(shorter.sideB), (QStringList{"四", "", ""}));
    }

    void emptyPlan()
    {
        const LabelContent label = labelContent(made({}, options(true, true)));
        QCOMPARE(label.tapeMinutes, 10);
        QVERIFY(label.sideA.tracks.empty() && label.sideB.tracks.empty());
        QCOMPARE(label.sideA.playing, 0);
        QCOMPARE(label.sideA.left, 345);
        QCOMPARE(label.sideB.left, 345);
    }

    void oddInputStaysInRange()
    {
        // A plan that names tracks the lengths do not hold, negative lengths and sums beyond an int.
        MadePlan odd;
        odd.plan.tapeMinutes = 46;
        odd.plan.sideA = {0, 1, 2, 99, -3};
        odd.plan.sideB = {3, 4};
        odd.trackSeconds = {-40, 100, std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
        odd.gap = 5;
        const LabelContent label = labelContent(odd);
        QCOMPARE(label.sideA.tracks[0].seconds, 0);
        QCOMPARE(label.sideA.tracks[1].seconds, 0);
        QCOMPARE(label.sideA.tracks[2].seconds, 100);
        QCOMPARE(label.sideA.tracks[3].seconds, 0);
        QCOMPARE(starts(label.sideA), (QList<int>{0, 5, 10, 115, 120}));
        QCOMPARE(label.sideA.playing, 120);
        QCOMPARE(label.sideB.tracks[1].start, std::numeric_limits<int>::max());
        QCOMPARE(label.sideB.playing, std::numeric_limits<int>::max());
        QCOMPARE(label.sideB.left, std::numeric_limits<int>::min());
    }

    void sameTracksKeepTypedTitles()
    {
        const LabelContent before =
            labelContent(made(SixTracks, options(true, true), titled({"夜明け", "海へ"}, "盤", "人")));
        LabelContent typed = before;
        typed.sideA.tracks[0].title = "夜明け（ライブ）";
        typed.sideA.tracks[2].title = "三曲目";
        typed.title = "ドライブ用";
        typed.artist = "いろいろ";
        typed.note = "TYPE II, Dolby B";

        // The same tracks planned without the gap: the start times change, the tracks stay the same.
        LabelContent fresh =
            labelContent(made(SixTracks, options(false, true), titled({"夜明け", "海へ"}, "盤", "人")));
        keepTypedTexts(fresh, before, typed);
        QCOMPARE(fresh.sideA.tracks[0].title, std::string("夜明け（ライブ）"));
        QCOMPARE(fresh.sideA.tracks[1].title, std::string("海へ"));
        QCOMPARE(fresh.sideA.tracks[2].title, std::string("三曲目"));
        QCOMPARE(fresh.title, std::string("ドライブ用"));
        QCOMPARE(fresh.artist, std::string("いろいろ"));
        QCOMPARE(fresh.note, std::string("TYPE II, Dolby B"));
    }

    void trackMovedToTheOtherSideKeepsItsTitle()
    {
        const LabelContent before = labelContent(made({210, 150, 315, 275, 315}, options(false, true)));
        QCOMPARE(numbers(before.sideA), (QList<int>{1, 2, 3}));
        LabelContent typed = before;
        typed.sideA.tracks[2].title = "三番";
        LabelContent fresh = labelContent(made({210, 150, 315, 275, 315}, options(false, false)));
        QCOMPARE(numbers(fresh.sideB), (QList<int>{3, 5}));
        keepTypedTexts(fresh, before, typed);
        QCOMPARE(fresh.sideB.tracks[0].title, std::string("三番"));
    }

    void otherTracksTakeTheirOwnTitles()
    {
        const LabelContent before =
            labelContent(made(SixTracks, options(true, true), titled({"一", "二"}, "盤A", "人")));
        LabelContent typed = before;
        typed.sideA.tracks[0].title = "書いた題";
        typed.sideA.tracks[1].title = "書いた題2";
        typed.title = "書いたタイトル";
        typed.artist = "書いた人";

        // Track 1 has a new length, track 2 a new title from the source, and the album is another.
        std::vector<int> seconds = SixTracks;
        seconds[0] = 272;
        LabelContent fresh = labelContent(made(seconds, options(true, true), titled({"一", "弐"}, "盤B", "人")));
        keepTypedTexts(fresh, before, typed);
        QCOMPARE(fresh.sideA.tracks[0].title, std::string("一"));
        QCOMPARE(fresh.sideA.tracks[1].title, std::string("弐"));
        QCOMPARE(fresh.title, std::string("盤B"));
        QCOMPARE(fresh.artist, std::string("書いた人"));
    }

    // Readings of a counter whose time is t = θ + 0.0005·θ² give each track its count at its start
    // on its own side (√(1 + 0.002·t) − 1) / 0.001, rounded; without a calibration there are none.
    void counterReadingsAtTheStarts()
    {
        LabelContent label = labelContent(made(SixTracks, options(true, true)));
        QCOMPARE(counters(label.sideA), (QList<int>{-1, -1, -1}));
        const std::optional<CounterCalibration> calibration =
            calibrateCounter(CounterReading{220, 200}, CounterReading{1500, 1000});
        QVERIFY(calibration.has_value());
        fillCounterReadings(label, calibration);
        // Starts 0, 276 and 511 s on side A; 0, 250 and 615 s on side B.
        QCOMPARE(counters(label.sideA), (QList<int>{0, 246, 422}));
        QCOMPARE(counters(label.sideB), (QList<int>{0, 225, 493}));
        fillCounterReadings(label, std::nullopt);
        QCOMPARE(counters(label.sideA), (QList<int>{-1, -1, -1}));
        QCOMPARE(counters(label.sideB), (QList<int>{-1, -1, -1}));
    }

    void placeInASet_data()
    {
        QTest::addColumn<int>("setTape");
        QTest::addColumn<int>("setTapes");
        QTest::addColumn<int>("labelTape");
        QTest::addColumn<int>("labelTapes");
        QTest::addColumn<QString>("text");
        QTest::newRow("second of three") << 2 << 3 << 2 << 3 << "2/3";
        QTest::newRow("last of twelve") << 12 << 12 << 12 << 12 << "12/12";
        QTest::newRow("a lone tape") << 0 << 0 << 0 << 0 << "";
        QTest::newRow("a set of one") << 1 << 1 << 0 << 0 << "";
        QTest::newRow("past the set") << 4 << 3 << 0 << 0 << "";
        QTest::newRow("before the set") << 0 << 3 << 0 << 0 << "";
        QTest::newRow("below zero") << -1 << 3 << 0 << 0 << "";
    }
    void placeInASet()
    {
        QFETCH(int, setTape);
        QFETCH(int, setTapes);
        QFETCH(int, labelTape);
        QFETCH(int, labelTapes);
        QFETCH(QString, text);
        MadePlan plan = made(SixTracks, options(true, true));
        plan.setTape = setTape;
        plan.setTapes = setTapes;
        const LabelContent label = labelContent(plan);
        QCOMPARE(label.setTape, labelTape);
        QCOMPARE(label.setTapes, labelTapes);
        QCOMPARE(QString::fromStdString(setPlaceText(label)), text);
    }

    // clang-format off
    void timeText_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0 << "0:00";
        QTest::newRow("five seconds") << 5 << "0:05";
        QTest::newRow("4:31") << 271 << "4:31";
        QTest::newRow("ten seconds") << 70 << "1:10";
        QTest::newRow("no hours") << 3785 << "63:05";
        QTest::newRow("below zero") << -5 << "-0:05";
        QTest::newRow("below a minute") << -65 << "-1:05";
        QTest::newRow("smallest int") << std::numeric_limits<int>::min() << "-35791394:08";
    }
    // clang-format on
    void timeText()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(labelTimeText(seconds)), text);
    }
};

QTEST_APPLESS_MAIN(TestLabelContent)
#include "test_label_content.moc"
