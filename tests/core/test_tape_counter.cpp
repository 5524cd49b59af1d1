// The tape counter's fit: two readings make a calibration that gives back the counts of the counter
// they were read from, readings no counter could give are refused, and the readings' text reads back.

#include <QtTest>

#include <limits>
#include <optional>
#include <string>

#include "core/tape_counter.h"

using namespace vantoli;

Q_DECLARE_METATYPE(vantoli::CounterReading)
Q_DECLARE_METATYPE(vantoli::CounterRefusal)

namespace {

CounterReading reading(int seconds, int counter) { return CounterReading{seconds, counter}; }

}  // namespace

class TestTapeCounter : public QObject {
    Q_OBJECT
private slots:
    void fitPassesThroughBothReadings_data()
    {
        QTest::addColumn<CounterReading>("first");
        QTest::addColumn<CounterReading>("second");
        QTest::newRow("a C60 side, counter to 600") << reading(5 * 60, 150) << reading(30 * 60, 600);
        QTest::newRow("a C90 side, counter to 999") << reading(10 * 60, 320) << reading(45 * 60, 999);
        QTest::newRow("given later first") << reading(44 * 60 + 17, 1212) << reading(3 * 60 + 3, 140);
        QTest::newRow("close together") << reading(60, 50) << reading(61, 51);
        QTest::newRow("an even counter (b = 0)") << reading(100, 50) << reading(400, 200);
        QTest::newRow("a counter that slows down (b < 0)") << reading(119, 100) << reading(1100, 1000);
    }
    void fitPassesThroughBothReadings()
    {
        QFETCH(CounterReading, first);
        QFETCH(CounterReading, second);
        const std::optional<CounterCalibration> fit = calibrateCounter(first, second);
        QVERIFY(fit.has_value());
        QVERIFY(!counterRefusal(first, second).has_value());
        QCOMPARE(calibrateCounter(second, first), fit);
        for (const CounterReading& r : {first, second}) {
            const double c = r.counter;
            QVERIFY2(std::abs(fit->a * c + fit->b * c * c - r.seconds) < 1e-6, qPrintable(QString::number(c)));
            QCOMPARE(counterAt(*fit, r.seconds), r.counter);
        }
        QCOMPARE(counterAt(*fit, 0), 0);
    }

