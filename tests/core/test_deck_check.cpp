// The deck check's analysis on recordings built with a known answer: the test program resampled for a
// speed error, frequency-modulated by one sine for wow and flutter, one channel delayed for azimuth,
// rolled off in the treble, scaled per channel and with hiss; and the flutter weighting against the
// standard's table. Each recording holds only the part it checks (it starts and ends anywhere), so the
// other parts are reported missing.

#include <QtTest>

#include <cmath>
#include <numbers>

#include "core/deck_check.h"
#include "core/deck_test_program.h"
#include "core/signal_filters.h"
#include "support/constructed_sound.h"

using namespace vantoli;

namespace {

constexpr double Pi = std::numbers::pi;

// From 1.5 s before the part's marker to 1.5 s after the part, as a deck plays it by `warp` (program
// time of recording time and channel; the identity when none).
std::vector<float> recordingOf(std::initializer_list<DeckTestPart> parts,
                               const std::function<double(double, int)>& warp = {})
{
    const DeckTestPart first = *parts.begin(), last = *(parts.end() - 1);
    const double from = deckTestPartStart(first) - deck_test::AfterMarkerSeconds - deckTestMarkerSeconds(first) - 1.5;
    const double to = deckTestPartStart(last) + deckTestPartSeconds(last) + 1.5;
    const auto frames = static_cast<std::int64_t>((to - from) * DeckTestRate);
    return deckTestProgram([&](double t, int channel) { return from + (warp ? warp(t, channel) : t); }, frames);
}

bool missing(const DeckCheckResult& result, DeckTestPart part)
{
    return std::find(result.missing.begin(), result.missing.end(), part) != result.missing.end();
}

// Within ±10 % of the true figure or ±0.005 %, whichever is larger.
bool flutterClose(double measured, double truth)
{
    return std::abs(measured - truth) <= std::max(0.1 * truth, 0.005);
}

}  // namespace

class TestDeckCheck : public QObject {
    Q_OBJECT

private slots:
    // Catches a weighting filter that strays from the standard's curve (poles mistyped, the bilinear
    // transform wrong, the 4 Hz normalisation lost).
    void weightingFollowsTheStandard_data()
    {
        QTest::addColumn<double>("hz");
        QTest::addColumn<double>("db");
        const std::pair<double, double> table[] = {
            {0.2, -30.6}, {0.315, -19.7}, {0.4, -15.0}, {0.63, -8.4}, {0.8, -6.0}, {1.0, -4.2},
            {1.6, -1.8},  {2.0, -0.9},    {4.0, 0.0},   {6.3, -0.9},  {10, -2.1},  {20, -5.9},
            {40, -10.4},  {63, -14.2},    {100, -17.3}, {200, -23.0}};
        for (const auto& [hz, db] : table) QTest::addRow("%g Hz", hz) << hz << db;
    }
    void weightingFollowsTheStandard()
    {
        QFETCH(double, hz);
        QFETCH(double, db);
        const double rate = 4000;
        const double measured = signal::cascadeDb(signal::flutterWeighting(rate), hz, rate);
        qInfo("weighting error %+.2f dB", measured - db);
        QVERIFY2(std::abs(measured - db) <= 1.0, qPrintable(QString("%1 dB, table %2 dB").arg(measured).arg(db)));
    }

    // Catches a speed read from the wrong tone, a mean biased by the baseband shift, and parts timed
    // wrongly when the deck runs fast or slow (the other parts would then go missing).
    void speedFromResampledProgram_data()
    {
        QTest::addColumn<int>("inRate");
        QTest::addColumn<double>("startSeconds");
        const int out = 4410000;
        for (const double speed : {0.97, 0.992, 1.0, 1.0037, 1.03})
            QTest::addRow("%+.2f %%", 100 * (speed - 1)) << static_cast<int>(std::lround(out * speed)) << 0.37;
        QTest::addRow("starts in the level tone") << out * 101 / 100 << 7.3;
    }
    void speedFromResampledProgram()
    {
        QFETCH(int, inRate);
        QFETCH(double, startSeconds);
        const std::vector<float> program = deckTestProgram();
        std::vector<float> played = test::resampledStereo(program, inRate, 4410000);
        played.erase(played.begin(), played.begin() + 2 * static_cast<std::ptrdiff_t>(startSeconds * DeckTestRate));
        const DeckCheckResult result = analyseDeckRecording(played, DeckTestRate);
        const double truth = 100.0 * (inRate / 4410000.0 - 1);
        QVERIFY(result.speed);
        qInfo("speed error %+.5f %%, drift %+.5f %%", result.speed->speedPercent - truth, result.speed->driftPercent);
        QVERIFY2(std::abs(result.speed->speedPercent - truth) <= 0.02,
                 qPrintable(QString("%1 %, true %2 %").arg(result.speed->speedPercent).arg(truth)));
        QVERIFY2(std::abs(result.speed->driftPercent) <= 0.005, qPrintable(QString::number(result.speed->driftPercent)));
        QVERIFY(result.wowFlutter && result.wowFlutter->weightedPeak < 0.005);
        // Started after the level part's marker: only that part is missing.
        QCOMPARE(result.missing, startSeconds > 2 ? std::vector{DeckTestPart::Level} : std::vector<DeckTestPart>{});
    }

