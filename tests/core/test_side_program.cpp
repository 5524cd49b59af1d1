#include <QtTest>

#include <cmath>

#include "core/side_program.h"

// Levels of blocks: loudness, how many.
using Levels = std::vector<std::pair<double, int>>;
Q_DECLARE_METATYPE(Levels)

using namespace vantoli;

class TestSideProgram : public QObject {
    Q_OBJECT
private slots:
    // Each segment must start where the one before ends; a program whose sum drifts from its segments
    // would put the dubbing clock and the rendered file out of step.
    void segmentsFollowEachOtherExactly_data()
    {
        QTest::addColumn<bool>("gap");
        QTest::addColumn<double>("toneSeconds");
        QTest::addColumn<double>("leadIn");
        QTest::addColumn<qint64>("frames");
        QTest::addColumn<int>("segments");
        // Three tracks of 1 s, 2 s and 0.5 s.
        QTest::newRow("gaps, default lead-in") << true << 0.0 << 2.0 << qint64((2 + 3.5 + 10) * 44100) << 6;
        QTest::newRow("no gaps, no lead-in") << false << 0.0 << 0.0 << qint64(3.5 * 44100) << 3;
        QTest::newRow("tone first") << true << 10.0 << 2.0 << qint64((10 + 2 + 3.5 + 10) * 44100) << 7;
        QTest::newRow("lead-in held at 30 s") << false << 0.0 << 99.0 << qint64((30 + 3.5) * 44100) << 4;
        QTest::newRow("negative lead-in is none") << false << 0.0 << -1.0 << qint64(3.5 * 44100) << 3;
    }
    void segmentsFollowEachOtherExactly()
    {
        QFETCH(bool, gap);
        QFETCH(double, toneSeconds);
        QFETCH(double, leadIn);
        QFETCH(qint64, frames);
        QFETCH(int, segments);
        DubbingSettings settings;
        settings.leadInSeconds = leadIn;
        settings.tone.seconds = toneSeconds;
        const SideProgram program = sideProgram({44100, 88200, 22050}, {4, 7, 9}, gap, settings);
        QCOMPARE(program.frames, frames);
        QCOMPARE(int(program.segments.size()), segments);
        std::int64_t at = 0;
        std::vector<int> numbers;
        for (const Segment& segment : program.segments) {
            QCOMPARE(segment.start, at);
            at += segment.frames;
            if (segment.kind == SegmentKind::Track) numbers.push_back(segment.track);
            if (segment.kind == SegmentKind::Gap) QCOMPARE(segment.frames, 5 * SampleRate);
        }
        QCOMPARE(at, program.frames);
        QCOMPARE(numbers, (std::vector<int>{4, 7, 9}));
    }

    void segmentAtFindsTheBoundaries()
    {
        DubbingSettings settings;  // 2 s lead-in
        const SideProgram program = sideProgram({100, 0, 50}, {1, 2, 3}, false, settings);
        const std::int64_t leadIn = 2 * SampleRate;
        QCOMPARE(segmentAt(program, 0)->kind, SegmentKind::LeadIn);
        QCOMPARE(segmentAt(program, leadIn - 1)->kind, SegmentKind::LeadIn);
        QCOMPARE(segmentAt(program, leadIn)->track, 1);
        QCOMPARE(segmentAt(program, leadIn + 99)->track, 1);
        // The empty track 2 never plays: the frame after track 1 is track 3's first.
        QCOMPARE(segmentAt(program, leadIn + 100)->track, 3);
        QVERIFY(!segmentAt(program, leadIn + 150));
        QVERIFY(!segmentAt(program, -1));
    }

