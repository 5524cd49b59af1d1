// vantoli-plan on times, disc images, audio files and playlists the test writes, with its settings
// folder in a temporary directory: the command called in this process, and the real program started
// as a user starts it where the process itself matters (the environment, the working folder, the
// streams). What it prints is compared with what the core computes and with the report texts the
// window shows.

#include <QtTest>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

#include <variant>

#include "cli/plan_command.h"
#include "core/disc_kind.h"
#include "core/entry_reading.h"
#include "core/exact_planner.h"
#include "core/file_read_result.h"
#include "core/label_content.h"
#include "core/long_disc_plan.h"
#include "core/plan_report.h"
#include "core/tape_counter.h"
#include "core/tape_document.h"
#include "core/tape_lineup.h"
#include "device/read_files.h"
#include "device/taglib_reader.h"
#include "support/audio_files.h"
#include "support/disc_image.h"
#include "support/sample_discs.h"

using namespace vantoli;
using namespace vantoli::test;

Q_DECLARE_METATYPE(vantoli::Lineup)

namespace {

struct Finished {
    int exitCode = -1;  // -1: did not end normally
    QByteArray out;
    QByteArray err;
};

// Runs the program with its settings folder (and home) in `config`, in the C locale unless told.
Finished runProgram(const QStringList& arguments, const QString& config, const QString& workingDirectory = {},
                    const QString& locale = QStringLiteral("C"))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config);
    environment.insert("HOME", config);
    environment.insert("LC_ALL", locale);  // the output is UTF-8 whatever the locale
    environment.remove("LANGUAGE");
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty()) process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(VANTOLI_PLAN_PROGRAM), arguments);
    Finished finished;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return finished;
    }
    if (process.exitStatus() == QProcess::NormalExit) finished.exitCode = process.exitCode();
    finished.out = process.readAllStandardOutput();
    finished.err = process.readAllStandardError();
    return finished;
}

// Calls the command with the settings file in `config`, as the program finds it there.
Finished runPlan(const QStringList& arguments, const QString& config)
{
    std::vector<std::string> list;
    for (const QString& argument : arguments) list.push_back(argument.toStdString());
    const cli::CommandResult result =
        cli::runPlanCommand(list, QDir(config).filePath("Vantoli/Vantoli.ini").toStdString());
    return {result.exitStatus, QByteArray::fromStdString(result.out), QByteArray::fromStdString(result.err)};
}

QString describe(const Finished& finished)
{
    return "exit " + QString::number(finished.exitCode) + "\nstdout:\n" + QString::fromUtf8(finished.out) +
           "\nstderr:\n" + QString::fromUtf8(finished.err);
}

// A message of the program's as standard error carries it: after the program's name, its lines
// joined by LF instead of the window's CR or CR LF.
QByteArray messageLines(const Message& message)
{
    QByteArray text = QByteArray::fromStdString(message.text);
    text.replace("\r\n", "\n").replace('\r', '\n');
    return "vantoli-plan: " + text + "\n";
}

QByteArray usageLines(const QByteArray& first)
{
    return "vantoli-plan: " + first + "\n詳しくは「vantoli-plan --help」を実行してください。\n";
}

QByteArray lfText(QByteArray text) { return text.replace("\r\n", "\n"); }

const QJsonObject parsed(const QByteArray& json)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return {};
    return document.object();
}

QList<int> numbersOf(const QJsonArray& tracks, const char* field)
{
    QList<int> values;
    for (const QJsonValue& track : tracks) values << track.toObject().value(field).toInt(-1);
    return values;
}

QList<int> numbers(const std::vector<int>& values) { return QList<int>(values.begin(), values.end()); }

Lineup lineupOfMinutes(std::initializer_list<int> minutes)
{
    Lineup lineup;
    for (int m : minutes) lineup.push_back({m, sideCapacity(m)});
    return lineup;
}

// Writes the user's tapes as earlier versions of the window wrote them, with QSettings into Vantoli/Vantoli.ini.
void saveTapes(const QString& config, const std::vector<TapeChoice>& choices)
{
    QSettings settings(config + "/Vantoli/Vantoli.ini", QSettings::IniFormat);
    settings.beginWriteArray("Tapes", int(choices.size()));
    for (int i = 0; i < int(choices.size()); ++i) {
        settings.setArrayIndex(i);
        settings.setValue("minutes", choices[i].minutes);
        settings.setValue("sideCapacity", choices[i].sideCapacity);
        settings.setValue("owned", choices[i].owned);
    }
    settings.endArray();
    settings.sync();
}

}  // namespace

class TestVantoliPlan : public QObject {
    Q_OBJECT
private:
    QTemporaryDir config_;  // an empty settings folder: the standard tapes
    QTemporaryDir files_;

    Finished plan(const QStringList& arguments) const { return runPlan(arguments, config_.path()); }
    QString file(const QString& name) const { return files_.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(config_.isValid());
        QVERIFY(files_.isValid());
        QVERIFY(QFileInfo(QStringLiteral(VANTOLI_PLAN_PROGRAM)).isExecutable());
        QVERIFY(!writeTextFile(files_.path(), "notes.txt", "no audio here\n").isEmpty());
        QVERIFY(QDir(files_.path()).mkpath("empty"));
        QVERIFY(QDir(files_.path()).mkpath("hundred"));
        QByteArray hundredList;
        for (int i = 1; i <= 100; ++i) {
            QVERIFY(!writeWav(file("hundred"), QString("%1.wav").arg(i), framesOf(1000)).isEmpty());
            hundredList += QByteArray("hundred/") + QByteArray::number(i) + ".wav\n";
        }
        QVERIFY(!writeTextFile(files_.path(), "hundred.m3u8", hundredList).isEmpty());
        QVERIFY(!writeTextFile(files_.path(), "broken.m3u8", "#EXTM3U\nnowhere.flac\n").isEmpty());
    }

    // ---- Times ----------------------------------------------------------------------------------