    // Readings taken from a counter of known a and b (at counts where its time is a whole second)
    // give back its count all along the side, a little past the later reading too.
    void knownCounterAlongTheSide_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<int>("count1");
        QTest::addColumn<int>("count2");
        QTest::newRow("a = 1, b = 0.0005") << 1.0 << 0.0005 << 200 << 1000;
        QTest::newRow("a = 0.5, b = 0.00025") << 0.5 << 0.00025 << 400 << 1600;
        QTest::newRow("a = 2, b = 0") << 2.0 << 0.0 << 100 << 500;
        QTest::newRow("a = 1.2, b = -0.0001") << 1.2 << -0.0001 << 100 << 1000;
        QTest::newRow("a = 0.25, b = 0.002") << 0.25 << 0.002 << 100 << 1000;
    }
    void knownCounterAlongTheSide()
    {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(int, count1);
        QFETCH(int, count2);
        const auto time = [&](double theta) { return a * theta + b * theta * theta; };
        const auto fit = calibrateCounter(reading(static_cast<int>(std::lround(time(count1))), count1),
                                          reading(static_cast<int>(std::lround(time(count2))), count2));
        QVERIFY(fit.has_value());
        QVERIFY(std::abs(fit->a - a) < 1e-9);
        QVERIFY(std::abs(fit->b - b) < 1e-12);
        for (int theta = 0; theta <= count2 * 11 / 10; theta += 7)
            QVERIFY2(counterAt(*fit, time(theta)) == theta, qPrintable(QStringLiteral("%1 at %2 s, not %3")
                                                                           .arg(counterAt(*fit, time(theta)))
                                                                           .arg(time(theta))
                                                                           .arg(theta)));
        // Halfway between two counts the reading rounds to the nearer one.
        QCOMPARE(counterAt(*fit, time(count1 + 0.4)), count1);
        QCOMPARE(counterAt(*fit, time(count1 + 0.6)), count1 + 1);
    }

    void refusedReadings_data()
    {
        QTest::addColumn<CounterReading>("first");
        QTest::addColumn<CounterReading>("second");
        QTest::addColumn<CounterRefusal>("refusal");
        QTest::newRow("zero time") << reading(0, 100) << reading(600, 400) << CounterRefusal::NotAboveZero;
        QTest::newRow("zero count") << reading(60, 0) << reading(600, 400) << CounterRefusal::NotAboveZero;
        QTest::newRow("both zero") << reading(0, 0) << reading(0, 0) << CounterRefusal::NotAboveZero;
        QTest::newRow("negative count later") << reading(60, 10) << reading(600, -5) << CounterRefusal::NotAboveZero;
        QTest::newRow("same time") << reading(600, 100) << reading(600, 200) << CounterRefusal::SameTime;
        QTest::newRow("same count") << reading(60, 100) << reading(600, 100) << CounterRefusal::SameCount;
        QTest::newRow("later time at lower count")
            << reading(60, 300) << reading(600, 100) << CounterRefusal::CountsDown;
        QTest::newRow("the same, given later first")
            << reading(600, 100) << reading(60, 300) << CounterRefusal::CountsDown;
        // t/θ from 0.6 to 15: a = −13.8, the counter would start backwards.
        QTest::newRow("fit starts backwards")
            << reading(60, 100) << reading(3000, 200) << CounterRefusal::RunsBackwards;
        // t/θ from 6 to 0.7: the fit tops out before the later reading.
        QTest::newRow("fit turns before the later reading")
            << reading(600, 100) << reading(700, 1000) << CounterRefusal::RunsBackwards;
    }
    void refusedReadings()
    {
        QFETCH(CounterReading, first);
        QFETCH(CounterReading, second);
        QFETCH(CounterRefusal, refusal);
        QCOMPARE(calibrateCounter(first, second), std::nullopt);
        QCOMPARE(counterRefusal(first, second), refusal);
        QCOMPARE(counterRefusal(second, first), refusal);
    }

    // A calibration no fit gives reads as no counter at all rather than a number out of nowhere.
    void counterAtNeverFails()
    {
        QCOMPARE(counterAt(CounterCalibration{}, 600), 0);
        QCOMPARE(counterAt(CounterCalibration{-1, 0.001}, 600), 0);
        QCOMPARE(counterAt(CounterCalibration{std::numeric_limits<double>::quiet_NaN(), 0}, 600), 0);
        QCOMPARE(counterAt(CounterCalibration{1, 0}, -30), 0);
        QCOMPARE(counterAt(CounterCalibration{1e-300, 0}, 1e300), std::numeric_limits<int>::max());
    }

    void readingsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("seconds1");
        QTest::addColumn<int>("counter1");
        QTest::addColumn<int>("seconds2");
        QTest::addColumn<int>("counter2");
        QTest::newRow("a C90 side") << "5:00@150,45:00@999" << 300 << 150 << 2700 << 999;
        QTest::newRow("past an hour") << "0:05@1,75:30@12345" << 5 << 1 << 4530 << 12345;
        QTest::newRow("zero counts read") << "0:00@0,1:00@0" << 0 << 0 << 60 << 0;
    }
    void readingsText()
    {
        QFETCH(QString, text);
        QFETCH(int, seconds1);
        QFETCH(int, counter1);
        QFETCH(int, seconds2);
        QFETCH(int, counter2);
        const auto readings = parseCounterReadings(text.toStdString());
        QVERIFY(readings.has_value());
        QCOMPARE(readings->first, reading(seconds1, counter1));
        QCOMPARE(readings->second, reading(seconds2, counter2));
        QCOMPARE(QString::fromStdString(counterReadingsText(*readings)), text);
        QCOMPARE(parseCounterReadings(counterReadingsText(*readings)), readings);
    }

    void refusedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("one-digit seconds") << "1:5@10,2:00@20";
        QTest::newRow("one-digit seconds, later") << "1:05@10,2:0@20";
        QTest::newRow("letters") << "a@b,c@d";
        QTest::newRow("letters for the count") << "1:00@x,2:00@20";
        QTest::newRow("no comma") << "1:00@10";
        QTest::newRow("no comma, two readings") << "1:00@10 2:00@20";
        QTest::newRow("seconds 60") << "1:60@10,2:00@20";
        QTest::newRow("seconds 99 later") << "1:00@10,2:99@20";
        QTest::newRow("no @") << "1:00,2:00";
        QTest::newRow("no count") << "1:00@,2:00@20";
        QTest::newRow("no minutes") << ":30@10,2:00@20";
        QTest::newRow("three seconds digits") << "1:000@10,2:00@20";
        QTest::newRow("a second colon") << "1:00:00@10,2:00@20";
        QTest::newRow("a third reading") << "1:00@10,2:00@20,3:00@30";
        QTest::newRow("a sign") << "-0:05@10,2:00@20";
        QTest::newRow("a plus") << "1:00@+10,2:00@20";
        QTest::newRow("blanks") << " 1:00@10,2:00@20";
        QTest::newRow("a count too long") << "1:00@10,2:00@12345678";
        QTest::newRow("empty") << "";
        QTest::newRow("comma only") << ",";
    }
    void refusedTexts()
    {
        QFETCH(QString, text);
        QCOMPARE(parseCounterReadings(text.toStdString()), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(TestTapeCounter)
#include "test_tape_counter.moc"