    void leadInCountsAgainstTheSideButTheToneDoesNot()
    {
        DubbingSettings settings;
        settings.leadInSeconds = 2;
        const std::int64_t side = 10 * SampleRate;
        QVERIFY(!exceedsSide(sideProgram({side - 2 * SampleRate}, {1}, true, settings), 10));
        QVERIFY(exceedsSide(sideProgram({side - 2 * SampleRate + 1}, {1}, true, settings), 10));
        settings.tone.seconds = 30;
        QVERIFY(!exceedsSide(sideProgram({side - 2 * SampleRate}, {1}, true, settings), 10));
    }
    // The gain brings a track to the target unless its true peak would pass the ceiling; a wrong sign or
    // a cap on the wrong side clips a track or leaves it quiet.
    void gainMeetsTheTargetUnderTheCeiling_data()
    {
        QTest::addColumn<double>("lufs");
        QTest::addColumn<double>("peak");
        QTest::addColumn<double>("gain");
        QTest::newRow("quiet, room to spare") << -20.0 << -10.0 << 4.0;
        QTest::newRow("loud") << -10.0 << -3.0 << -6.0;
        QTest::newRow("quiet with a high peak: held") << -23.0 << -3.5 << 2.5;
        QTest::newRow("peak over the ceiling already") << -16.0 << 0.5 << -1.5;
        QTest::newRow("silence") << double(-INFINITY) << double(-INFINITY) << 0.0;
    }
    void gainMeetsTheTargetUnderTheCeiling()
    {
        QFETCH(double, lufs);
        QFETCH(double, peak);
        QFETCH(double, gain);
        QCOMPARE(loudnessGainDb(lufs, peak), gain);
    }

    // Catches an album's loudness taken as the mean of its tracks' values instead of one gated
    // measurement over all their blocks: a quiet track below the relative gate must not pull it down,
    // silence must not count, and one above the gate must.
    void albumLoudnessIsOneGatedMeasurement_data()
    {
        QTest::addColumn<Levels>("blocks");
        QTest::addColumn<double>("lufs");
        QTest::newRow("one level") << Levels{{-20.03, 50}} << -20.0;
        QTest::newRow("a quiet track below the gate")
            << Levels{{-20.03, 100}, {-35.03, 100}} << -20.0;
        QTest::newRow("silence and sub-gate blocks")
            << Levels{{-20.03, 100}, {-80, 500}, {-INFINITY, 500}} << -20.0;
        QTest::newRow("a quieter track above the gate")
            << Levels{{-20.03, 100}, {-26.03, 100}}
            << 10 * std::log10((std::pow(10.0, -2.0) + std::pow(10.0, -2.6)) / 2);
        QTest::newRow("nothing above -70") << Levels{{-75, 10}} << double(-INFINITY);
    }
    void albumLoudnessIsOneGatedMeasurement()
    {
        QFETCH(Levels, blocks);
        QFETCH(double, lufs);
        // Each level as a track of its own, added up as an album's tracks are.
        BlockHistogram album;
        for (const auto& [level, count] : blocks) {
            BlockHistogram track;
            for (int i = 0; i < count; ++i) addBlock(track, level);
            addBlocks(album, track);
        }
        const double measured = gatedLoudness(album);
        if (std::isinf(lufs))
            QVERIFY(std::isinf(measured));
        else
            QVERIFY2(qAbs(measured - lufs) < 0.04, qPrintable(QString::number(measured)));
    }

    void loudestStretchFindsTheLoudestWindow_data()
    {
        QTest::addColumn<std::vector<double>>("blocks");
        QTest::addColumn<int>("stretch");
        QTest::addColumn<int>("start");
        QTest::newRow("loud at the end") << std::vector<double>{-30, -30, -30, -10, -10} << 2 << 3;
        QTest::newRow("one loud block loses to two fairly loud") << std::vector<double>{-30, -9, -30, -11, -11, -30} << 2 << 3;
        QTest::newRow("a tie keeps the first") << std::vector<double>{-10, -20, -10, -20} << 2 << 0;
        QTest::newRow("shorter than the stretch") << std::vector<double>{-10, -5} << 3 << 0;
        QTest::newRow("silence counts as nothing") << std::vector<double>{-INFINITY, -INFINITY, -40, -INFINITY} << 1 << 2;
    }
    void loudestStretchFindsTheLoudestWindow()
    {
        QFETCH(std::vector<double>, blocks);
        QFETCH(int, stretch);
        QFETCH(int, start);
        QCOMPARE(int(loudestStretch(blocks, std::size_t(stretch))), start);
    }
};

QTEST_APPLESS_MAIN(TestSideProgram)
#include "test_side_program.moc"