    // Catches a deviation not in percent of the mean, a two-sigma reading that is no 95th percentile,
    // the weighting left out or applied to the unweighted figure, and the 0.5-200 Hz band cut wrongly.
    void flutterOfOneSine_data()
    {
        QTest::addColumn<double>("rateHz");
        QTest::addColumn<double>("peakPercent");
        QTest::addColumn<double>("weightingDb");  // the standard's table at rateHz
        QTest::newRow("wow 1 Hz 0.3 %") << 1.0 << 0.3 << -4.2;
        QTest::newRow("wow 4 Hz 0.1 %") << 4.0 << 0.1 << 0.0;
        QTest::newRow("flutter 10 Hz 0.08 %") << 10.0 << 0.08 << -2.1;
        QTest::newRow("flutter 20 Hz 0.05 %") << 20.0 << 0.05 << -5.9;
        QTest::newRow("flutter 100 Hz 0.2 %") << 100.0 << 0.2 << -17.3;
        QTest::newRow("small 4 Hz 0.01 %") << 4.0 << 0.01 << 0.0;
    }
    void flutterOfOneSine()
    {
        QFETCH(double, rateHz);
        QFETCH(double, peakPercent);
        QFETCH(double, weightingDb);
        // The speed is 1 + p sin(2 pi f t): the program's time runs as its integral.
        const double p = peakPercent / 100;
        const DeckCheckResult result = analyseDeckRecording(
            recordingOf({DeckTestPart::Speed},
                        [&](double t, int) { return t + p / (2 * Pi * rateHz) * (1 - std::cos(2 * Pi * rateHz * t)); }),
            DeckTestRate);
        QVERIFY(result.wowFlutter && result.speed);
        const double weighted = peakPercent * std::pow(10.0, weightingDb / 20);
        const QString figures = QString("weighted %1 (true %2), rms %3 (true %4), unweighted %5 (true %6)")
                                    .arg(result.wowFlutter->weightedPeak)
                                    .arg(weighted)
                                    .arg(result.wowFlutter->weightedRms)
                                    .arg(weighted / std::sqrt(2))
                                    .arg(result.wowFlutter->unweightedPeak)
                                    .arg(peakPercent);
        qInfo("flutter error: weighted peak %+.1f %%, rms %+.1f %%, unweighted peak %+.1f %%",
              100 * (result.wowFlutter->weightedPeak / weighted - 1),
              100 * (result.wowFlutter->weightedRms / (weighted / std::sqrt(2)) - 1),
              100 * (result.wowFlutter->unweightedPeak / peakPercent - 1));
        QVERIFY2(flutterClose(result.wowFlutter->weightedPeak, weighted), qPrintable(figures));
        QVERIFY2(flutterClose(result.wowFlutter->weightedRms, weighted / std::sqrt(2)), qPrintable(figures));
        QVERIFY2(flutterClose(result.wowFlutter->unweightedPeak, peakPercent), qPrintable(figures));
        QVERIFY2(std::abs(result.speed->speedPercent) <= 0.02, qPrintable(QString::number(result.speed->speedPercent)));
    }

