// The settings file of the user's tapes read back: what the window writes, what a hand edit may
// leave, and what is no list at all.

#include <QtTest>

#include "core/tape_settings.h"

using namespace vantoli;

Q_DECLARE_METATYPE(StoredTapeList::State)
Q_DECLARE_METATYPE(vantoli::CounterSetting)

namespace {

// The file as QSettings writes a list of these (minutes, capacity, owned) rows.
QByteArray written(std::initializer_list<TapeChoice> rows)
{
    QByteArray text = "[Tapes]\n";
    int i = 1;
    for (const TapeChoice& row : rows) {
        const QByteArray n = QByteArray::number(i++);
        text += n + "\\minutes=" + QByteArray::number(row.minutes) + "\n";
        text += n + "\\owned=" + (row.owned ? "true" : "false") + "\n";
        text += n + "\\sideCapacity=" + QByteArray::number(row.sideCapacity) + "\n";
    }
    return text + "size=" + QByteArray::number(int(rows.size())) + "\n";
}

// The standard list with the given lengths owned or not and the extra rows put in their places.
std::vector<TapeChoice> standardWith(std::initializer_list<TapeChoice> rows)
{
    std::vector<TapeChoice> list;
    for (const Tape& tape : standardLineup()) list.push_back({tape.minutes, tape.sideCapacity, false});
    for (const TapeChoice& row : rows) {
        auto place =
            std::find_if(list.begin(), list.end(), [&](const TapeChoice& c) { return c.minutes >= row.minutes; });
        if (place != list.end() && place->minutes == row.minutes)
            *place = row;
        else
            list.insert(place, row);
    }
    return list;
}

}  // namespace

