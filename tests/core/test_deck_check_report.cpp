// The deck check's figures as values: their JSON read back as written (the window reads what
// vantoli-plan writes), and the advice for what the figures show, in both languages.

#include <QtTest>

#include "core/deck_check_report.h"
#include "core/language.h"

using namespace vantoli;

namespace {

DeckCheckResult measuredDeck()
{
    DeckCheckResult result;
    result.missing = {DeckTestPart::Noise};
    result.speed = DeckSpeed{3175.2, 0.8, -0.012};
    result.wowFlutter = DeckWowFlutter{0.089, 0.063, 0.09};
    result.levels = DeckLevels{-0.61, -1.41, -0.8};
    result.azimuth = DeckAzimuth{15.0, 54.0};
    result.response = {{31.5, -0.4}, {400, 0}, {10000, -2.8}, {16000, -4.4}};
    result.upper3dbHz = 10508;
    return result;
}

}  // namespace

class TestDeckCheckReport : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setLanguage(Language::Japanese); }

    // Catches a member written under one name and read under another, a part lost from "missing", and
    // "no -3 dB point" read back as 0 Hz.
    void jsonReadsBackAsWritten()
    {
        const DeckCheckResult written = measuredDeck();
        const std::optional<DeckCheckResult> read = deckCheckFromJson(deckCheckJson(written));
        QVERIFY(read);
        QCOMPARE(read->missing, written.missing);
        QCOMPARE(read->speed->speedPercent, 0.8);
        QCOMPARE(read->speed->driftPercent, -0.012);
        QCOMPARE(read->wowFlutter->weightedRms, 0.063);
        QCOMPARE(read->levels->balance, -0.8);
        QCOMPARE(read->azimuth->microseconds, 15.0);
        QCOMPARE(read->response.size(), written.response.size());
        QCOMPARE(read->response.back().db, -4.4);
        QCOMPARE(read->upper3dbHz.value_or(0), 10508.0);
        QVERIFY(!read->noise);
        DeckCheckResult flat = written;
        flat.upper3dbHz.reset();
        QVERIFY(!deckCheckFromJson(deckCheckJson(flat))->upper3dbHz);
        QVERIFY(!deckCheckFromJson("not json"));
        QVERIFY(!deckCheckFromJson("[1,2]"));
    }

    // Catches advice with the wrong sign, the wrong time on a C90 side, or silent about what it found.
    void adviceSaysWhatToFix_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<double>("speed");
        QTest::addColumn<double>("azimuth");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fast") << true << 0.8 << 0.0 << "The deck runs 0.8 % fast: about 22 s short on a C90 side.";
        QTest::newRow("slow") << true << -1.5 << 0.0 << "The deck runs 1.5 % slow: about 41 s long on a C90 side.";
        QTest::newRow("azimuth") << true << 0.0 << -15.2 << "Azimuth off by 15 µs: treble lost on other decks.";
        QTest::newRow("fast, Japanese") << false << 0.8 << 0.0 << "デッキの速度が 0.8 % 速めです。C90 の片面で約 22 秒短くなります。";
        QTest::newRow("all clear") << true << 0.1 << 2.0 << "Nothing to fix: this deck is ready to record.";
    }
    void adviceSaysWhatToFix()
    {
        QFETCH(bool, english);
        QFETCH(double, speed);
        QFETCH(double, azimuth);
        QFETCH(QString, expected);
        setLanguage(english ? Language::English : Language::Japanese);
        DeckCheckResult result;
        result.speed = DeckSpeed{3150 * (1 + speed / 100), speed, 0};
        result.azimuth = DeckAzimuth{azimuth, 0};
        const std::vector<std::string> advice = deckCheckAdvice(result);
        QCOMPARE(advice.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(advice.front()), expected);
    }

    // Catches parts not found left out of the advice and the figures.
    void missingPartsAreNamed()
    {
        DeckCheckResult result;
        result.missing = {DeckTestPart::Level, DeckTestPart::Azimuth};
        const std::string text = deckCheckText(result);
        QVERIFY2(text.find("レベル（400 Hz）、アジマス（1 kHz と 10 kHz）") != std::string::npos, text.c_str());
        QCOMPARE(deckCheckAdvice(result).back(), deckMissingText(result.missing));
    }
};

QTEST_GUILESS_MAIN(TestDeckCheckReport)

#include "test_deck_check_report.moc"
