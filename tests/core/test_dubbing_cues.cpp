#include <QtTest>

#include <cmath>

#include "core/dubbing_cues.h"

using namespace vantoli;

Q_DECLARE_METATYPE(vantoli::Track)

namespace {

// Tracks 4 (1 s) and 7 (2 s) on side A with the plan's 5 s gap.
MadePlan twoTracks()
{
    MadePlan made;
    made.plan.tapeMinutes = 10;
    made.plan.sideA = {4, 7};
    made.trackSeconds = {0, 0, 0, 1, 0, 0, 2};
    made.gap = 5;
    return made;
}

}  // namespace

class TestDubbingCues : public QObject {
    Q_OBJECT
private slots:
    // Fault: a track timed by its rounded seconds when the source knows its exact length, which puts a
    // separate player's cues out of step with the tape.
    void trackLengthsAreTheExactestKnown_data()
    {
        QTest::addColumn<Track>("track");
        QTest::addColumn<qint64>("frames");
        Track typed;
        QTest::newRow("typed: the plan's seconds") << typed << qint64(44100);
        Track file;
        file.milliseconds = 1234;
        file.audio.kind = AudioSource::Kind::File;
        QTest::newRow("file: its milliseconds") << file << qint64(54419);
        Track part = file;
        part.audio.startFrame = 75;
        part.audio.endFrame = 176;
        QTest::newRow("part of a rip: its CD frames") << part << qint64(101 * 588);
    }
    void trackLengthsAreTheExactestKnown()
    {
        QFETCH(Track, track);
        QFETCH(qint64, frames);
        MadePlan made = twoTracks();
        made.titles.tracks.resize(7);
        made.titles.tracks[3] = track;
        QCOMPARE(sideTracks(made, TapeSide::A).frames.front(), frames);
        QCOMPARE(sideHasAudio(made, TapeSide::A), false);  // track 7 has no sound
    }

    // Faults: a cue a second early or late, a count-down off by one, the flip cue after side B or
    // after an A with no B to follow, a timed side told it "plays" (nothing plays but the CD player),
    // a title missing, the CD player told to pause between tracks that follow without a gap.
    void cueAtEachMoment_data()
    {
        QTest::addColumn<qint64>("frame");
        QTest::addColumn<bool>("timer");
        QTest::addColumn<int>("gap");
        QTest::addColumn<QString>("cue");
        // Lead-in 2 s: track 4 "四" (3 s) from 2 s to 5 s, the 5 s gap to 10 s, track 7 (5 s) to 15 s.
        const auto at = [](double seconds) { return qint64(std::llround(seconds * 44100)); };
        QTest::newRow("start") << at(0) << false << 5 << "録音開始 — トラック 4「四」まで 2 秒";
        QTest::newRow("lead-in, 1.2 s to go") << at(0.8) << false << 5 << "録音開始 — トラック 4「四」まで 2 秒";
        QTest::newRow("lead-in, last second") << at(1.0) << false << 5 << "録音開始 — トラック 4「四」まで 1 秒";
        QTest::newRow("last frame of lead-in") << at(2) - 1 << false << 5 << "録音開始 — トラック 4「四」まで 1 秒";
        QTest::newRow("track 4 starts") << at(2) << false << 5 << "トラック 4「四」を再生中";
        QTest::newRow("gap starts") << at(5) << false << 5 << "ブランク — トラック 7まで 5 秒";
        QTest::newRow("gap, last second") << at(9) << false << 5 << "ブランク — トラック 7まで 1 秒";
        QTest::newRow("track 7 starts") << at(10) << false << 5 << "トラック 7を再生中";
        QTest::newRow("timed: lead-in") << at(0.8) << true << 5 << "録音開始 — CD プレーヤーでトラック 4「四」を 2 秒後に再生";
        QTest::newRow("timed: track 4 starts") << at(2) << true << 5 << "CD プレーヤーでトラック 4「四」を今すぐ再生";
        QTest::newRow("timed: gap follows") << at(4.5) << true << 5
                                            << "トラック 4「四」が終わったら CD プレーヤーを一時停止（あと 0:01）";
        QTest::newRow("timed: gap") << at(5) << true << 5 << "CD プレーヤーでトラック 7を 5 秒後に再生";
        QTest::newRow("timed: no gap follows") << at(4.5) << true << 0
                                               << "トラック 4「四」が終わったらすぐトラック 7を再生（あと 0:01）";
        QTest::newRow("timed: last track") << at(12.5) << true << 5 << "トラック 7が終わったら CD プレーヤーを止める（あと 0:03）";
    }
    void cueAtEachMoment()
    {
        QFETCH(qint64, frame);
        QFETCH(bool, timer);
        QFETCH(int, gap);
        QFETCH(QString, cue);
        MadePlan made = twoTracks();
        made.trackSeconds = {0, 0, 0, 3, 0, 0, 5};
        made.titles.tracks.resize(7);
        made.titles.tracks[3].title = "四";
        made.gap = gap;
        const SideProgram program = dubbingProgram(made, TapeSide::A, 2.0);
        QCOMPARE(QString::fromStdString(
                     dubbingCue(made, program, frame, TapeSide::A, timer ? CueMode::Timer : CueMode::Sound)),
                 cue);
    }