class TestTapeSettings : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void reads_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<StoredTapeList::State>("state");
        QTest::addColumn<std::vector<TapeChoice>>("choices");
        using S = StoredTapeList::State;
        const auto standard = standardTapeChoices();
        QTest::newRow("no file") << QByteArray() << S::NoList << standard;
        QTest::newRow("blank lines only") << QByteArray("\n\r\n  \n") << S::NoList << standard;
        QTest::newRow("other settings only") << QByteArray("[Other]\nsomething=1\n") << S::NoList << standard;
        QTest::newRow("the standard list as written") << written({{10, 345, true}, {20, 645, true}, {30, 945, true}, {40, 1245, true},
                                                                  {46, 1425, true}, {50, 1545, true}, {54, 1665, true}, {60, 1845, true},
                                                                  {64, 1965, true}, {70, 2145, true}, {74, 2265, true}, {80, 2445, true},
                                                                  {90, 2745, true}, {100, 3045, true}})
                                                      << S::Read << standard;
        QTest::newRow("own tapes, standard lengths put back unticked")
            << written({{60, 1900, true}, {120, 3700, true}}) << S::Read << standardWith({{60, 1900, true}, {120, 3700, true}});
        QTest::newRow("hand edit: blanks, comments, CR LF, quotes, 1 and 0")
            << QByteArray("; my tapes\r\n[Tapes]\r\n1\\minutes = 60\r\n# owned\r\n1\\owned=1\r\n1\\sideCapacity=\"1850\"\r\n"
                          "2\\minutes=90\r\n2\\owned=0\r\n2\\sideCapacity=2745\r\nsize = 2\r\n")
            << S::Read << standardWith({{60, 1850, true}, {90, 2745, false}});
        QTest::newRow("other groups beside it") << QByteArray("[General]\na=b\n") + written({{90, 2745, true}}) + "[Window]\nx=1\n"
                                                << S::Read << standardWith({{90, 2745, true}});
        QTest::newRow("escaped group name") << QByteArray("[%54apes]\n1\\minutes=90\n1\\owned=true\n1\\sideCapacity=2745\nsize=1\n")
                                            << S::Read << standardWith({{90, 2745, true}});
        QTest::newRow("capacity not a number") << QByteArray("[Tapes]\n1\\minutes=60\n1\\sideCapacity=abc\n1\\owned=true\nsize=1\n") << S::Damaged << standard;
        QTest::newRow("owned neither true nor false") << QByteArray("[Tapes]\n1\\minutes=60\n1\\sideCapacity=1845\n1\\owned=yes\nsize=1\n") << S::Damaged << standard;
        QTest::newRow("no size") << QByteArray("[Tapes]\n1\\minutes=60\n1\\sideCapacity=1845\n1\\owned=true\n") << S::Damaged << standard;
        QTest::newRow("size past the entries") << written({{60, 1845, true}}).replace("size=1", "size=2") << S::Damaged << standard;
        QTest::newRow("size huge") << written({{60, 1845, true}}).replace("size=1", "size=99999999999") << S::Damaged << standard;
        QTest::newRow("size 0") << QByteArray("[Tapes]\nsize=0\n") << S::Damaged << standard;
        QTest::newRow("nothing owned") << written({{60, 1845, false}}) << S::Damaged << standard;
        QTest::newRow("capacities shrink") << written({{60, 1845, true}, {90, 1800, true}}) << S::Damaged << standard;
        QTest::newRow("length 0") << written({{0, 100, true}}) << S::Damaged << standard;
        QTest::newRow("a length twice") << written({{60, 1845, true}, {60, 1900, false}}) << S::Damaged << standard;
        QTest::newRow("bytes of another file") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR[Tapes\n\xff\xfe=", 25) << S::Damaged << standard;
        QTest::newRow("a section left open is passed over") << QByteArray("[Tapes\nsize=1\n") << S::NoList << standard;
        QTest::newRow("comments but no key") << QByteArray("; nothing here\n") << S::Damaged << standard;
        QTest::newRow("a line without =") << QByteArray("[Tapes]\nsize\n") << S::Damaged << standard;
    }
    // clang-format on
    void reads()
    {
        QFETCH(QByteArray, file);
        QFETCH(StoredTapeList::State, state);
        QFETCH(std::vector<TapeChoice>, choices);
        const StoredTapeList list = parseTapeSettings(std::string_view(file.constData(), file.size()));
        QCOMPARE(list.state, state);
        QCOMPARE(list.choices, choices);
    }

    // One junk line made the whole list unreadable: it must cost that line only, and be named.
    // clang-format off
    void passesOverBadLines_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("listRead");
        QTest::addColumn<QList<int>>("bad");
        const QByteArray list = written({{90, 2745, true}});
        QTest::newRow("junk inside the list") << QByteArray(list).insert(8, "junk\n") << true << QList<int>{2};
        QTest::newRow("junk before and after") << "oops\n" + list + "\x01\x02 stray\n" << true << QList<int>{1, 7};
        QTest::newRow("a section left open before the list") << "[General\nlanguage=ja\n" + list << true << QList<int>{1};
        QTest::newRow("a key without a name") << list + "=1\n" << true << QList<int>{6};
        QTest::newRow("nothing bad") << list << true << QList<int>{};
    }
    // clang-format on
    void passesOverBadLines()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, listRead);
        QFETCH(QList<int>, bad);
        const StoredTapeList stored = parseTapeSettings(file.toStdString());
        QCOMPARE(stored.state == StoredTapeList::State::Read, listRead);
        QCOMPARE(stored.choices, standardWith({{90, 2745, true}}));
        QList<int> numbers;
        for (const BadSettingsLine& line : stored.badLines) numbers << int(line.number);
        QCOMPARE(numbers, bad);
        // The message names each line, made printable.
        const std::string text = badSettingsLinesMessage("/x/Vantoli.ini", stored.badLines).text;
        for (const BadSettingsLine& line : stored.badLines) {
            QVERIFY(text.find(std::to_string(line.number) + " 行目") != std::string::npos);
            QVERIFY(line.text.find('\x01') == std::string::npos);
        }
        // Writing the list over them drops the bad lines only.
        const std::string rewritten = tapeSettingsText(stored.choices, file.toStdString());
        QVERIFY(parseTapeSettings(rewritten).badLines.empty());
        if (file.contains("[General")) QVERIFY(rewritten.find("language=ja") != std::string::npos);
    }

    // A message of many bad lines names the first five and counts the rest.
    void namesAFewBadLines()
    {
        std::vector<BadSettingsLine> lines;
        for (std::size_t i = 1; i <= 12; ++i) lines.push_back({i, "x"});
        const std::string text = badSettingsLinesMessage("/x/Vantoli.ini", lines).text;
        QVERIFY(text.find("5 行目") != std::string::npos);
        QVERIFY(text.find("6 行目") == std::string::npos);
        QVERIFY(text.find("ほか 7 件") != std::string::npos);
    }

    // A value set beside the list must leave every other line, the list above all, as it was, and be
    // read back; a second set must replace it, not add a second line.
    // clang-format off
    void setsOneValue_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no file") << QByteArray() << QByteArray("[Online]\nlookUpDiscs=true\n");
        QTest::newRow("group added after the list") << QByteArray("[Tapes]\nsize=0\n\n")
                                                    << QByteArray("[Tapes]\nsize=0\n\n[Online]\nlookUpDiscs=true\n");
        QTest::newRow("key added to its group") << QByteArray("[Online]\nother=1\n\n[Tapes]\nsize=0\n")
                                                << QByteArray("[Online]\nother=1\nlookUpDiscs=true\n\n[Tapes]\nsize=0\n");
        QTest::newRow("key replaced where it stands") << QByteArray("[Online]\nlookUpDiscs=false\nother=1\n")
                                                      << QByteArray("[Online]\nlookUpDiscs=true\nother=1\n");
        QTest::newRow("same key in another group kept") << QByteArray("[General]\nlookUpDiscs=false\n")
                                                        << QByteArray("[General]\nlookUpDiscs=false\n\n[Online]\nlookUpDiscs=true\n");
    }
    // clang-format on
    void setsOneValue()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const std::string text = withSettingValue(before.toStdString(), "Online", "lookUpDiscs", "true");
        QCOMPARE(QByteArray::fromStdString(text), after);
        QCOMPARE(settingValue(text, "Online", "lookUpDiscs"), std::string("true"));
        QCOMPARE(withSettingValue(text, "Online", "lookUpDiscs", "true"), text);
        QCOMPARE(parseTapeSettings(text), parseTapeSettings(before.toStdString()));
    }

    // The counter kept beside the list reads back as written, leaves the list as it was, and stays
    // when the list is written over it.
    // clang-format off
    void keepsTheCounter_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<CounterSetting>("counter");
        const QByteArray list = written({{90, 2745, true}});
        const CounterSetting c90{true, {{600, 320}, {2700, 999}}};
        QTest::newRow("no file") << QByteArray() << c90;
        QTest::newRow("after the list") << list << c90;
        QTest::newRow("not in use, readings kept") << list << CounterSetting{false, {{300, 150}, {1800, 600}}};
        QTest::newRow("over an earlier counter") << "[Counter]\nuse=false\nseconds1=1\ncount1=2\nseconds2=3\ncount2=4\n\n" + list << c90;
        QTest::newRow("over a damaged counter") << "[Counter]\nuse=perhaps\nseconds1=x\n\n" + list << c90;
        QTest::newRow("readings no fit takes") << list << CounterSetting{true, {{600, 300}, {60, 100}}};
    }
    // clang-format on
    void keepsTheCounter()
    {
        QFETCH(QByteArray, before);
        QFETCH(CounterSetting, counter);
        const std::string text = withCounterSetting(before.toStdString(), counter);
        QCOMPARE(counterSetting(text), counter);
        QCOMPARE(withCounterSetting(text, counter), text);
        QCOMPARE(parseTapeSettings(text), parseTapeSettings(before.toStdString()));
        QCOMPARE(counterSetting(tapeSettingsText(standardWith({{60, 1900, true}}), text)), counter);
    }

    // A counter that cannot be read is no counter; the list in the same file reads as ever.
    // clang-format off
    void passesOverAnUnreadableCounter_data()
    {
        QTest::addColumn<QByteArray>("counter");
        QTest::newRow("no group") << QByteArray();
        QTest::newRow("use neither true nor false") << QByteArray("[Counter]\nuse=perhaps\nseconds1=600\ncount1=320\nseconds2=2700\ncount2=999\n");
        QTest::newRow("a time not a number") << QByteArray("[Counter]\nuse=true\nseconds1=10:00\ncount1=320\nseconds2=2700\ncount2=999\n");
        QTest::newRow("a count too large") << QByteArray("[Counter]\nuse=true\nseconds1=600\ncount1=99999999999\nseconds2=2700\ncount2=999\n");
        QTest::newRow("a count missing") << QByteArray("[Counter]\nuse=true\nseconds1=600\ncount1=320\nseconds2=2700\n");
        QTest::newRow("a count empty") << QByteArray("[Counter]\nuse=true\nseconds1=600\ncount1=\nseconds2=2700\ncount2=999\n");
        QTest::newRow("keys in another group") << QByteArray("[Tape]\nuse=true\nseconds1=600\ncount1=320\nseconds2=2700\ncount2=999\n");
    }
    // clang-format on
    void passesOverAnUnreadableCounter()
    {
        QFETCH(QByteArray, counter);
        const QByteArray file = counter + "\n" + written({{90, 2745, true}});
        QCOMPARE(counterSetting(file.toStdString()), std::nullopt);
        QCOMPARE(counterCalibration(counterSetting(file.toStdString())), std::nullopt);
        const StoredTapeList list = parseTapeSettings(file.toStdString());
        QCOMPARE(list.state, StoredTapeList::State::Read);
        QCOMPARE(list.choices, standardWith({{90, 2745, true}}));
    }

    // A calibration is in use only when the counter is ticked and its readings make one.
    void calibrationInUse()
    {
        const CounterReadings readings{{220, 200}, {1500, 1000}};
        const auto fit = counterCalibration(CounterSetting{true, readings});
        QVERIFY(fit.has_value());
        QCOMPARE(counterAt(*fit, 1500), 1000);
        QCOMPARE(counterCalibration(CounterSetting{false, readings}), std::nullopt);
        QCOMPARE(counterCalibration(CounterSetting{true, {{600, 300}, {60, 100}}}), std::nullopt);
        QCOMPARE(counterCalibration(std::nullopt), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(TestTapeSettings)
#include "test_tape_settings.moc"
