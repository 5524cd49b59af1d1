#include <QtTest>

#include <QTemporaryDir>

#include <limits>

#include "core/long_disc_plan.h"
#include "core/plan_report.h"
#include "core/read_disc_tracks.h"
#include "core/track_caption.h"
#include "device/libcdio_device.h"
#include "support/disc_image.h"
#include "support/fake_device.h"
#include "support/sample_discs.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

// 99 short tracks on which one long track of side B changes places with the shortest of side A.
std::vector<int> ninetyNineWithAnExchange()
{
    std::vector<int> seconds;
    for (int i = 0; i < 20; ++i) seconds.push_back(28 + i * 3 % 5);
    for (int i = 20; i < 99; ++i) seconds.push_back(18 + i * 7 % 5);
    seconds[57] = 400;
    return seconds;
}

// The fake drive with a disc of these lengths, open and in milliseconds as the CD read command leaves
// it, with its log cleared.
std::unique_ptr<FakeDevice> openDrive(std::vector<std::int32_t> lengths)
{
    auto device = std::make_unique<FakeDevice>(std::move(lengths));
    device->open();
    device->setMillisecondsFormat();
    device->log()->clear();
    return device;
}

// Select track 1, then per track its length, the selected track and the next one; the titles once a
// track was read.
QStringList readingProtocol(int count)
{
    QStringList calls{"setTrack 1"};
    for (int n = 1; n <= count; ++n)
        calls << "trackLength"
              << "track" << QString("setTrack %1").arg(n + 1);
    if (count > 0) calls << "titles";
    return calls;
}

// The whole seconds of every track read off the device.
std::vector<int> readSeconds(CdAudioDevice& device, std::int32_t count)
{
    return trackSeconds(readDiscTracks(device, count));
}

}  // namespace

class TestLongDisc : public QObject {
    Q_OBJECT
private slots:
    // The whole way from a disc image through libcdio to the report text.
    // clang-format off
    void plansTheDiscInTheDrive_data()
    {
        QTest::addColumn<std::vector<int>>("seconds");
        QTest::addColumn<bool>("gap");
        QTest::addColumn<bool>("keepOrder");
        QTest::addColumn<QString>("report");  // empty: no tape of the lineup holds the disc

        QTest::newRow("24 tracks, worked example") << RangeExampleSeconds << true << false
                                                   << QString::fromUtf8(RangeExampleReport);
        QTest::newRow("21 tracks, worked example with an exchange")
            << ListExampleSeconds << true << false << QString::fromUtf8(ListExampleReport);
        QTest::newRow("21 tracks, order kept: no exchange")
            << ListExampleSeconds << true << true
            << reportLines({"***************   TAPE の構成   ***************", "", "使用するテープ： 64分テープ",
                      "総トラック数： 21", "", "＜A面＞", "トータル： 30:54,   ブランク：  0:50", "収録：  1 ～ 11", "",
                      "＜B面＞", "トータル： 28:06,   ブランク：  0:45", "収録： 12 ～ 21", "", "＜両面＞",
                      "トータル： 59:00", "ブランク：  1:35"});
        QTest::newRow("21 x 3 min, no gap")
            << std::vector<int>(21, 180) << false << false
            << reportLines({"***************   TAPE の構成   ***************", "", "使用するテープ： 70分テープ",
                      "総トラック数： 21", "", "＜A面＞", "トータル： 33:00,   ブランク：  0:00", "収録：  1 ～ 11", "",
                      "＜B面＞", "トータル： 30:00,   ブランク：  0:00", "収録： 12 ～ 21", "", "＜両面＞",
                      "トータル： 63:00", "ブランク：  0:00"});
        QTest::newRow("21 x 3 min, gap")
            << std::vector<int>(21, 180) << true << false
            << reportLines({"***************   TAPE の構成   ***************", "", "使用するテープ： 70分テープ",
                      "総トラック数： 21", "", "＜A面＞", "トータル： 33:00,   ブランク：  0:50", "収録：  1 ～ 11", "",
                      "＜B面＞", "トータル： 30:00,   ブランク：  0:45", "収録： 12 ～ 21", "", "＜両面＞",
                      "トータル： 63:00", "ブランク：  1:35"});
        // Side A stops at 20 tracks; side B takes the other 79 and decides the tape alone.
        QTest::newRow("99 tracks, side B decides the tape")
            << std::vector<int>(99, 36) << false << false
            << reportLines({"***************   TAPE の構成   ***************", "", "使用するテープ： 100分テープ",
                      "総トラック数： 99", "", "＜A面＞", "トータル： 12:00,   ブランク：  0:00", "収録：  1 ～ 20", "",
                      "＜B面＞", "トータル： 47:24,   ブランク：  0:00", "収録： 21 ～ 99", "", "＜両面＞",
                      "トータル： 59:24", "ブランク：  0:00"});
        QTest::newRow("99 tracks with an exchange")
            << ninetyNineWithAnExchange() << false << false
            << reportLines({"***************   TAPE の構成   ***************", "", "使用するテープ： 60分テープ",
                      "総トラック数： 99", "", "＜A面＞", "トータル： 16:12", "ブランク：  0:00",
                      "収録：  2， 3， 4， 5， 6， 7， 8， 9，10，11，", "        12，13，14，15，16，17，18，19，20，58",
                      "", "＜B面＞", "トータル： 26:25", "ブランク：  0:00",
                      "収録：  1，21，22，23，24，25，26，27，28，29，", "        30，31，32，33，34，35，36，37，38，39，",
                      "        40，41，42，43，44，45，46，47，48，49，", "        50，51，52，53，54，55，56，57，59，60，",
                      "        61，62，63，64，65，66，67，68，69，70，", "        71，72，73，74，75，76，77，78，79，80，",
                      "        81，82，83，84，85，86，87，88，89，90，", "        91，92，93，94，95，96，97，98，99", "",
                      "＜両面＞", "トータル：  42:37", "ブランク：   0:00"});
        // A track under one second reads as 0 s and is placed like any other.
        QTest::newRow("track 3 shorter than a second")
            << [] { std::vector<int> s(21, 180); s[2] = 0; return s; }() << false << false
            << reportLines({"***************   TAPE の構成   ***************", "", "使用するテープ： 60分テープ",
                      "総トラック数： 21", "", "＜A面＞", "トータル： 30:00,   ブランク：  0:00", "収録：  1 ～ 11", "",
                      "＜B面＞", "トータル： 30:00,   ブランク：  0:00", "収録： 12 ～ 21", "", "＜両面＞",
                      "トータル： 60:00", "ブランク：  0:00"});
        QTest::newRow("100 minutes") << std::vector<int>(25, 240) << false << false << QString();
        QTest::newRow("99 min 59 s, too much for two sides") << [] { std::vector<int> s(25, 240); s[7] = 239; return s; }()
                                                             << false << false << QString();
        QTest::newRow("one track longer than a side of 100 minutes")
            << [] { std::vector<int> s(21, 60); s[0] = 3046; return s; }() << false << false << QString();
        QTest::newRow("99 tracks whose gaps overflow side B") << std::vector<int>(99, 36) << true << true << QString();
    }
    // clang-format on
    void plansTheDiscInTheDrive()
    {
        QFETCH(std::vector<int>, seconds);
        QFETCH(bool, gap);
        QFETCH(bool, keepOrder);
        QFETCH(QString, report);

        QTemporaryDir folder;
        const QString cue = writeDiscImage(folder.path(), discOf(seconds));
        QVERIFY(!cue.isEmpty());
        LibcdioDevice device(cue.toStdString());
        device.open();
        device.setMillisecondsFormat();
        const std::int32_t count = device.tracks();
        QCOMPARE(count, std::int32_t(seconds.size()));

        const std::vector<int> read = readSeconds(device, count);
        device.close();
        QCOMPARE(read, seconds);

        const auto plan = planLongDisc(read, {gap, keepOrder}, count);
        if (report.isEmpty()) {
            QVERIFY(!plan.has_value());
            return;
        }
        QVERIFY(plan.has_value());
        QCOMPARE(plan->trackCount, count);
        QCOMPARE(plan->plan.lastB, count - 1);  // every track is placed
        QCOMPARE(QString::fromUtf8(PlanReportText(*plan)), report);
    }

