// The deck check window's wiring: opened from the File menu; a recording of a simulated deck measured
// through the real vantoli-plan and shown as figures, advice and the plotted response; the report saved
// as a PDF and read back with poppler; live lines shown on the meters. The measurements themselves are
// tested in the core.

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include "core/deck_check_report.h"
#include "core/deck_test_program.h"
#include "core/sound_report.h"
#include "gui/deck_check.h"
#include "gui/level_meter.h"
#include "support/constructed_sound.h"
#include "support/open_window.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

// A deck running 0.8 % fast, its right channel 15 µs late, its treble falling from 9 kHz, with hiss.
QString writeSimulatedDeck(const QString& folder)
{
    const double speed = 1.008, delay = 15e-6;
    const auto frames = static_cast<std::int64_t>(deckTestSeconds() / speed * DeckTestRate) + 1;
    std::vector<float> played =
        deckTestProgram([&](double t, int channel) { return speed * (t - (channel == 1 ? delay : 0)); }, frames);
    rollOffTreble(played, DeckTestRate, 9000);
    scaleAndAddHiss(played, std::pow(10.0, -0.6 / 20), std::pow(10.0, -1.4 / 20), 4e-4);
    QByteArray data;
    for (float value : played) {
        const auto sample = static_cast<qint16>(std::clamp(std::lround(value * 32767.0), -32768L, 32767L));
        data.append(reinterpret_cast<const char*>(&sample), 2);
    }
    const auto word = [](quint32 value, int bytes) { return QByteArray(reinterpret_cast<const char*>(&value), bytes); };
    QByteArray file = "RIFF" + word(36 + static_cast<quint32>(data.size()), 4) + "WAVEfmt " + word(16, 4) + word(1, 2) +
                      word(2, 2) + word(44100, 4) + word(44100 * 4, 4) + word(4, 2) + word(16, 2) + "data" +
                      word(static_cast<quint32>(data.size()), 4) + data;
    const QString path = folder + QStringLiteral("/simulated-deck.wav");
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()) return {};
    return path;
}

}  // namespace

class TestDeckCheckWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("VANTOLI_PLAN", VANTOLI_PLAN_PROGRAM); }

    // Catches the menu item missing, misnamed or not opening the window.
    void opensFromTheFileMenu()
    {
        auto window = openWindow();
        QVERIFY(window);
        QAction* item = window->mnuFileDeckCheck();
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("デッキの点検(&K)..."));
        item->trigger();
        DeckCheck* check = window->deckCheckWindow().window();
        QVERIFY(check && check->isVisible());
        QCOMPARE(check->objectName(), QStringLiteral("DeckCheck"));
        for (const char* name : {"cmdRecordTest", "cmdMeasure", "cmdSaveReport", "pltResponse", "pltFlutter", "mtrPhase"})
            QVERIFY2(check->findChild<QWidget*>(QString::fromLatin1(name)), name);
        QVERIFY(!check->cmdSaveReport()->isEnabled());  // nothing measured yet
    }

    // Catches the window not showing what vantoli-plan measured (figures, advice, response), the
    // report not saved or saved without its figures.
    void showsAndSavesTheMeasurement()
    {
        QTemporaryDir folder;
        const QString recording = writeSimulatedDeck(folder.path());
        QVERIFY(!recording.isEmpty());
        DeckCheck window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        window.measureFile(recording);
        QCOMPARE(window.state(), DeckCheck::State::Measuring);
        QVERIFY(!window.cmdMeasure()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(window.state() == DeckCheck::State::Idle, 120000);
        QVERIFY2(window.result(), qPrintable(window.lblStatus()->text()));
        const DeckCheckResult& result = *window.result();
        QCOMPARE(window.txtFigures()->toPlainText().toStdString(), deckCheckText(result));
        QCOMPARE(window.pltResponse()->bands().size(), deck_test::ResponseHz.size());
        // The advice speaks of the speed and the azimuth of this deck.
        const QString advice = window.lblAdvice()->text();
        QVERIFY2(advice.contains(QStringLiteral("0.8 % 速め")) && advice.contains(QStringLiteral("約 22 秒")) &&
                     advice.contains(QStringLiteral("アジマスが 15 µs")),
                 qPrintable(advice));
        QVERIFY(window.cmdSaveReport()->isEnabled());

        const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
        QVERIFY(window.saveReport(pdf));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString read = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(read.contains(QStringLiteral("デッキの点検")) && read.contains(QStringLiteral("アジマス")), qPrintable(read));
    }

    // Catches a recording that is no test program ending without a word, or leaving the window busy.
    void saysWhatIsMissing()
    {
        QTemporaryDir folder;
        const QString silence = folder.filePath(QStringLiteral("silence.wav"));
        QProcess sox;
        sox.start(QStringLiteral("sox"), {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"), QStringLiteral("-c"),
                                          QStringLiteral("2"), QStringLiteral("-b"), QStringLiteral("16"), silence,
                                          QStringLiteral("trim"), QStringLiteral("0"), QStringLiteral("5")});
        QVERIFY(sox.waitForFinished(30000) && sox.exitCode() == 0);
        DeckCheck window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.measureFile(silence);
        QTRY_VERIFY_WITH_TIMEOUT(window.state() == DeckCheck::State::Idle, 60000);
        QVERIFY(window.result() && window.result()->missing.size() == DeckTestParts.size());
        QVERIFY2(window.lblStatus()->text().contains(QStringLiteral("見つからない")), qPrintable(window.lblStatus()->text()));
    }

    // Catches live lines not reaching the tone label, the flutter trace, the phase meter and the meters.
    void showsLiveReadings()
    {
        DeckCheck window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.showLive(R"({"seconds":12.5,"left":-10.2,"right":-11.0,"toneHz":3175.2,"part":"speed","speedPercent":0.8,)"
                        R"("flutter":[0.01,-0.02,0.03],"flutterRate":50})");
        QVERIFY2(window.lblTone()->text().contains(QStringLiteral("3175.2")) && window.lblTone()->text().contains(QStringLiteral("+0.80")),
                 qPrintable(window.lblTone()->text()));
        QCOMPARE(window.pltFlutter()->trace().size(), std::size_t{3});
        QCOMPARE(window.mtrLeft()->level().rmsDb, -10.2);
        QVERIFY(!window.mtrPhase()->phase());
        window.showLive(R"({"seconds":60,"left":-20,"right":-20,"toneHz":10000,"part":"azimuth","phaseDegrees":-54.0})");
        QCOMPARE(window.mtrPhase()->phase().value_or(0), -54.0);
    }

    // Catches the meters reading the play's level lines in a shape the player does not write.
    void showsThePlayedLevels()
    {
        DeckCheck window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        SoundReport level;
        level.frame = 44100;
        level.level = {{-3.5, -9.5}, {-4.0, -12.5}};
        window.showPlayed(QByteArray::fromStdString(soundReportLine(level)));
        QCOMPARE(window.mtrLeft()->level().rmsDb, -9.5);
        QCOMPARE(window.mtrRight()->level().peakDb, -4.0);
    }
};

QTEST_MAIN(TestDeckCheckWindow)

#include "test_deck_check_window.moc"
