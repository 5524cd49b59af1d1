#include <QtTest>

#include "core/time_text.h"

using namespace vantoli;

class TestTimeText : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void labelText_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("selector");
        QTest::addColumn<QString>("text");
        QTest::newRow("side A 13:33") << 813 << 1 << "13 : 33";
        QTest::newRow("side B 1:05") << 65 << 3 << "1 : 05";
        QTest::newRow("total zero") << 0 << 0 << "0 : 00";
        QTest::newRow("total blank") << 20 << 5 << "+0 : 20";
        QTest::newRow("side A blank zero") << 0 << 2 << "+0 : 00";
        QTest::newRow("three-digit minutes") << 6000 << 0 << "100 : 00";
        QTest::newRow("ten seconds") << 70 << 1 << "1 : 10";
        QTest::newRow("nine seconds") << 69 << 3 << "1 : 09";
        QTest::newRow("side B blank") << 10 << 4 << "+0 : 10";
        QTest::newRow("no carry into hours") << 96000 << 0 << "1600 : 00";
    }
    // clang-format on
    void labelText()
    {
        QFETCH(int, seconds);
        QFETCH(int, selector);
        QFETCH(QString, text);
        const auto got = timeLabelText(seconds, selector);
        QVERIFY(got.has_value());
        QCOMPARE(QString::fromStdString(*got), text);
    }

    void selectorOutsideRangeGivesNothing()
    {
        for (int selector : {-1, 6, 100})
            QVERIFY2(!timeLabelText(60, selector).has_value(), qPrintable(QString::number(selector)));
    }

    void tapeCaptionText()
    {
        QCOMPARE(QString::fromStdString(tapeCaption(46)), QString("46分テープ"));
        QCOMPARE(QString::fromStdString(tapeCaption(100)), QString("100分テープ"));
    }
};

QTEST_APPLESS_MAIN(TestTimeText)
#include "test_time_text.moc"