    // clang-format off
    // An English locale gives English usage, plan and messages; the JSON is the same in every language.
    void speaksTheLanguageOfTheEnvironment()
    {
        const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
        const QString english = QStringLiteral("en_US.UTF-8");
        for (const QStringList& arguments : {QStringList{"--help"}, QStringList{"431", "350", "1200"},
                                             QStringList{"--report", "431", "350"}, QStringList{"4x1"},
                                             QStringList{"--bogus"}, QStringList{"--cd", "431"},
                                             QStringList{"--tone=x", "--render=sides", "431"},
                                             QStringList{"--format=wav", "431"}}) {
            const Finished finished = runProgram(arguments, config_.path(), {}, english);
            const QString shown = QString::fromUtf8(finished.out + finished.err);
            QVERIFY2(!shown.isEmpty() && !shown.contains(japanese), qPrintable(describe(finished)));
        }
        QVERIFY(QString::fromUtf8(runProgram({"431"}, config_.path(), {}, english).out).startsWith("Tape: 10-min tape"));
        QVERIFY(QString::fromUtf8(plan({"431"}).out).startsWith(QStringLiteral("使用するテープ： 10分テープ")));
        const QStringList six{"--json", "431", "350", "512", "405", "600", "330"};
        QCOMPARE(runProgram(six, config_.path(), {}, english).out, plan(six).out);
    }

