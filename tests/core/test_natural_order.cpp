// The order of file names as people read them.

#include <QtTest>

#include <algorithm>
#include <string>
#include <vector>

#include "core/natural_order.h"

using namespace vantoli;

class TestNaturalOrder : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void before_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("2 before 10") << "2 x.flac" << "10 x.flac";
        QTest::newRow("9 before 10 after a word") << "track9.mp3" << "track10.mp3";
        QTest::newRow("letters in either case alike") << "track9.mp3" << "Track10.mp3";
        QTest::newRow("numbers beyond 64 bits") << "123456789012345678901234" << "123456789012345678901235";
        QTest::newRow("longer number is larger") << "99999999999999999999" << "100000000000000000000";
        QTest::newRow("leading zeros: same value, then byte order") << "x007" << "x7";
        QTest::newRow("value before the rest") << "01 - b" << "2 - a";
        QTest::newRow("shorter first") << "album" << "album 2";
        QTest::newRow("number before a letter") << "1" << "a";
        QTest::newRow("blank before a number") << "a b" << "a1";
        QTest::newRow("ASCII before Japanese") << "z" << "表";
        QTest::newRow("equal but for case") << "A.flac" << "a.flac";
        QTest::newRow("second number decides") << "disc1 track2" << "disc1 track10";
    }
    // clang-format on
    void before()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        const std::string a = first.toStdString(), b = second.toStdString();
        QVERIFY(naturalLess(a, b));
        QVERIFY(!naturalLess(b, a));
    }

    void nameIsNotBeforeItself()
    {
        for (const char* name : {"", "1", "x007", "表ソ能", "Track 10.flac"}) QVERIFY(!naturalLess(name, name));
    }

    void sortsAFolder()
    {
        std::vector<std::string> names = {"10 Finale.flac",     "1 Intro.flac", "2 Song.flac",    "Bonus.flac",
                                          "02 Song (alt).flac", "bonus 2.flac", "100 Hidden.flac"};
        std::sort(names.begin(), names.end(), naturalLess);
        const std::vector<std::string> expected = {"1 Intro.flac",   "02 Song (alt).flac", "2 Song.flac",
                                                   "10 Finale.flac", "100 Hidden.flac",    "bonus 2.flac",
                                                   "Bonus.flac"};
        QCOMPARE(names, expected);
    }
};

QTEST_APPLESS_MAIN(TestNaturalOrder)
#include "test_natural_order.moc"
