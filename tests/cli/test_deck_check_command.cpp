// vantoli-plan's deck check in process: the test program written as FLAC and WAV and measured back,
// the exit status and message of a recording with parts missing, the mistakes of the arguments, and the
// live lines of a growing WAV; one run of the real program.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "cli/deck_check_command.h"
#include "core/deck_test_program.h"

using namespace vantoli;
using namespace vantoli::cli;

class TestDeckCheckCommand : public QObject {
    Q_OBJECT

private slots:
    // Catches a format chosen wrongly by the name, samples scaled or clipped wrongly on the way to 16
    // bits (the levels would read off), and a file written that cannot be read back whole.
    void writesAndMeasuresTheProgram_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("flac") << "test.flac";
        QTest::newRow("wav") << "TEST.WAV";
    }
    void writesAndMeasuresTheProgram()
    {
        QFETCH(QString, name);
        QTemporaryDir folder;
        const std::string path = folder.filePath(name).toStdString();
        const std::optional<CommandResult> written = runDeckCommand({"--deck-test=" + path});
        QVERIFY(written && written->exitStatus == 0);
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(4), name.endsWith("flac") ? QByteArray("fLaC") : QByteArray("RIFF"));
        const std::optional<CommandResult> checked = runDeckCommand({"--deck-check=" + path, "--json"});
        QVERIFY(checked);
        QVERIFY2(checked->exitStatus == 0, checked->err.c_str());
        const nlohmann::json result = nlohmann::json::parse(checked->out);
        QVERIFY(result["missing"].empty());
        QVERIFY(std::abs(result["speedPercent"].get<double>()) < 0.001);
        QVERIFY(std::abs(result["levels"]["left"].get<double>()) < 0.05);
        QCOMPARE(result["response"].size(), deck_test::ResponseHz.size());
    }

    // Catches a cut recording reported as complete, or the other parts not reported with it.
    void namesTheMissingParts()
    {
        QTemporaryDir folder;
        const std::string path = folder.filePath("cut.wav").toStdString();
        QVERIFY(runDeckCommand({"--deck-test=" + path})->exitStatus == 0);
        // The first 30 s only: the level part and most of the speed tone.
        QProcess sox;
        const QString cut = folder.filePath("first.wav");
        sox.start("sox", {QString::fromStdString(path), cut, "trim", "0", "30"});
        QVERIFY(sox.waitForFinished(30000) && sox.exitCode() == 0);
        const std::optional<CommandResult> checked = runDeckCommand({"--deck-check=" + cut.toStdString()});
        QVERIFY(checked);
        QCOMPARE(checked->exitStatus, PartsMissing);
        QVERIFY2(checked->err.find("速度とワウ・フラッター") != std::string::npos &&
                     checked->err.find("無音") != std::string::npos && checked->err.find("レベル") == std::string::npos,
                 checked->err.c_str());
        QVERIFY2(checked->out.find("レベル： L") != std::string::npos, checked->out.c_str());
    }

    // Catches mistakes of the arguments taken for a plan, or a deck check run on them.
    void refusesMistakes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no extension") << QStringList{"--deck-test=out"};
        QTest::newRow("mp3") << QStringList{"--deck-test=out.mp3"};
        QTest::newRow("both") << QStringList{"--deck-test=a.wav", "--deck-check=b.wav"};
        QTest::newRow("json with the program") << QStringList{"--deck-test=a.wav", "--json"};
        QTest::newRow("another option") << QStringList{"--deck-check=b.wav", "--tapes=60"};
        QTest::newRow("no file") << QStringList{"--deck-check=/nonexistent/recording.wav"};
    }
    void refusesMistakes()
    {
        QFETCH(QStringList, arguments);
        std::vector<std::string> given;
        for (const QString& argument : arguments) given.push_back(argument.toStdString());
        const std::optional<CommandResult> result = runDeckCommand(given);
        QVERIFY(result);
        QCOMPARE(result->exitStatus, Failed);
        QVERIFY(result->out.empty() && result->err.rfind("vantoli-plan: ", 0) == 0);
        QVERIFY(!runDeckCommand({"431", "--json"}));  // a plan is no deck check
    }

    // Catches the live mode not reading a WAV still being written (its header's size not yet set) or
    // not ending on "stop".
    void followsAGrowingRecording()
    {
        QTemporaryDir folder;
        const std::string path = folder.filePath("growing.wav").toStdString();
        QVERIFY(runDeckCommand({"--deck-test=" + path})->exitStatus == 0);
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::ReadWrite));
        // As a recorder leaves it: the sizes unwritten, 20 s of sound (the speed tone sounding).
        const qint64 frames = static_cast<qint64>((deckTestPartStart(DeckTestPart::Speed) + 8) * DeckTestRate);
        QVERIFY(file.resize(44 + 4 * frames));
        file.seek(4);
        file.write(QByteArray(4, '\0'));
        file.seek(40);
        file.write(QByteArray(4, '\0'));
        file.close();
        int commands[2];
        QVERIFY(pipe(commands) == 0);
        QVERIFY(write(commands[1], "stop\n", 5) == 5);
        std::FILE* in = fdopen(commands[0], "r");
        std::FILE* out = std::tmpfile();
        QCOMPARE(followDeckRecording(path, in, out, 10), 0);
        std::fclose(in);
        close(commands[1]);
        std::rewind(out);
        char line[65536] = {};
        QVERIFY(std::fgets(line, sizeof line, out));
        std::fclose(out);
        const nlohmann::json reading = nlohmann::json::parse(line);
        QCOMPARE(reading["part"].get<std::string>(), std::string("speed"));
        QVERIFY(std::abs(reading["toneHz"].get<double>() - 3150) < 1);
        QVERIFY(std::abs(reading["seconds"].get<double>() - static_cast<double>(frames) / DeckTestRate) < 0.01);
        QVERIFY(reading["flutter"].size() > 100);
    }

    // Catches the options missing from the real program's help or its exit status lost on the way out.
    void realProgram()
    {
        QProcess help;
        help.start(VANTOLI_PLAN_PROGRAM, {"--help"});
        QVERIFY(help.waitForFinished(30000));
        const QByteArray text = help.readAllStandardOutput();
        QVERIFY(text.contains("--deck-test") && text.contains("--deck-check") && text.contains("--live"));
        QProcess check;
        check.start(VANTOLI_PLAN_PROGRAM, {"--deck-check=/nonexistent.wav"});
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(check.exitCode(), 2);
    }
};

QTEST_GUILESS_MAIN(TestDeckCheckCommand)

#include "test_deck_check_command.moc"