    // Catches drift measured over the wrong stretches or with the wrong sign, and drift leaking into
    // the flutter figures.
    void driftOfASpeedingDeck()
    {
        // The speed rises by k per second: 1 + k t. The first and last 5 s of the measured stretch are
        // centred 33 s apart.
        const double k = 0.0012 / 33;
        const DeckCheckResult result =
            analyseDeckRecording(recordingOf({DeckTestPart::Speed}, [&](double t, int) { return t + k * t * t / 2; }),
                                 DeckTestRate);
        QVERIFY(result.speed && result.wowFlutter);
        qInfo("drift error %+.5f %%", result.speed->driftPercent - 0.12);
        QVERIFY2(std::abs(result.speed->driftPercent - 0.12) <= 0.005, qPrintable(QString::number(result.speed->driftPercent)));
        QVERIFY2(result.wowFlutter->weightedPeak < 0.005, qPrintable(QString::number(result.wowFlutter->weightedPeak)));
    }

    // Catches the sign of the delay, the 10 kHz phase taken on the wrong turn (an error of 100 µs), the
    // coarse tone ignored, and delays read in program time rather than recording time.
    void azimuthOfADelayedChannel_data()
    {
        QTest::addColumn<double>("microseconds");
        QTest::addColumn<double>("speed");
        for (const double delay : {-58.0, -31.0, -4.5, 0.0, 7.5, 15.0, 49.0, 51.0, 59.0})
            QTest::addRow("%+g µs", delay) << delay << 1.0;
        QTest::newRow("+42 µs at 2.5 % fast") << 42.0 << 1.025;
        QTest::newRow("-27 µs at 3 % slow") << -27.0 << 0.97;
    }
    void azimuthOfADelayedChannel()
    {
        QFETCH(double, microseconds);
        QFETCH(double, speed);
        const double delay = microseconds * 1e-6;
        const DeckCheckResult result = analyseDeckRecording(
            recordingOf({DeckTestPart::Azimuth}, [&](double t, int channel) { return speed * (t - (channel == 1 ? delay : 0)); }),
            DeckTestRate);
        QVERIFY(result.azimuth);
        qInfo("azimuth error %+.3f µs", result.azimuth->microseconds - microseconds);
        QVERIFY2(std::abs(result.azimuth->microseconds - microseconds) <= 2,
                 qPrintable(QString("%1 µs").arg(result.azimuth->microseconds)));
        const double degrees = std::remainder(360 * 10000 * speed * delay, 360);
        QVERIFY2(std::abs(std::remainder(result.azimuth->degrees - degrees, 360)) <= 2,
                 qPrintable(QString("%1°, true %2°").arg(result.azimuth->degrees).arg(degrees)));
        QVERIFY(missing(result, DeckTestPart::Speed) && !missing(result, DeckTestPart::Azimuth));
    }

    // Catches levels not against the program's -10 dBFS, the balance's sign, a noise floor off by the
    // window's gain or by the dBFS convention, and A weighting not applied.
    void levelsAndNoiseWithHiss_data()
    {
        QTest::addColumn<double>("leftDb");
        QTest::addColumn<double>("rightDb");
        QTest::addColumn<double>("hissRms");
        QTest::newRow("even, quiet hiss") << 0.0 << 0.0 << 3e-4;
        QTest::newRow("right 1.5 dB low, hiss") << -0.4 << -1.9 << 1e-3;
        QTest::newRow("left 2 dB high, loud hiss") << 2.0 << 0.3 << 5e-3;
    }
    void levelsAndNoiseWithHiss()
    {
        QFETCH(double, leftDb);
        QFETCH(double, rightDb);
        QFETCH(double, hissRms);
        std::vector<float> played = deckTestProgram();
        test::scaleAndAddHiss(played, std::pow(10.0, leftDb / 20), std::pow(10.0, rightDb / 20), hissRms);
        const DeckCheckResult result = analyseDeckRecording(played, DeckTestRate);
        QVERIFY(result.missing.empty());
        QVERIFY2(std::abs(result.levels->left - leftDb) <= 0.2 && std::abs(result.levels->right - rightDb) <= 0.2 &&
                     std::abs(result.levels->balance - (rightDb - leftDb)) <= 0.2,
                 qPrintable(QString("L %1 R %2").arg(result.levels->left).arg(result.levels->right)));
        // White hiss: its power in 20 Hz - 20 kHz, and through the A weighting, of the whole band to 22.05 kHz.
        const double nyquist = DeckTestRate / 2.0;
        double weighted = 0;
        for (double hz = 20; hz < 20000; hz += 1) weighted += signal::aWeightingPower(hz + 0.5);
        const double plainDb = 10 * std::log10(2 * hissRms * hissRms * (20000 - 20) / nyquist);
        const double aDb = 10 * std::log10(2 * hissRms * hissRms * weighted / nyquist);
        QVERIFY2(std::abs(result.noise->dbfs - plainDb) <= 0.3 && std::abs(result.noise->aWeightedDbfs - aDb) <= 0.3,
                 qPrintable(QString("%1 (true %2), A %3 (true %4)")
                                .arg(result.noise->dbfs).arg(plainDb).arg(result.noise->aWeightedDbfs).arg(aDb)));
        qInfo("level error L %+.3f dB R %+.3f dB; noise error %+.3f dB, A %+.3f dB", result.levels->left - leftDb,
              result.levels->right - rightDb, result.noise->dbfs - plainDb, result.noise->aWeightedDbfs - aDb);
        const double tone = -10 + (leftDb + rightDb) / 2;
        QVERIFY(std::abs(*result.noise->snrDb - (tone - plainDb)) <= 0.4);
    }