    // Faults: the flip cue after side B, or after a side A that has no side B to follow.
    void endOfSide_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<bool>("sideBHasTracks");
        QTest::addColumn<QString>("cue");
        QTest::newRow("A, B follows") << 0 << true << "テープを裏返して…";
        QTest::newRow("A, B empty") << 0 << false << "ダビング終了";
        QTest::newRow("B") << 1 << true << "ダビング終了";
    }
    void endOfSide()
    {
        QFETCH(int, side);
        QFETCH(bool, sideBHasTracks);
        QFETCH(QString, cue);
        MadePlan made = twoTracks();
        if (sideBHasTracks) made.plan.sideB = {1};
        QCOMPARE(sideHasTracks(made, TapeSide::B), sideBHasTracks);
        const SideProgram program = dubbingProgram(made, TapeSide::A, 2.0);
        for (const CueMode mode : {CueMode::Sound, CueMode::Timer})
            QCOMPARE(QString::fromStdString(
                         dubbingCue(made, program, program.frames, side ? TapeSide::B : TapeSide::A, mode)),
                     cue);
    }

    // Faults: RMS and peak mixed up or taken over both channels; silence shown as a level.
    void levelsOfKnownSignals()
    {
        std::vector<std::int16_t> samples(2 * 4410);
        for (std::size_t f = 0; f < 4410; ++f) {
            samples[2 * f] = std::int16_t(std::lround(16384 * std::sin(2 * M_PI * 1000 * double(f) / 44100)));
            samples[2 * f + 1] = 0;
        }
        const StereoLevel level = stereoLevel(samples.data(), 4410);
        QVERIFY(qAbs(level.left.peakDb - -6.02) < 0.05);
        QVERIFY(qAbs(level.left.rmsDb - -9.03) < 0.05);
        QCOMPARE(level.right.peakDb, MinLevelDb);
        QCOMPARE(level.right.rmsDb, MinLevelDb);
    }

    // Faults: the held peak falling at once, or never.
    void peakIsHeldThenFalls()
    {
        PeakHold hold;
        QCOMPARE(hold.update(-3, 0), -3.0);
        QCOMPARE(hold.update(-30, PeakHold::HoldMs), -3.0);
        QCOMPARE(hold.update(-30, PeakHold::HoldMs + 500), -13.0);
        QCOMPARE(hold.update(-10, PeakHold::HoldMs + 600), -10.0);
    }
};

QTEST_APPLESS_MAIN(TestDubbingCues)
#include "test_dubbing_cues.moc"