    void jsonIsTheCoresPlan_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<bool>("gap");
        QTest::addColumn<bool>("keepOrder");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<Lineup>("lineup");
        const Lineup standard = standardLineup();
        const QStringList six{"431", "350", "512", "405", "600", "330"};
        QTest::newRow("defaults") << QStringList{} << six << true << true << false << standard;
        QTest::newRow("no gap") << QStringList{"--no-gap"} << six << false << true << false << standard;
        QTest::newRow("gap after no gap") << QStringList{"--no-gap", "--gap"} << six << true << true << false << standard;
        QTest::newRow("exchange") << QStringList{"--no-gap", "--no-keep-order"} << QStringList{"330", "230", "515", "435", "515"}
                                  << false << false << false << standard;
        QTest::newRow("exact") << QStringList{"--exact"} << QStringList{"448", "539", "303", "305", "644", "201", "514"}
                               << true << false << true << standard;
        QTest::newRow("exact, order let go twice") << QStringList{"--no-keep-order", "--exact"} << six << true << false << true << standard;
        QTest::newRow("own tapes") << QStringList{"--tapes=90,60:1860"} << six << true << true << false
                                   << Lineup{{60, 1860}, {90, 2745}};
        QTest::newRow("tapes as next argument") << QStringList{"--tapes", "46, 54"} << six << true << true << false
                                                << lineupOfMinutes({46, 54});
        QTest::newRow("full width, blanks, fraction") << QStringList{} << QStringList{"４３１", " 350 ", "512.4", "　405"}
                                                      << true << true << false << standard;
        QTest::newRow("a track of 0 s") << QStringList{} << QStringList{"431", "0", "300"} << true << true << false << standard;
        QTest::newRow("one track") << QStringList{} << QStringList{"545"} << true << true << false << standard;
        QTest::newRow("twenty tracks") << QStringList{"--no-keep-order"} << QStringList(20, "259") << true << false << false << standard;
        QTest::newRow("after --") << QStringList{"--json", "--"} << QStringList{"431", "350"} << true << true << false << standard;
    }
    // clang-format on
    void jsonIsTheCoresPlan()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, times);
        QFETCH(bool, gap);
        QFETCH(bool, keepOrder);
        QFETCH(bool, exact);
        QFETCH(Lineup, lineup);

        const Finished finished = plan(QStringList{"--json"} + arguments + times);
        QVERIFY2(finished.exitCode == 0 && finished.err.isEmpty(), qPrintable(describe(finished)));
        QVERIFY(!finished.out.contains('\r'));
        const QJsonObject json = parsed(finished.out);
        QVERIFY2(!json.isEmpty(), finished.out.constData());

        EntryTexts entries;
        for (int i = 0; i < times.size(); ++i) entries[i] = times[i].toStdString();
        const TrackTimes read = std::get<TrackTimes>(ReadTrackTimes(entries));
        const PlanOptions options{gap, keepOrder, exact};
        const std::optional<LongDiscPlan> expected =
            planLongDisc(read.seconds, options, std::int32_t(read.seconds.size()), lineup);
        QVERIFY(expected);
        const TapePlan& p = expected->plan;
        const LabelContent label = labelContent(MadePlan{p, read.seconds, gap ? GapSeconds : 0, {}});

        QCOMPARE(json["tape"]["minutes"].toInt(), p.tapeMinutes);
        QCOMPARE(json["tape"]["sideCapacity"].toInt(), label.sideCapacity);
        QCOMPARE(json["trackCount"].toInt(), times.size());
        QVERIFY(!json.contains("album") && !json.contains("artist"));
        const auto compareSide = [&](const char* name, const LabelSide& side, const std::vector<int>& numbersOnSide,
                                     int seconds, int blank) {
            const QJsonObject o = json[name].toObject();
            const QJsonArray tracks = o["tracks"].toArray();
            QCOMPARE(numbersOf(tracks, "number"), numbers(numbersOnSide));
            QList<int> starts, lengths;
            for (const LabelTrack& t : side.tracks) {
                starts << t.start;
                lengths << t.seconds;
            }
            QCOMPARE(numbersOf(tracks, "start"), starts);
            QCOMPARE(numbersOf(tracks, "seconds"), lengths);
            for (const QJsonValue& t : tracks) QVERIFY(!t.toObject().contains("title"));
            QCOMPARE(o["seconds"].toInt(), seconds);
            QCOMPARE(o["blank"].toInt(), blank);
            QCOMPARE(o["playing"].toInt(), side.playing);
            QCOMPARE(o["left"].toInt(), side.left);
        };
        compareSide("sideA", label.sideA, p.sideA, p.sideATime, p.sideABlank);
        compareSide("sideB", label.sideB, p.sideB, p.sideBTime, p.sideBBlank);
        QCOMPARE(json["total"]["seconds"].toInt(), read.grandTotal);
        QCOMPARE(json["total"]["blank"].toInt(), p.totalBlank);
        if (p.exchange) {
            QCOMPARE(json["exchange"]["toSideB"].toInt(), p.exchange->outgoingA + 1);
            QCOMPARE(json["exchange"]["toSideA"].toInt(), p.exchange->outgoingB + 1);
        } else {
            QVERIFY(json["exchange"].isNull());
        }
        QCOMPARE(json["exact"].toBool(), p.exact);

        const QJsonObject used = json["options"].toObject();
        QCOMPARE(used["keepOrder"].toBool(!keepOrder), keepOrder);
        QCOMPARE(used["gap"].toBool(!gap), gap);
        QCOMPARE(used["exact"].toBool(!exact), exact);
        QList<QPair<int, int>> tapes, expectedTapes;
        for (const QJsonValue& t : used["tapes"].toArray())
            tapes << qMakePair(t["minutes"].toInt(), t["sideCapacity"].toInt());
        for (const Tape& t : lineup) expectedTapes << qMakePair(t.minutes, t.sideCapacity);
        QCOMPARE(tapes, expectedTapes);
    }

    // Plans worked out by hand: the tape and each side's tracks in recording order.
    // clang-format off
    void knownPlans_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("tape");
        QTest::addColumn<QList<int>>("sideA");
        QTest::addColumn<QList<int>>("sideB");
        QTest::newRow("six tracks, gaps") << QStringList{"431", "350", "512", "405", "600", "330"} << 30
                                          << QList<int>{1, 2, 3} << QList<int>{4, 5, 6};
        QTest::newRow("kept order") << QStringList{"--no-gap", "330", "230", "515", "435", "515"} << 30
                                    << QList<int>{1, 2, 3} << QList<int>{4, 5};
        QTest::newRow("one exchange") << QStringList{"--no-gap", "--no-keep-order", "330", "230", "515", "435", "515"} << 20
                                      << QList<int>{1, 2, 4} << QList<int>{3, 5};
        QTest::newRow("exchange, side B longer") << QStringList{"--no-gap", "--no-keep-order", "220", "255", "505", "530", "525"} << 20
                                                 << QList<int>{1, 2, 5} << QList<int>{3, 4};
        QTest::newRow("exchange only gets 40") << QStringList{"--no-keep-order", "448", "539", "303", "305", "644", "201", "514"} << 40
                                               << QList<int>{1, 2, 3, 4} << QList<int>{5, 6, 7};
        QTest::newRow("exact finds 30") << QStringList{"--exact", "448", "539", "303", "305", "644", "201", "514"} << 30
                                        << QList<int>{2, 3, 5} << QList<int>{1, 4, 6, 7};
        QTest::newRow("345 s fits 10") << QStringList{"545"} << 10 << QList<int>{1} << QList<int>{};
        QTest::newRow("346 s needs 20") << QStringList{"546"} << 20 << QList<int>{1} << QList<int>{};
        QTest::newRow("only 60 and 90") << QStringList{"--tapes=60,90", "431", "350"} << 60 << QList<int>{1, 2} << QList<int>{};
    }
    // clang-format on
    void knownPlans()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, tape);
        QFETCH(QList<int>, sideA);
        QFETCH(QList<int>, sideB);
        const Finished finished = plan(QStringList{"--json"} + arguments);
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        const QJsonObject json = parsed(finished.out);
        QCOMPARE(json["tape"]["minutes"].toInt(), tape);
        QCOMPARE(numbersOf(json["sideA"]["tracks"].toArray(), "number"), sideA);
        QCOMPARE(numbersOf(json["sideB"]["tracks"].toArray(), "number"), sideB);
    }

    void readablePlan()
    {
        const Finished finished = runProgram({"431", "350", "512", "405", "600", "330"}, config_.path());
        QVERIFY2(finished.exitCode == 0 && finished.err.isEmpty(), qPrintable(describe(finished)));
        QCOMPARE(QString::fromUtf8(finished.out), QStringLiteral("使用するテープ： 30分テープ（片面 15:45）\n"
                                                                 "総トラック数： 6\n"
                                                                 "\n"
                                                                 "＜A面＞\n"
                                                                 "  番号   開始   長さ\n"
                                                                 "     1   0:00   4:31\n"
                                                                 "     2   4:36   3:50\n"
                                                                 "     3   8:31   5:12\n"
                                                                 "トータル： 13:33   ブランク： 0:10   残り： 2:02\n"
                                                                 "\n"
                                                                 "＜B面＞\n"
                                                                 "  番号   開始   長さ\n"
                                                                 "     4   0:00   4:05\n"
                                                                 "     5   4:10   6:00\n"
                                                                 "     6  10:15   3:30\n"
                                                                 "トータル： 13:35   ブランク： 0:10   残り： 2:00\n"
                                                                 "\n"
                                                                 "＜両面＞\n"
                                                                 "トータル： 27:08   ブランク： 0:20\n"));
    }

    void readablePlanNamesTheExchangeAndAnEmptySide()
    {
        Finished finished = plan({"--no-gap", "--no-keep-order", "330", "230", "515", "435", "515"});
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        QVERIFY(finished.out.contains("入れ替え： トラック 3 を B面へ、トラック 4 を A面へ\n"));

        finished = plan({"545"});
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        QVERIFY(finished.out.contains("＜B面＞\n  （曲なし）\nトータル： 0:00   ブランク： 0:00   残り： 5:45\n"));
    }

    // ---- The report -----------------------------------------------------------------------------

    // clang-format off
    void reportIsTheWindowsText_data()
    {
        QTest::addColumn<std::vector<int>>("seconds");
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<bool>("crlf");
        QTest::newRow("ranges, LF") << RangeExampleSeconds << QByteArray(RangeExampleReport) << false;
        QTest::newRow("ranges, CR LF") << RangeExampleSeconds << QByteArray(RangeExampleReport) << true;
        QTest::newRow("lists, LF") << ListExampleSeconds << QByteArray(ListExampleReport) << false;
        QTest::newRow("lists, CR LF") << ListExampleSeconds << QByteArray(ListExampleReport) << true;
    }
    // clang-format on
    void reportIsTheWindowsText()
    {
        QFETCH(std::vector<int>, seconds);
        QFETCH(QByteArray, report);
        QFETCH(bool, crlf);
        QTemporaryDir folder;
        const QString image = writeDiscImage(folder.path(), discOf(seconds));
        QVERIFY(!image.isEmpty());

        QStringList arguments{"--report", "--no-keep-order", "--cd=" + image};
        if (crlf) arguments << "--crlf";
        const Finished finished = plan(arguments);
        QVERIFY2(finished.exitCode == 0 && finished.err.isEmpty(), qPrintable(describe(finished)));
        QCOMPARE(finished.out, crlf ? report : lfText(report));
    }

    // Any count from 1 to 99 gets the report as the core builds it.
    // clang-format off
    void reportOfAnyCount_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<std::vector<int>>("seconds");
        QTest::addColumn<bool>("keepOrder");
        QTest::newRow("one time") << QStringList{"545"} << std::vector<int>{345} << true;
        QTest::newRow("six times, exchange") << QStringList{"--no-keep-order", "330", "230", "515", "435", "515"}
                                             << std::vector<int>{210, 150, 315, 275, 315} << false;
    }
    // clang-format on
    void reportOfAnyCount()
    {
        QFETCH(QStringList, arguments);
        QFETCH(std::vector<int>, seconds);
        QFETCH(bool, keepOrder);
        const Finished finished = plan(QStringList{"--report", "--crlf"} + arguments);
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        const std::optional<LongDiscPlan> expected =
            planLongDisc(seconds, PlanOptions{true, keepOrder, false}, std::int32_t(seconds.size()));
        QVERIFY(expected);
        QCOMPARE(finished.out, QByteArray::fromStdString(PlanReportText(*expected)));
    }

    void reportOfNinetyNineTracks()
    {
        QTemporaryDir folder;
        const std::vector<int> seconds(99, 30);
        const QString image = writeDiscImage(folder.path(), discOf(seconds));
        const Finished finished = plan({"--report", "--cd", image});
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        const std::optional<LongDiscPlan> expected = planLongDisc(seconds, PlanOptions{}, 99);
        QVERIFY(expected);
        QCOMPARE(finished.out, lfText(QByteArray::fromStdString(PlanReportText(*expected))));
        QVERIFY(finished.out.contains("総トラック数： 99\n"));
    }

    // ---- A disc image with CD-Text --------------------------------------------------------------

    void discImageWithTitles()
    {
        QTemporaryDir folder;
        const QString image = writeDiscImage(folder.path(), discOf({200, 300, 250}), {"アルバム", "歌手"},
                                             {{"一曲目", ""}, {"二曲目", "ゲスト"}, {"三曲目", ""}}, "titled");
        QVERIFY(!image.isEmpty());

        Finished finished = plan({"--json", "--cd", image});
        QVERIFY2(finished.exitCode == 0 && finished.err.isEmpty(), qPrintable(describe(finished)));
        const QJsonObject json = parsed(finished.out);
        QCOMPARE(json["album"].toString(), QStringLiteral("アルバム"));
        QCOMPARE(json["artist"].toString(), QStringLiteral("歌手"));
        QCOMPARE(json["trackCount"].toInt(), 3);
        QStringList titles, artists;
        for (const char* side : {"sideA", "sideB"})
            for (const QJsonValue& t : json[side]["tracks"].toArray()) {
                titles << t["title"].toString();
                artists << t["artist"].toString();
            }
        QCOMPARE(titles, (QStringList{"一曲目", "二曲目", "三曲目"}));
        QCOMPARE(artists, (QStringList{"歌手", "ゲスト", "歌手"}));
        QCOMPARE(numbersOf(json["sideA"]["tracks"].toArray(), "seconds") +
                     numbersOf(json["sideB"]["tracks"].toArray(), "seconds"),
                 (QList<int>{200, 300, 250}));

        // The readable plan names the album once and a track's artist where it is not the album's.
        finished = plan({"--cd=" + image});
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        const QString text = QString::fromUtf8(finished.out);
        QVERIFY2(text.contains("アルバム： アルバム — 歌手\n"), qPrintable(text));
        QVERIFY2(text.contains("  番号  開始  長さ  タイトル\n"), qPrintable(text));
        QVERIFY2(text.contains("     1  0:00  3:20  一曲目\n"), qPrintable(text));
        QVERIFY2(text.contains("     2  3:25  5:00  二曲目 — ゲスト\n"), qPrintable(text));
        QVERIFY2(text.contains("三曲目\n"), qPrintable(text));
    }

    // ---- Files ----------------------------------------------------------------------------------

    void folderOfAudioFilesInNameOrder()
    {
        QTemporaryDir folder;
        const QString album = folder.filePath("album");
        QVERIFY(QDir().mkpath(album));
        QVERIFY(!writeWav(album, "10 last.wav", framesOf(61000)).isEmpty());
        QVERIFY(!writeWav(album, "2 second.wav", framesOf(125500)).isEmpty());
        QVERIFY(!writeWav(album, "1 first.wav", framesOf(59999)).isEmpty());

        // "album" has no '/', reads as no number and exists: a folder, read from the working folder.
        const Finished finished = runProgram({"--json", "album"}, config_.path(), folder.path());
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        const QJsonObject json = parsed(finished.out);
        const QJsonArray tracks = json["sideA"]["tracks"].toArray();
        QCOMPARE(numbersOf(tracks, "seconds"), (QList<int>{59, 125, 61}));
        QStringList titles;
        for (const QJsonValue& t : tracks) titles << t["title"].toString();
        QCOMPARE(titles, (QStringList{"1 first", "2 second", "10 last"}));
    }

    void taggedAudioFile()
    {
        QTemporaryDir folder;
        const QString flac = writeEncoded(Encoder::Flac, folder.path(), "song.flac", 4400,
                                          {"曲名「表ソ能」", "アーティスト", "アルバム"});
        QVERIFY2(!flac.isEmpty(), "flac failed");
        const Finished finished = plan({"--json", flac});
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        const QJsonObject json = parsed(finished.out);
        QCOMPARE(json["album"].toString(), QStringLiteral("アルバム"));
        const QJsonObject track = json["sideA"]["tracks"][0].toObject();
        QCOMPARE(track["title"].toString(), QStringLiteral("曲名「表ソ能」"));
        QCOMPARE(track["artist"].toString(), QStringLiteral("アーティスト"));
        QCOMPARE(track["seconds"].toInt(), 4);
    }

    // A playlist keeps its own order and its #EXTINF titles, whatever characters they hold: the JSON
    // carries them escaped, the readable plan shows no control character.
    void playlistWithAwkwardTitles()
    {
        QTemporaryDir folder;
        for (const char* name : {"a.wav", "b.wav", "c.wav"})
            QVERIFY(!writeWav(folder.path(), name, framesOf(200000)).isEmpty());
        const QByteArray awkward = "say \"hi\" \\ tab\there\x01 end";
        const QString list =
            writeTextFile(folder.path(), "list.m3u8",
                          "#EXTM3U\n#EXTINF:200,最初の曲\nc.wav\n#EXTINF:200," + awkward + "\na.wav\nb.wav\n");
        QVERIFY(!list.isEmpty());

        Finished finished = plan({"--json", list});
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        const QJsonObject json = parsed(finished.out);
        QVERIFY2(!json.isEmpty(), finished.out.constData());
        QStringList titles;
        for (const char* side : {"sideA", "sideB"})
            for (const QJsonValue& t : json[side]["tracks"].toArray()) titles << t["title"].toString();
        // Quotes and backslashes travel through the JSON; control characters are dropped from titles.
        QCOMPARE(titles, (QStringList{"最初の曲", QString::fromUtf8("say \"hi\" \\ tab here end"), "b"}));

        finished = plan({list});
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        QVERIFY(!finished.out.contains('\t') && !finished.out.contains('\x01') && !finished.out.contains('\r'));
        QVERIFY2(finished.out.contains("say \"hi\" \\ tab here end\n"),
                 finished.out.constData());
    }

    void twentyOneFilesArePlannedAsOne()
    {
        QTemporaryDir folder;
        for (int i = 1; i <= 21; ++i)
            QVERIFY(!writeWav(folder.path(), QString("%1.wav").arg(i), framesOf(180000)).isEmpty());
        const Finished finished = plan({"--report", folder.path()});
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        const std::optional<LongDiscPlan> expected = planLongDisc(std::vector<int>(21, 180), PlanOptions{}, 21);
        QVERIFY(expected);
        QCOMPARE(finished.out, lfText(QByteArray::fromStdString(PlanReportText(*expected))));
    }

    // ---- Tape documents ---------------------------------------------------------------------------

    // A tape saved by the window plans with its own options and tapes, not the user's saved ones;
    // options given on the command line win.
    void tapeDocumentPlansWithItsOwnSettings()
    {
        TapeDocument tape;
        tape.entries = {"431", "350", "512", "405", "600", "330"};
        tape.tracks.tracks.assign(6, Track{});
        tape.tracks.tracks[2].title = "三曲目";
        tape.options = PlanOptions{false, true, false};
        tape.lineup = {{60, 1860}, {90, 2745}};
        const QString path = file("six.vantoli");
        QVERIFY(!writeTextFile(files_.path(), "six.vantoli", QByteArray::fromStdString(writeTapeDocument(tape, "/")))
                     .isEmpty());

        Finished finished = runProgram({"--json", path}, config_.path());
        QVERIFY2(finished.exitCode == 0 && finished.err.isEmpty(), qPrintable(describe(finished)));
        const QJsonObject json = parsed(finished.out);
        QCOMPARE(json["tape"]["minutes"].toInt(), 60);
        QCOMPARE(json["options"]["gap"].toBool(), false);
        QCOMPARE(json["sideA"]["tracks"].toArray()[2].toObject()["title"].toString(), QString("三曲目"));

        finished = plan({"--json", "--tapes=30,46", "--gap", path});
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        const QJsonObject overridden = parsed(finished.out);
        QCOMPARE(overridden["tape"]["minutes"].toInt(), 30);
        QCOMPARE(overridden["options"]["gap"].toBool(), true);

        // A long list is planned from its tracks, as the window shows its report.
        TapeDocument list;
        list.longList = true;
        list.tracks.tracks.assign(25, Track{150'000, "", "", {}});
        list.lineup = standardLineup();
        QVERIFY(!writeTextFile(files_.path(), "long.vantoli", QByteArray::fromStdString(writeTapeDocument(list, "/")))
                     .isEmpty());
        finished = plan({"--report", file("long.vantoli")});
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        const std::optional<LongDiscPlan> expected = planLongDisc(std::vector<int>(25, 150), PlanOptions{}, 25);
        QCOMPARE(finished.out, lfText(QByteArray::fromStdString(PlanReportText(*expected))));

        // A file that is no tape gives the window's message; a tape goes alone.
        finished = plan({file("notes.txt.vantoli")});
        QCOMPARE(finished.exitCode, 2);
        QCOMPARE(finished.err, messageLines(documentErrorMessage({DocumentError::Kind::Unreadable, "見つかりません"},
                                                                 file("notes.txt.vantoli").toStdString())));
        finished = plan({path, file("notes.txt")});
        QCOMPARE(finished.exitCode, 2);
        QVERIFY(finished.err.contains("six.vantoli"));
    }

    // ---- The user's tapes -----------------------------------------------------------------------

    void savedTapesAreTheLineup()
    {
        QTemporaryDir config;
        saveTapes(config.path(), {{46, 1425, false}, {60, 1860, true}, {90, 2745, true}});
        const QStringList six{"431", "350", "512", "405", "600", "330"};

        // The program finds the settings file in the configuration folder of its environment.
        Finished finished = runProgram(QStringList{"--json"} + six, config.path());
        QVERIFY2(finished.exitCode == 0 && finished.err.isEmpty(), qPrintable(describe(finished)));
        const QJsonObject json = parsed(finished.out);
        QCOMPARE(json["tape"]["minutes"].toInt(), 60);
        QCOMPARE(json["tape"]["sideCapacity"].toInt(), 1860);
        QCOMPARE(json["options"]["tapes"].toArray().size(), 2);

        // --tapes is asked for this once and wins over the saved list.
        finished = runPlan(QStringList{"--json", "--tapes=30,46"} + six, config.path());
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        QCOMPARE(parsed(finished.out)["tape"]["minutes"].toInt(), 30);

        // No tape of the saved list holds 101 minutes: the message names its longest tape.
        finished = runPlan({"5000", "5000"}, config.path());
        QCOMPARE(finished.exitCode, 1);
        QCOMPARE(finished.err, messageLines(lineupFailureMessage(Lineup{{60, 1860}, {90, 2745}})));
        QVERIFY(finished.out.isEmpty());
    }

    // clang-format off
    void damagedSettingsGiveAWarningAndTheStandardTapes_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("no INI text") << QByteArray("\x89PNG\r\n\x1a\n\0\0binary", 16);
        QTest::newRow("a list out of order") << QByteArray("[Tapes]\n1\\minutes=90\n1\\sideCapacity=2745\n1\\owned=true\n"
                                                           "2\\minutes=60\n2\\sideCapacity=1845\n2\\owned=true\nsize=2\n");
        QTest::newRow("a size that is no number") << QByteArray("[Tapes]\nsize=many\n");
    }
    // clang-format on
    void damagedSettingsGiveAWarningAndTheStandardTapes()
    {
        QFETCH(QByteArray, ini);
        QTemporaryDir config;
        QVERIFY(QDir(config.path()).mkpath("Vantoli"));
        const QString path = writeTextFile(config.filePath("Vantoli"), "Vantoli.ini", ini);
        QVERIFY(!path.isEmpty());

        const Finished finished = runPlan({"--json", "431", "350"}, config.path());
        QVERIFY2(finished.exitCode == 0, qPrintable(describe(finished)));
        QCOMPARE(finished.err, messageLines(unreadableTapesMessage(path.toStdString())));
        QCOMPARE(parsed(finished.out)["options"]["tapes"].toArray().size(), int(standardLineup().size()));
    }

    // ---- Every message --------------------------------------------------------------------------

    // clang-format off
    void messages_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("err");
        const auto entry = [](int track, EntryCheck check) { return messageLines(EntryError{track, check}.message()); };
        const auto filesMessage = [](const QStringList& items) {
            std::vector<std::string> paths;
            for (const QString& item : items) paths.push_back(item.toStdString());
            const FileTracks read = readTrackFiles(paths, TagLibReader());
            return std::holds_alternative<UnreadableFiles>(read)
                       ? messageLines(unreadableFilesMessage(std::get<UnreadableFiles>(read)))
                       : QByteArray("(the files were read)");
        };
        QTest::newRow("a colon") << QStringList{"431", "4:31"} << 2 << entry(2, EntryCheck::Format);
        QTest::newRow("letters") << QStringList{"abc"} << 2 << entry(1, EntryCheck::Format);
        QTest::newRow("blanks only") << QStringList{"431", "   "} << 2 << entry(2, EntryCheck::Format);
        QTest::newRow("negative") << QStringList{"431", "-130"} << 2 << entry(2, EntryCheck::Format);
        QTest::newRow("negative after --") << QStringList{"--", "-130"} << 2 << entry(1, EntryCheck::Format);
        QTest::newRow("too large") << QStringList{"8001"} << 2 << entry(1, EntryCheck::TooLarge);
        QTest::newRow("past 16 bits") << QStringList{"431", "350", "40000"} << 2 << entry(3, EntryCheck::TooLarge);
        QTest::newRow("seconds") << QStringList{"160"} << 2 << entry(1, EntryCheck::Seconds);
        QTest::newRow("full-width seconds") << QStringList{"431", "１６０"} << 2 << entry(2, EntryCheck::Seconds);
        QTest::newRow("first bad entry named") << QStringList{"431", "7960", "abc"} << 2 << entry(2, EntryCheck::Seconds);
        QTest::newRow("no tape holds it") << QStringList{"5000", "5000", "5000"} << 1
                                          << messageLines(lineupFailureMessage());
        QTest::newRow("one track too long") << QStringList{"5100"} << 1 << messageLines(lineupFailureMessage());
        QTest::newRow("no tape of two") << QStringList{"--tapes=46,60", "3000", "3000"} << 1
                                        << messageLines(lineupFailureMessage(lineupOfMinutes({46, 60})));
        const auto image = [](DiscImageFault fault, const char* name) {
            return messageLines(discImageMessage({fault, name}));
        };
        QTest::newRow("no disc image") << QStringList{"--cd=" + file("none.cue")} << 2
                                       << image(DiscImageFault::Missing, "none.cue");
        QTest::newRow("no image at all") << QStringList{"--cd", file("notes.txt")} << 2
                                         << image(DiscImageFault::NotAnImage, "notes.txt");
        writeTextFile(files_.path(), "lost.cue", "FILE \"Lost (Track 1).bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n");
        QTest::newRow("a BIN file missing") << QStringList{"--cd=" + file("lost.cue")} << 2
                                            << image(DiscImageFault::FileMissing, "Lost (Track 1).bin");
        QTest::newRow("missing files") << QStringList{file("missing.flac"), file("gone.mp3")} << 2
                                       << filesMessage({file("missing.flac"), file("gone.mp3")});
        QTest::newRow("no audio") << QStringList{file("notes.txt")} << 2 << filesMessage({file("notes.txt")});
        QTest::newRow("a playlist pointing nowhere") << QStringList{file("broken.m3u8")} << 2
                                                     << filesMessage({file("broken.m3u8")});
        QTest::newRow("no tracks") << QStringList{file("empty")} << 2 << messageLines(noFileTracksMessage());
        QTest::newRow("100 files") << QStringList{file("hundred")} << 2 << messageLines(tooManyFileTracksMessage());
        QTest::newRow("100 in a playlist") << QStringList{file("hundred.m3u8")} << 2
                                           << messageLines(tooManyFileTracksMessage());
    }
    // clang-format on
    void messages()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, err);
        const Finished finished = plan(arguments);
        QVERIFY2(finished.exitCode == exitCode, qPrintable(describe(finished)));
        QCOMPARE(finished.err, err);
        QVERIFY(finished.out.isEmpty());
    }

    void messageNamesTheFilesAsTheWindowDoes()
    {
        const Finished finished = plan({file("missing.flac")});
        QCOMPARE(finished.err,
                 QByteArray("vantoli-plan: 次のファイルを読み取れません。\n・missing.flac（見つかりません）\n"));
    }

    void defaultDriveWithoutADisc()
    {
        for (const char* drive : {"/dev/cdrom", "/dev/sr0", "/dev/sr1"})
            if (QFileInfo::exists(drive)) QSKIP("this machine has a CD drive, which may hold a disc");
        const Finished finished = runProgram({"--cd"}, config_.path());
        QCOMPARE(finished.exitCode, 2);
        QCOMPARE(finished.err, messageLines(noDiscMessage()));
    }

    // ---- Usage ----------------------------------------------------------------------------------

    // clang-format off
    // --several: each CSV one album. The JSON is the set planner's plan, with sources and tracks
    // counted from 1 as given and the album's titles; --counter adds each track's counter reading.
    void plansSeveralTapes()
    {
        QTemporaryDir folder;
        const auto album = [&](const QString& name, const QString& title, std::initializer_list<int> seconds) {
            QFile csv(folder.filePath(name));
            if (!csv.open(QIODevice::WriteOnly)) return QString();
            csv.write("Track Name,Artist Name(s),Album Name,Track Duration (ms)\n");
            int n = 0;
            for (int s : seconds)
                csv.write(QString("%1 %2,Band,%1,%3\n").arg(title).arg(++n).arg(qint64(s) * 1000).toUtf8());
            return csv.fileName();
        };
        const QString first = album("one.csv", "One", {1000, 1000, 1000});
        const QString second = album("two.csv", "Two", {1000, 1000, 1000, 1000});
        const Finished run = plan({"--several", "--no-gap", "--json", "--counter=5:00@100,40:00@600", first, second});
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        const QJsonObject json = parsed(run.out);
        const QJsonArray tapes = json.value("tapes").toArray();
        // The core's answer for these lengths: One alone on side A of a C100, Two split at the flip of a C70.
        QCOMPARE(tapes.size(), 2);
        QCOMPARE(tapes[0].toObject().value("tape").toInt(), 100);
        QCOMPARE(tapes[1].toObject().value("tape").toInt(), 70);
        QCOMPARE(json.value("albumSplits").toInt(), 1);
        const QJsonArray sides = tapes[1].toObject().value("sides").toArray();
        QCOMPARE(sides[0].toObject().value("side").toString(), QString("A"));
        const QJsonArray b = sides[1].toObject().value("tracks").toArray();
        QCOMPARE(numbersOf(b, "source"), (QList<int>{2, 2}));
        QCOMPARE(numbersOf(b, "track"), (QList<int>{3, 4}));
        QCOMPARE(numbersOf(b, "start"), (QList<int>{0, 1000}));
        QCOMPARE(b[0].toObject().value("title").toString(), QString("Two 3"));
        QCOMPARE(sides[1].toObject().value("seconds").toInt(), 2000);
        const QJsonArray a1 = tapes[0].toObject().value("sides").toArray()[0].toObject().value("tracks").toArray();
        const std::optional<CounterCalibration> fit = calibrateCounter({300, 100}, {2400, 600});
        QVERIFY(fit);
        QCOMPARE(numbersOf(a1, "counter"), (QList<int>{0, counterAt(*fit, 1000), counterAt(*fit, 2000)}));
        QVERIFY(tapes[0].toObject().value("sides").toArray()[1].toObject().value("tracks").toArray().isEmpty());

        // The text names every tape, side and track with its start and length.
        const Finished text = plan({"--several", "--no-gap", first, second});
        QCOMPARE(text.exitCode, 0);
        const QString out = QString::fromUtf8(text.out);
        QVERIFY2(out.contains("2/2") && out.contains("70分テープ") && out.contains("16:40") && out.contains("Two 4"),
                 qPrintable(out));

        // A track no side holds: status 1 and the track named.
        const QString huge = album("huge.csv", "Huge", {200, 4000});
        const Finished tooLong = plan({"--several", first, huge});
        QCOMPARE(tooLong.exitCode, 1);
        QVERIFY2(QString::fromUtf8(tooLong.err).contains("Huge 2"), qPrintable(describe(tooLong)));
    }

    void refusesSeveralMisused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("no album") << QStringList{"--several", "--json"} << "--several";
        QTest::newRow("times are no album") << QStringList{"--several", "431"} << "431";
        QTest::newRow("with --exact") << QStringList{"--several", "--exact", "a.csv"} << "--several";
        QTest::newRow("with --report") << QStringList{"--several", "--report", "a.csv"} << "--several";
        QTest::newRow("counter alone") << QStringList{"--counter=1:00@10,2:00@19", "a.csv"} << "--counter";
        QTest::newRow("counter backwards") << QStringList{"--several", "--counter=1:00@10,2:00@5", "a.csv"} << "--counter";
        QTest::newRow("counter unreadable") << QStringList{"--several", "--counter=1:0@10", "a.csv"} << "--counter";
        QTest::newRow("lead-in without render") << QStringList{"--several", "--lead-in=2", "a.csv"} << "--lead-in";
    }
    void refusesSeveralMisused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        const Finished run = plan(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(QString::fromUtf8(run.err).contains(said), qPrintable(describe(run)));
        QVERIFY(run.out.isEmpty());
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("mistake");
        QTest::newRow("nothing") << QStringList{} << "どれかを指定してください";
        QTest::newRow("options only") << QStringList{"--no-gap", "--json"} << "どれかを指定してください";
        QTest::newRow("-- only") << QStringList{"--"} << "どれかを指定してください";
        QTest::newRow("unknown long") << QStringList{"--foo", "431"} << "不明なオプションです： --foo";
        QTest::newRow("unknown with value") << QStringList{"--foo=1", "431"} << "不明なオプションです： --foo";
        QTest::newRow("unknown short") << QStringList{"-x", "431"} << "不明なオプションです： -x";
        QTest::newRow("short help") << QStringList{"-h"} << "不明なオプションです： -h";
        QTest::newRow("no abbreviations") << QStringList{"--rep", "431"} << "不明なオプションです： --rep";
        QTest::newRow("case matters") << QStringList{"--JSON", "431"} << "不明なオプションです： --JSON";
        QTest::newRow("flag with value") << QStringList{"--gap=yes", "431"} << "--gap は値をとりません";
        QTest::newRow("help with value") << QStringList{"--help=all"} << "--help は値をとりません";
        QTest::newRow("version with value") << QStringList{"--version=1"} << "--version は値をとりません";
        QTest::newRow("json with value") << QStringList{"--json=pretty", "431"} << "--json は値をとりません";
        QTest::newRow("tapes without value") << QStringList{"431", "--tapes"} << "--tapes には値が必要です";
        QTest::newRow("tapes empty") << QStringList{"--tapes=", "431"} << "--tapes の値「」を読めません";
        QTest::newRow("tapes letters") << QStringList{"--tapes", "C60", "431"} << "--tapes の値「C60」を読めません";
        QTest::newRow("tapes empty item") << QStringList{"--tapes=60,,90", "431"} << "を読めません";
        QTest::newRow("tapes trailing comma") << QStringList{"--tapes=60,", "431"} << "を読めません";
        QTest::newRow("tapes without capacity") << QStringList{"--tapes=60:", "431"} << "を読めません";
        QTest::newRow("tapes without minutes") << QStringList{"--tapes=:1860", "431"} << "を読めません";
        QTest::newRow("tapes negative") << QStringList{"--tapes=-60", "431"} << "を読めません";
        QTest::newRow("tapes fraction") << QStringList{"--tapes=60.5", "431"} << "を読めません";
        QTest::newRow("tape of 0 min") << QStringList{"--tapes=0,60", "431"} << "--tapes： テープの長さは 1～180 分にしてください。";
        QTest::newRow("tape of 181 min") << QStringList{"--tapes=181", "431"} << "テープの長さは 1～180 分にしてください。";
        QTest::newRow("tape of a huge length") << QStringList{"--tapes=99999999999", "431"} << "テープの長さは 1～180 分にしてください。";
        QTest::newRow("tape twice") << QStringList{"--tapes=60,90,60", "431"} << "60分テープが一覧の中で重なっているか、順序が違います。";
        QTest::newRow("no side") << QStringList{"--tapes=60:0", "431"} << "60分テープの片面の時間は 1～9999 秒にしてください。";
        QTest::newRow("side too long") << QStringList{"--tapes=60:10000", "431"} << "60分テープの片面の時間は 1～9999 秒にしてください。";
        QTest::newRow("sides shrink") << QStringList{"--tapes=60:2000,90:1900", "431"}
                                      << "90分テープの片面の時間（1900 秒）を、60分テープ（2000 秒）より長くしてください。";
        QTest::newRow("report and json") << QStringList{"--report", "--json", "431"} << "--report と --json は一緒に指定できません";
        QTest::newRow("crlf alone") << QStringList{"--crlf", "431"} << "--crlf は --report と一緒に指定してください";
        QTest::newRow("crlf with json") << QStringList{"--json", "--crlf", "431"} << "--crlf は --report と一緒に";
        QTest::newRow("exact with order kept") << QStringList{"--exact", "--keep-order", "431"} << "--keep-order とは一緒に指定できません";
        QTest::newRow("order kept, then exact") << QStringList{"--keep-order", "--exact", "431"} << "--keep-order とは一緒に指定できません";
        QTest::newRow("cd with times") << QStringList{"--cd", "431", "350"} << "--cd に指定できるのは";
        QTest::newRow("cd with two images") << QStringList{"--cd=a.cue", "b.cue"} << "--cd に指定できるのは";
        QTest::newRow("cd given twice") << QStringList{"--cd=a.cue", "--cd=b.cue"} << "--cd に指定できるのは";
        QTest::newRow("cd empty") << QStringList{"--cd="} << "--cd= の後に";
        QTest::newRow("times then files") << QStringList{"431", "song.flac"} << "トラックのタイム「431」とファイル「song.flac」は一緒に指定できません";
        QTest::newRow("files then times") << QStringList{"./song", "431"} << "トラックのタイム「431」とファイル「./song」は一緒に指定できません";
        QTest::newRow("21 times") << QStringList(21, "300") << "トラックのタイムは 20 曲まで";
        QTest::newRow("an empty argument") << QStringList{"431", "", "350"} << "空の引数は指定できません";
        QTest::newRow("check-tape empty") << QStringList{"--check-tape=", "a.flac"} << "--check-tape= の後に";
        QTest::newRow("side C") << QStringList{"--check-tape=t.wav", "--side=C", "a.flac"} << "--side には A か B を指定してください（「C」）";
        QTest::newRow("side without check-tape") << QStringList{"--side=B", "a.flac"} << "--side は --play か --check-tape と一緒に";
        QTest::newRow("plot without check-tape") << QStringList{"--plot=p.png", "a.flac"} << "--plot は --check-tape と一緒に";
        QTest::newRow("plot empty") << QStringList{"--check-tape=t.wav", "--plot=", "a.flac"} << "--plot= の後に";
        QTest::newRow("check request with files")
            << QStringList{"--check-tape=t.wav", "--request=-", "a.flac"} << "--check-tape --request=- は面を標準入力の JSON で";
        QTest::newRow("count-down with check-tape")
            << QStringList{"--check-tape=t.wav", "--count-down=3", "a.flac"} << "--count-down は --play と一緒に";
        QTest::newRow("check-tape and render") << QStringList{"--check-tape=t.wav", "--render=out", "a.flac"} << "--check-tape と --render は一緒に";
        QTest::newRow("check-tape and format") << QStringList{"--check-tape=t.wav", "--format=wav", "a.flac"} << "--format は --render と一緒に";
        QTest::newRow("check-tape and report") << QStringList{"--check-tape=t.wav", "--report", "a.flac"} << "--check-tape と --report は一緒に";
        QTest::newRow("mistake before help") << QStringList{"--foo", "--help"} << "不明なオプションです： --foo";
        // The sound engine's options: each only where it means something.
        QTest::newRow("side C") << QStringList{"--play", "--side=C", "a.flac"} << "--side には A か B を";
        QTest::newRow("count-down too long") << QStringList{"--play", "--count-down=31", "a.flac"} << "--count-down には 0 から 30";
        QTest::newRow("device alone") << QStringList{"--device=tape", "a.flac"} << "--device は --play か --record と";
        QTest::newRow("play and render") << QStringList{"--play", "--render=out", "a.flac"} << "--play は --render";
        QTest::newRow("request with files") << QStringList{"--play", "--request=-", "a.flac"} << "--play --request=- は";
        QTest::newRow("request with side") << QStringList{"--play", "--request=-", "--side=B"} << "--play --request=- は";
        QTest::newRow("request from a file") << QStringList{"--play", "--request=r.json"} << "--request には「-」";
        QTest::newRow("devices with more") << QStringList{"--devices", "--json"} << "--devices はほかの";
        QTest::newRow("record with files") << QStringList{"--record=r.wav", "a.flac"} << "--record と一緒に指定できるのは";
        QTest::newRow("record empty") << QStringList{"--record="} << "--record= の後に";
        QTest::newRow("seconds alone") << QStringList{"--seconds=3", "a.flac"} << "--seconds は --record と";
        QTest::newRow("seconds of nothing") << QStringList{"--record=r.wav", "--seconds=0"} << "--seconds には録音する秒数";
    }
    // clang-format on
    void badArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, mistake);
        const Finished finished = plan(arguments);
        QVERIFY2(finished.exitCode == 2, qPrintable(describe(finished)));
        QVERIFY(finished.out.isEmpty());
        const QList<QByteArray> lines = finished.err.split('\n');
        QCOMPARE(lines.size(), 3);  // two lines and the end of the last
        QVERIFY2(lines[0].startsWith("vantoli-plan: ") && lines[0].contains(mistake.toUtf8()), lines[0].constData());
        QCOMPARE(finished.err, usageLines(lines[0].mid(14)));
    }

    // clang-format off
    void helpAndVersion_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("help");
        QTest::newRow("help") << QStringList{"--help"} << true;
        QTest::newRow("help before a mistake") << QStringList{"--help", "--foo"} << true;
        QTest::newRow("help after times") << QStringList{"431", "4:31", "--help"} << true;
        QTest::newRow("version") << QStringList{"--version"} << false;
        QTest::newRow("version before help") << QStringList{"--version", "--help"} << false;
    }
    // clang-format on
    void helpAndVersion()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, help);
        const Finished finished = plan(arguments);
        QVERIFY2(finished.exitCode == 0 && finished.err.isEmpty(), qPrintable(describe(finished)));
        if (!help) {
            QCOMPARE(finished.out, QByteArray("vantoli-plan (Vantoli) " VANTOLI_VERSION "\n"));
            return;
        }
        const QString text = QString::fromUtf8(finished.out);
        QVERIFY(text.startsWith("使い方： vantoli-plan"));
        for (const char* option : {"--keep-order", "--no-keep-order", "--gap", "--no-gap", "--exact", "--tapes", "--cd",
                                   "--report", "--crlf", "--json", "--help", "--version"})
            QVERIFY2(text.contains(QString(" ") + option), option);
    }
};

QTEST_GUILESS_MAIN(TestVantoliPlan)

#include "test_vantoli_plan.moc"