    // Catches bands read at the wrong time or frequency (a step off by one reads another tone), levels
    // not against 400 Hz, and the -3 dB point interpolated wrongly.
    void responseOfATrebleRollOff_data()
    {
        QTest::addColumn<double>("cornerHz");
        QTest::addColumn<double>("speed");
        QTest::addColumn<double>("wowPercent");  // at 3 Hz
        QTest::newRow("corner 5 kHz") << 5000.0 << 1.0 << 0.0;
        QTest::newRow("corner 12 kHz") << 12000.0 << 1.0 << 0.0;
        QTest::newRow("corner 8 kHz, 2 % slow") << 8000.0 << 0.98 << 0.0;
        QTest::newRow("corner 9 kHz, wow 0.2 %") << 9000.0 << 1.0 << 0.2;
    }
    void responseOfATrebleRollOff()
    {
        QFETCH(double, cornerHz);
        QFETCH(double, speed);
        QFETCH(double, wowPercent);
        const double wow = wowPercent / 100;
        std::vector<float> played = recordingOf({DeckTestPart::Response}, [&](double t, int) {
            return speed * (t + wow / (2 * Pi * 3) * (1 - std::cos(2 * Pi * 3 * t)));
        });
        test::rollOffTreble(played, DeckTestRate, cornerHz);
        const DeckCheckResult result = analyseDeckRecording(played, DeckTestRate);
        QCOMPARE(result.response.size(), deck_test::ResponseHz.size());
        const auto gainDb = [&](double hz) { return -10 * std::log10(1 + hz * hz / (cornerHz * cornerHz)); };
        double worst = 0;
        for (const DeckBand& band : result.response) {
            if (band.hz < 63 || band.hz > 10000) continue;
            const double truth = gainDb(band.hz * speed) - gainDb(400 * speed);
            worst = std::max(worst, std::abs(band.db - truth));
            QVERIFY2(std::abs(band.db - truth) <= 0.5, qPrintable(QString("%1 Hz: %2 dB, true %3 dB").arg(band.hz).arg(band.db).arg(truth)));
        }
        // Where the played-back tones are 3 dB below 400 Hz, in program frequency.
        const double upper = std::sqrt(cornerHz * cornerHz + 2 * 400 * speed * 400 * speed) / speed;
        QVERIFY(result.upper3dbHz);
        qInfo("response: largest error %.3f dB (63 Hz - 10 kHz); -3 dB point error %+.2f %%", worst,
              100 * (*result.upper3dbHz / upper - 1));
        QVERIFY2(std::abs(*result.upper3dbHz / upper - 1) <= 0.03,
                 qPrintable(QString("%1 Hz, true %2 Hz").arg(*result.upper3dbHz).arg(upper)));
    }

    // Catches a recording cut short being measured anyway (parts half recorded) and one missing part
    // taking the others with it.
    void partsNotRecordedAreNamed()
    {
        std::vector<float> program = deckTestProgram();
        // Ends 3 s into the silence: the noise floor cannot be measured.
        program.resize(2 * static_cast<std::size_t>((deckTestPartStart(DeckTestPart::Noise) + 3) * DeckTestRate));
        const DeckCheckResult result = analyseDeckRecording(program, DeckTestRate);
        QCOMPARE(result.missing, std::vector{DeckTestPart::Noise});
        QVERIFY(result.levels && result.speed && result.azimuth && !result.response.empty());
        QVERIFY(analyseDeckRecording(std::vector<float>(2 * 44100 * 20), DeckTestRate).missing.size() == 5);
    }
};

QTEST_GUILESS_MAIN(TestDeckCheck)

#include "test_deck_check.moc"