    // No disc has more than 99 tracks; a drive that claims more still has every length read in order.
    // clang-format off
    void readsEveryTrackOfAnyCount_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("100 tracks") << 100;
        QTest::newRow("101 tracks") << 101;
        QTest::newRow("150 tracks") << 150;
    }
    // clang-format on
    void readsEveryTrackOfAnyCount()
    {
        QFETCH(int, count);
        std::vector<std::int32_t> lengths;
        std::vector<int> seconds;
        for (int i = 0; i < count; ++i) {
            seconds.push_back(10 + i % 7);
            lengths.push_back(seconds.back() * 1000 + i % 1000);
        }
        auto device = openDrive(lengths);
        QCOMPARE(readSeconds(*device, count), seconds);
        QCOMPARE(*device->log(), readingProtocol(count));
        QVERIFY(device->isOpen());

        const auto plan = planLongDisc(seconds, {true, false}, count);
        QVERIFY(plan.has_value());
        QCOMPARE(plan->plan.sideA.size(), std::size_t(SideATrackLimit));
        QCOMPARE(int(plan->plan.sideA.size() + plan->plan.sideB.size()), count);
        QVERIFY(QString::fromUtf8(PlanReportText(*plan)).contains(QString("総トラック数： %1\r\n").arg(count)));
    }

    // clang-format off
    void lengthsAreCutToWholeSeconds_data()
    {
        QTest::addColumn<std::int32_t>("milliseconds");
        QTest::addColumn<int>("seconds");
        QTest::newRow("215 999 ms") << std::int32_t(215999) << 215;
        QTest::newRow("exactly a minute") << std::int32_t(60000) << 60;
        QTest::newRow("999 ms") << std::int32_t(999) << 0;
        QTest::newRow("0 ms") << std::int32_t(0) << 0;
        QTest::newRow("-1 ms") << std::int32_t(-1) << 0;
        QTest::newRow("-5000 ms") << std::int32_t(-5000) << 0;
        QTest::newRow("most negative") << std::numeric_limits<std::int32_t>::min() << 0;
        QTest::newRow("largest") << std::numeric_limits<std::int32_t>::max() << 2147483;
    }
    // clang-format on
    void lengthsAreCutToWholeSeconds()
    {
        QFETCH(std::int32_t, milliseconds);
        QFETCH(int, seconds);
        auto device = openDrive({1000, milliseconds, 2000});
        QCOMPARE(readSeconds(*device, 3), (std::vector<int>{1, seconds, 2}));
    }

    void noTracksReadsNothing()
    {
        auto device = openDrive({});
        QCOMPARE(readSeconds(*device, 0), std::vector<int>{});
        QCOMPARE(*device->log(), readingProtocol(0));
        QCOMPARE(readSeconds(*device, -3), std::vector<int>{});
    }
};

QTEST_APPLESS_MAIN(TestLongDisc)
#include "test_long_disc.moc"
