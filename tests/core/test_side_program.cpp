#include <QtTest>

#include "core/side_program.h"

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
};

QTEST_APPLESS_MAIN(TestSideProgram)
#include "test_side_program.moc"
