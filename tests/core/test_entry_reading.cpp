#include <QtTest>

#include "core/entry_reading.h"

using namespace vantoli;

Q_DECLARE_METATYPE(EntryNumber::Kind)

namespace {

EntryTexts entries(std::initializer_list<const char*> texts)
{
    EntryTexts e;
    int i = 0;
    for (const char* t : texts) e[i++] = t;
    return e;
}

}  // namespace

class TestEntryReading : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void conversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<EntryNumber::Kind>("kind");
        QTest::addColumn<int>("value");
        using K = EntryNumber::Kind;
        QTest::newRow("plain") << "431" << K::Number << 431;
        QTest::newRow("blanks around") << "  431  " << K::Number << 431;
        QTest::newRow("tab around") << "\t431\t" << K::Number << 431;
        QTest::newRow("plus sign") << "+431" << K::Number << 431;
        QTest::newRow("minus sign") << "-130" << K::Number << -130;
        QTest::newRow("minus zero") << "-0" << K::Number << 0;
        QTest::newRow("leading zeros") << "000000000000000431" << K::Number << 431;
        QTest::newRow("fraction down") << "4.31" << K::Number << 4;
        QTest::newRow("half to even down") << "4.5" << K::Number << 4;
        QTest::newRow("half to even up") << "5.5" << K::Number << 6;
        QTest::newRow("above half") << "4.51" << K::Number << 5;
        QTest::newRow("exact half with zeros") << "4.500" << K::Number << 4;
        QTest::newRow("negative half") << "-4.5" << K::Number << -4;
        QTest::newRow("bare fraction") << ".6" << K::Number << 1;
        QTest::newRow("trailing point") << "4." << K::Number << 4;
        QTest::newRow("upper bound") << "32767" << K::Number << 32767;
        QTest::newRow("lower bound") << "-32768" << K::Number << -32768;
        QTest::newRow("rounds past bound") << "32767.5" << K::OutOfRange << 0;
        QTest::newRow("above range") << "40000" << K::OutOfRange << 0;
        QTest::newRow("below range") << "-40000" << K::OutOfRange << 0;
        QTest::newRow("huge") << "99999999999999999999999999" << K::OutOfRange << 0;
        QTest::newRow("colon") << "4:31" << K::NotANumber << 0;
        QTest::newRow("letters") << "abc" << K::NotANumber << 0;
        QTest::newRow("only blanks") << "   " << K::NotANumber << 0;
        QTest::newRow("lone sign") << "-" << K::NotANumber << 0;
        QTest::newRow("lone point") << "." << K::NotANumber << 0;
        QTest::newRow("blank inside") << "4 31" << K::NotANumber << 0;
        QTest::newRow("blank after sign") << "- 5" << K::NotANumber << 0;
        QTest::newRow("two signs") << "--5" << K::NotANumber << 0;
        QTest::newRow("two points") << "4.3.1" << K::NotANumber << 0;
        QTest::newRow("exponent") << "1e3" << K::NotANumber << 0;
        QTest::newRow("hex prefix") << "&H10" << K::NotANumber << 0;
        QTest::newRow("c hex prefix") << "0x10" << K::NotANumber << 0;
        QTest::newRow("group separator") << "1,000" << K::NotANumber << 0;
        QTest::newRow("full-width digits") << "４３１" << K::Number << 431;
        QTest::newRow("full-width blanks around") << "　４３１　" << K::Number << 431;
        QTest::newRow("full-width blank, plain digits") << "　431" << K::Number << 431;
        QTest::newRow("full-width and plain digits mixed") << "4３1" << K::Number << 431;
        QTest::newRow("full-width minus") << "－１３０" << K::Number << -130;
        QTest::newRow("full-width plus") << "＋１００" << K::Number << 100;
        QTest::newRow("full-width point") << "４．５" << K::Number << 4;
        QTest::newRow("full-width point rounds up") << "４．５１" << K::Number << 5;
        QTest::newRow("full-width upper bound") << "３２７６７" << K::Number << 32767;
        QTest::newRow("full-width above range") << "４００００" << K::OutOfRange << 0;
        QTest::newRow("full-width colon") << "４：３１" << K::NotANumber << 0;
        QTest::newRow("full-width blank inside") << "４　３１" << K::NotANumber << 0;
        QTest::newRow("full-width group separator") << "１，０００" << K::NotANumber << 0;
        QTest::newRow("full-width exponent") << "１ｅ３" << K::NotANumber << 0;
        QTest::newRow("full-width hex prefix") << "０ｘ１０" << K::NotANumber << 0;
        QTest::newRow("full-width lone minus") << "－" << K::NotANumber << 0;
        QTest::newRow("minus sign U+2212 is not a sign") << "−130" << K::NotANumber << 0;
        QTest::newRow("nul inside") << QString("43") + QChar(0) + "1" << K::NotANumber << 0;
    }
    // clang-format on
    void conversion()
    {
        QFETCH(QString, text);
        QFETCH(EntryNumber::Kind, kind);
        QFETCH(int, value);
        const EntryNumber n = convertEntry(text.toStdString());
        QCOMPARE(n.kind, kind);
        if (kind == EntryNumber::Kind::Number) QCOMPARE(n.value, value);
    }

    // One entry in the first slot: the seconds it gives, or the check it fails.
    // clang-format off
    void singleEntry_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("seconds");  // -1 when an error is expected
        QTest::addColumn<int>("check");
        QTest::newRow("80 min accepted") << "8000" << 4800 << -1;
        QTest::newRow("8001 too large") << "8001" << -1 << int(EntryCheck::TooLarge);
        QTest::newRow("79:59") << "7959" << 4799 << -1;
        QTest::newRow("7960 seconds") << "7960" << -1 << int(EntryCheck::Seconds);
        QTest::newRow("60 seconds") << "60" << -1 << int(EntryCheck::Seconds);
        QTest::newRow("59 s") << "59" << 59 << -1;
        QTest::newRow("1 min") << "100" << 60 << -1;
        QTest::newRow("10:05") << "1005" << 605 << -1;
        QTest::newRow("colon") << "4:31" << -1 << int(EntryCheck::Format);
        QTest::newRow("blanks around") << " 431 " << 271 << -1;
        QTest::newRow("fraction") << "4.31" << 4 << -1;
        QTest::newRow("40000") << "40000" << -1 << int(EntryCheck::TooLarge);
        QTest::newRow("-40000 keeps too large") << "-40000" << -1 << int(EntryCheck::TooLarge);
        QTest::newRow("negative is a format error") << "-130" << -1 << int(EntryCheck::Format);
        QTest::newRow("rounds to negative") << "-0.6" << -1 << int(EntryCheck::Format);
        QTest::newRow("minus zero") << "-0" << 0 << -1;
        QTest::newRow("zero") << "0" << 0 << -1;
        QTest::newRow("only blanks") << "  " << -1 << int(EntryCheck::Format);
        QTest::newRow("full width, blanks around") << "　４３１　" << 271 << -1;
        QTest::newRow("full-width 80 min") << "８０００" << 4800 << -1;
        QTest::newRow("full-width 8001 too large") << "８００１" << -1 << int(EntryCheck::TooLarge);
        QTest::newRow("full-width 60 seconds") << "６０" << -1 << int(EntryCheck::Seconds);
        QTest::newRow("full-width colon") << "４：３１" << -1 << int(EntryCheck::Format);
        QTest::newRow("full-width minus is a format error") << "－１３０" << -1 << int(EntryCheck::Format);
    }
    // clang-format on
    void singleEntry()
    {
        QFETCH(QString, text);
        QFETCH(int, seconds);
        QFETCH(int, check);
        const auto result = ReadTrackTimes(entries({text.toUtf8().constData()}));
        if (seconds >= 0) {
            QVERIFY(std::holds_alternative<TrackTimes>(result));
            const auto& times = std::get<TrackTimes>(result);
            QCOMPARE(times.seconds, std::vector<int>{seconds});
            QCOMPARE(times.grandTotal, seconds);
        } else {
            QVERIFY(std::holds_alternative<EntryError>(result));
            QCOMPARE(std::get<EntryError>(result), (EntryError{1, EntryCheck(check)}));
        }
    }

    void allEmptyGivesNoTracks()
    {
        const auto result = ReadTrackTimes(EntryTexts{});
        QCOMPARE(std::get<TrackTimes>(result), TrackTimes{});
    }

    void firstEmptyEntryEndsTheList()
    {
        // Entry 4 holds letters but comes after the empty entry 3: it is never read.
        const auto result = ReadTrackTimes(entries({"431", "350", "", "abc", "500"}));
        QCOMPARE(std::get<TrackTimes>(result), (TrackTimes{{271, 230}, 501}));
    }

    void zeroTrackStaysInTheList()
    {
        const auto result = ReadTrackTimes(entries({"100", "0", "200"}));
        QCOMPARE(std::get<TrackTimes>(result), (TrackTimes{{60, 0, 120}, 180}));
    }

    void twentyLongestEntriesKeepTheirTrueTotal()
    {
        EntryTexts e;
        e.fill("8000");
        const auto result = ReadTrackTimes(e);
        QCOMPARE(std::get<TrackTimes>(result).grandTotal, 20 * 4800);
        QCOMPARE(std::get<TrackTimes>(result).seconds.size(), std::size_t(20));
    }

    void firstBadEntryIsReported()
    {
        const auto result = ReadTrackTimes(entries({"431", "99", "4:31", "9999"}));
        QCOMPARE(std::get<EntryError>(result), (EntryError{2, EntryCheck::Seconds}));
    }

    // clang-format off
    void messages_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("check");
        QTest::addColumn<QString>("text");
        QTest::newRow("format") << 3 << int(EntryCheck::Format)
                                << "トラック 3の\r入力の形式に誤りがあります。\r必ず数値で入力してください。\r(例)  4:31 → 431";
        QTest::newRow("too large") << 20 << int(EntryCheck::TooLarge)
                                   << "トラック 20の\r値が大きすぎます。\r入力した値を見直してください。";
        QTest::newRow("seconds") << 1 << int(EntryCheck::Seconds) << "トラック 1の\r秒の値が不正です。\r修正してください。";
    }
    // clang-format on
    void messages()
    {
        QFETCH(int, track);
        QFETCH(int, check);
        QFETCH(QString, text);
        const Message m = EntryError{track, EntryCheck(check)}.message();
        QCOMPARE(QString::fromStdString(m.title), QString("入力エラー"));
        QCOMPARE(QString::fromStdString(m.text), text);
        QCOMPARE(m.icon, MessageIcon::Exclamation);
    }
};

QTEST_APPLESS_MAIN(TestEntryReading)
#include "test_entry_reading.moc"
