// The tape check on recordings made from a side by construction: the side's own sound read at other
// times (speed), filtered, with hiss, at another level, with dropouts cut in, cut short, clipped, or
// starting before the side. The answer of each is known from how it was made.

#include <QtTest>

#include <cmath>
#include <random>

#include "core/tape_check.h"
#include "support/synthetic_side.h"

using namespace vantoli;

namespace {

struct DropoutMade {
    double at = 0;  // seconds in the recording
    double ms = 0;
    double depthDb = 0;
};

// How a recording is made from the side.
struct Making {
    double offset = 1.0;         // where the side starts in the recording (s)
    double speedPercent = 0;     // at the side's start
    double driftPercent = 0;     // the change of speed from the side's start to its end
    double lowPassHz = 0;        // a first-order roll-off; 0: none
    double hissDb = -200;        // white noise, RMS dBFS
    double gainDb = 0;           // a steady level change
    std::vector<DropoutMade> dropouts{};
    double endsAtProgram = -1;   // the recording stops where the side is at this second; < 0: after it
    double clipGain = 0;         // > 0: this gain, then hard clipping at full scale
    double saturate = 0;         // > 0: the tape's soft saturation (tanh) at this drive
};

}  // namespace

Q_DECLARE_METATYPE(Making)

class TestTapeCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void comparison_data();
    void comparison();
    void failures();
    void cleanupTestCase();

private:
    SideProgram layout_;
    std::unique_ptr<test::SyntheticSide> side_;
    CheckSignal program_;
    // The largest error of each figure over the rows, for the note on the issue.
    std::map<std::string, double> worst_;
    void note(const std::string& figure, double error) { worst_[figure] = std::max(worst_[figure], std::fabs(error)); }
};

void TestTapeCheck::initTestCase()
{
    DubbingSettings settings;
    settings.leadInSeconds = 2.0;
    layout_ = sideProgram({25 * SampleRate, 30 * SampleRate, 20 * SampleRate}, {4, 5, 6}, true, settings);
    side_ = std::make_unique<test::SyntheticSide>(layout_, 7u);
    program_ = test::checkSignalOf(side_->frames());
}

void TestTapeCheck::comparison_data()
{
    QTest::addColumn<Making>("making");
    QTest::newRow("a copy 3 s late") << Making{.offset = 3.0};
    QTest::newRow("3 % fast") << Making{.speedPercent = 3.0};
    QTest::newRow("3 % slow") << Making{.speedPercent = -3.0};
    QTest::newRow("2.5 % slow, drifting 0.3 % faster") << Making{.offset = 1.5, .speedPercent = -2.5, .driftPercent = 0.3};
    QTest::newRow("treble rolled off at 3 kHz") << Making{.speedPercent = 0.4, .lowPassHz = 3000};
    QTest::newRow("hiss at -45 dBFS") << Making{.speedPercent = -0.7, .hissDb = -45};
    QTest::newRow("4 dB low") << Making{.hissDb = -70, .gainDb = -4};
    QTest::newRow("all of a worn tape at once")
        << Making{.offset = 2.0, .speedPercent = 1.8, .driftPercent = -0.2, .lowPassHz = 4000, .hissDb = -48, .gainDb = -2.5};
    QTest::newRow("dropouts") << Making{.speedPercent = 1.2,
                                        .hissDb = -60,
                                        .dropouts = {{10.3, 15, 10}, {41.7, 40, 20}, {55.0, 120, 8}, {70.2, 300, 14}}};
    QTest::newRow("dropouts on a dull, hissy tape")
        << Making{.offset = 2.5,
                  .speedPercent = -1.5,
                  .lowPassHz = 3500,
                  .hissDb = -50,
                  .gainDb = -1,
                  .dropouts = {{12.0, 25, 12}, {36.4, 60, 9}, {61.1, 200, 16}}};
    QTest::newRow("the tape ends in track 5") << Making{.speedPercent = 0.5, .hissDb = -60, .endsAtProgram = 50.0};
    QTest::newRow("the tape ends in track 6") << Making{.speedPercent = -1.0, .hissDb = -60, .endsAtProgram = 80.0};
    QTest::newRow("the recording starts 9 s before the side") << Making{.offset = 9.0, .speedPercent = 0.8, .hissDb = -55};
    QTest::newRow("the recording misses the lead-in") << Making{.offset = -1.5, .hissDb = -60};
    QTest::newRow("clipped at full scale") << Making{.hissDb = -60, .clipGain = 12};
    QTest::newRow("a saturating tape") << Making{.hissDb = -60, .saturate = 12};
}

void TestTapeCheck::comparison()
{
    QFETCH(Making, making);
    const double sideSeconds = static_cast<double>(layout_.frames) / SampleRate;
    // Program seconds at recording seconds t: the speed rises linearly by the drift over the side.
    const double s0 = making.speedPercent / 100;
    const double span = sideSeconds / (1 + s0);
    const double k = making.driftPercent / 100 / span;
    const auto programAt = [&](double t) {
        const double u = t - making.offset;
        return u * (1 + s0) + 0.5 * k * u * u;
    };
    const auto recordingAt = [&](double tau) {  // the inverse, by bisection
        double low = making.offset - 60, high = making.offset + 2 * sideSeconds;
        for (int i = 0; i < 80; ++i) ((programAt((low + high) / 2) < tau) ? low : high) = (low + high) / 2;
        return (low + high) / 2;
    };
    double seconds = recordingAt(sideSeconds) + 3.0;
    if (making.endsAtProgram >= 0) seconds = recordingAt(making.endsAtProgram);
    std::vector<float> tape = test::recordingOf(*side_, layout_.frames, static_cast<std::int64_t>(seconds * SampleRate), programAt);

    // The tape's faults, in the order a deck would add them.
    const double gain = std::pow(10.0, making.gainDb / 20);
    for (float& x : tape) x = static_cast<float>(x * gain);
    if (making.saturate > 0)
        for (float& x : tape) x = static_cast<float>(std::tanh(making.saturate * x) / making.saturate);
    for (const DropoutMade& dropout : making.dropouts) {
        const auto from = static_cast<std::size_t>(dropout.at * SampleRate);
        const auto to = static_cast<std::size_t>((dropout.at + dropout.ms / 1000) * SampleRate);
        for (std::size_t i = from; i < to && i < tape.size(); ++i) tape[i] *= static_cast<float>(std::pow(10.0, -dropout.depthDb / 20));
    }
    if (making.lowPassHz > 0) {
        const auto alpha = static_cast<float>(1 - std::exp(-2 * M_PI * making.lowPassHz / SampleRate));
        float state = 0;
        for (float& x : tape) x = state += alpha * (x - state);
    }
    std::mt19937 random(11);
    std::normal_distribution<float> hiss(0.0f, static_cast<float>(std::pow(10.0, making.hissDb / 20)));
    if (making.hissDb > -150)
        for (float& x : tape) x += hiss(random);
    if (making.clipGain > 0)
        for (float& x : tape) x = std::clamp(static_cast<float>(x * std::pow(10.0, making.clipGain / 20)), -1.0f, 1.0f);

    const auto result = checkTape(test::checkSignalOf(tape), program_, layout_);
    QVERIFY(std::holds_alternative<TapeCheck>(result));
    const TapeCheck& check = std::get<TapeCheck>(result);

    // Where the side starts, and the mean speed (the speed at the side's middle).
    QVERIFY2(std::fabs(check.offsetSeconds - making.offset) <= 0.010, qPrintable(QString::number(check.offsetSeconds)));
    note("offsetSeconds", check.offsetSeconds - making.offset);
    const double meanSpeed = (s0 + k * span / 2) * 100;
    QVERIFY2(std::fabs(check.speedPercent - meanSpeed) <= 0.05,
             qPrintable(QString("%1 against %2").arg(check.speedPercent).arg(meanSpeed)));
    note("speedPercent", check.speedPercent - meanSpeed);

    // Each track where the tape has it, at the level the tape was given.
    const double expectedLevel = making.clipGain > 0 || making.saturate > 0 ? std::nan("") : making.gainDb;
    QCOMPARE(check.tracks.size(), std::size_t{3});
    int index = 0;
    for (const Segment& segment : layout_.segments) {
        if (segment.kind != SegmentKind::Track) continue;
        const TrackOnTape& track = check.tracks[static_cast<std::size_t>(index++)];
        QCOMPARE(track.track, segment.track);
        const double start = recordingAt(static_cast<double>(segment.start) / SampleRate);
        QVERIFY2(std::fabs(track.startSeconds - start) <= 0.020, qPrintable(QString::number(track.startSeconds - start)));
        note("tracks.startSeconds", track.startSeconds - start);
        const bool onTape = making.endsAtProgram < 0 || static_cast<double>(segment.start) / SampleRate + 1 < making.endsAtProgram;
        QCOMPARE(track.levelDb.has_value(), onTape);
        if (onTape && !std::isnan(expectedLevel)) {
            QVERIFY2(std::fabs(*track.levelDb - expectedLevel) <= 0.5, qPrintable(QString::number(*track.levelDb)));
            note("tracks.levelDb", *track.levelDb - expectedLevel);
        }
    }

    // Every dropout made, and no other: hiss, roll-off, speed and level are none.
    QCOMPARE(check.dropouts.size(), making.dropouts.size());
    for (std::size_t i = 0; i < making.dropouts.size(); ++i) {
        const DropoutMade& made = making.dropouts[i];
        const TapeDropout& found = check.dropouts[i];
        QVERIFY2(std::fabs(found.atSeconds - made.at) <= 0.020, qPrintable(QString::number(found.atSeconds - made.at)));
        QVERIFY2(std::fabs(found.milliseconds - made.ms) <= 15, qPrintable(QString::number(found.milliseconds)));
        QVERIFY2(std::fabs(found.depthDb - made.depthDb) <= 3, qPrintable(QString::number(found.depthDb)));
        note("dropouts.atSeconds", found.atSeconds - made.at);
        note("dropouts.milliseconds", found.milliseconds - made.ms);
        note("dropouts.depthDb", found.depthDb - made.depthDb);
    }

    // The cut: what is missing of the side, and the track it falls in.
    if (making.endsAtProgram >= 0) {
        QVERIFY2(std::fabs(check.cutSeconds - (sideSeconds - making.endsAtProgram)) <= 0.05,
                 qPrintable(QString::number(check.cutSeconds)));
        note("cutSeconds", check.cutSeconds - (sideSeconds - making.endsAtProgram));
        const auto cut = segmentAt(layout_, static_cast<std::int64_t>(making.endsAtProgram * SampleRate));
        QVERIFY(cut && cut->kind == SegmentKind::Track);
        QCOMPARE(check.cutTrack, cut->track);
    } else {
        QCOMPARE(check.cutSeconds, 0.0);
        QCOMPARE(check.cutTrack, 0);
    }

    // Clipping found where it was made, of its kind, and nowhere else.
    const auto count = [&](ClipKind kind) {
        return std::count_if(check.clipped.begin(), check.clipped.end(), [&](const ClippedStretch& c) { return c.kind == kind; });
    };
    QCOMPARE(count(ClipKind::FlatTop) > 0, making.clipGain > 0);
    QCOMPARE(count(ClipKind::Saturation) > 0, making.saturate > 0);
    QVERIFY(!check.levels.empty());
}

// A recording without the side, and a side without music, are said so rather than measured.
void TestTapeCheck::failures()
{
    std::mt19937 random(3);
    std::normal_distribution<float> noise(0.0f, 0.01f);
    std::vector<float> hiss(30 * SampleRate);
    for (float& x : hiss) x = noise(random);
    const auto other = checkTape(test::checkSignalOf(hiss), program_, layout_);
    QVERIFY(std::holds_alternative<TapeCheckFailure>(other));
    QCOMPARE(std::get<TapeCheckFailure>(other), TapeCheckFailure::NotFound);

    DubbingSettings settings;
    const SideProgram silent = sideProgram({}, {}, true, settings);
    const auto none = checkTape(test::checkSignalOf(hiss), test::checkSignalOf(std::vector<float>(silent.frames)), silent);
    QVERIFY(std::holds_alternative<TapeCheckFailure>(none));
    QCOMPARE(std::get<TapeCheckFailure>(none), TapeCheckFailure::NoMusic);
}

void TestTapeCheck::cleanupTestCase()
{
    for (const auto& [figure, error] : worst_) qInfo("largest error of %s: %.4f", figure.c_str(), error);
}

QTEST_GUILESS_MAIN(TestTapeCheck)
#include "test_tape_check.moc"
