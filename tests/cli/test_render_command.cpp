// vantoli-plan --render and --stream=- run as a user or the dubbing window runs them: the files and
// the stream they leave, the exit status, and what happens when the reader goes away or the user
// cancels.

#include <QtTest>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdlib>

#include "core/tape_document.h"
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include "support/audio_files.h"

using namespace vantoli::test;

namespace {

struct Finished {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Finished runProgram(const QStringList& arguments, const QString& home, const QByteArray& input = {},
                    const QString& locale = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!locale.isEmpty()) {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) environment.remove(name);
        environment.insert("LANG", locale);
    }
    environment.insert("HOME", home);
    environment.insert("XDG_CONFIG_HOME", home);
    environment.insert("XDG_CACHE_HOME", home + "/cache");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VANTOLI_PLAN_PROGRAM), arguments);
    process.write(input);
    process.closeWriteChannel();
    Finished finished;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return finished;
    }
    finished.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    finished.out = process.readAllStandardOutput();
    finished.err = process.readAllStandardError();
    return finished;
}

}  // namespace

class TestRenderCommand : public QObject {
    Q_OBJECT
    QTemporaryDir home_;

private slots:
    // --several --render: each side that holds a track becomes tape-N-side-x.flac, all of them named
    // together; a blank side gets no file.
    void rendersEachTapeOfASet()
    {
        QTemporaryDir albums;
        for (const auto& [folder, count] : {std::pair{"one", 2}, std::pair{"two", 2}, std::pair{"three", 1}}) {
            QVERIFY(QDir(albums.path()).mkpath(folder));
            for (int i = 1; i <= count; ++i)
                QVERIFY(!writeWav(albums.filePath(folder), QString("%1.wav").arg(i), 8 * 44100).isEmpty());
        }
        const QString out = home_.filePath("set");
        // A side holds 20 s: one album a side, and the third on a second tape.
        const Finished run = runProgram({"--several", "--no-gap", "--tapes=10:20", "--lead-in=0", "--json",
                                         "--render=" + out, albums.filePath("one"), albums.filePath("two"),
                                         albums.filePath("three")},
                                        home_.path());
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QJsonArray tapes = QJsonDocument::fromJson(run.out).object().value("tapes").toArray();
        QCOMPARE(tapes.size(), 2);
        const QJsonObject first = tapes[0].toObject().value("render").toObject();
        QCOMPARE(first.value("A").toObject().value("frames").toInteger(), 16 * 44100);
        QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name),
                 (QStringList{"tape-1-side-a.flac", "tape-1-side-b.flac", "tape-2-side-a.flac"}));
        QCOMPARE(first.value("B").toObject().value("file").toString(), QDir(out).filePath("tape-1-side-b.flac"));
    }

    // Typed times hold no sound: a message and status 2, and no folder made.
    void typedTimesCannotBeRendered()
    {
        const QString out = home_.filePath("times");
        const Finished run = runProgram({"--tapes=46", "--render=" + out, "431", "512"}, home_.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(QString::fromUtf8(run.err).contains("タイム"));
        QVERIFY(!QDir(out).exists());
    }

    // A tape whose entry was typed a minute over its file's 20 s plans that minute: the side would
    // play something else, so it is refused, naming the track and both times, and nothing is written.
    void aTimeTypedOverTheAudioIsRefused()
    {
        const QString folder = home_.filePath("typed");
        QVERIFY(QDir().mkpath(folder));
        vantoli::TapeDocument tape;
        tape.entries = {"20", "120"};
        for (int i = 1; i <= 2; ++i) {
            const QString file = writeWav(folder, QString("%1.wav").arg(i), 44100 * 20);
            tape.tracks.tracks.push_back(vantoli::Track{
                20'000, "", "", vantoli::AudioSource{vantoli::AudioSource::Kind::File, file.toStdString(), 0, -1, 0}});
        }
        tape.lineup = vantoli::standardLineup();
        QFile document(folder + "/t.vantoli");
        QVERIFY(document.open(QIODevice::WriteOnly));
        document.write(QByteArray::fromStdString(vantoli::writeTapeDocument(tape, folder.toStdString())));
        document.close();

        const QString out = folder + "/sides";
        const Finished run = runProgram({"--render=" + out, document.fileName()}, home_.path());
        QCOMPARE(run.exitCode, 2);
        const QString err = QString::fromUtf8(run.err);
        QVERIFY2(err.contains("トラック 2") && err.contains("1:20") && err.contains("0:20"), run.err.constData());
        QVERIFY(!QDir(out).exists());
    }

    // Under an English locale the sides' programs and the messages of the render, the stream and the
    // sound sources are English: a text left out of the catalogue shows Japanese.
    void speaksEnglishUnderAnEnglishLocale()
    {
        const QRegularExpression japanese(
            QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
        const QString english = QStringLiteral("en_US.UTF-8");
        const QString folder = home_.filePath("english");
        QVERIFY(QDir().mkpath(folder));
        const QString file = writeWav(folder, "1.wav", 44100 * 2);
        const Finished rendered =
            runProgram({"--tapes=46", "--tone=1", "--render=" + folder + "/sides", file}, home_.path(), {}, english);
        QVERIFY2(rendered.exitCode == 0 && rendered.out.contains("<Side A program>"), rendered.err.constData());
        const Finished runs[] = {
            rendered,
            runProgram({"--render=" + folder + "/times", "431"}, home_.path(), {}, english),
            runProgram({"--render=" + folder + "/none", folder + "/missing.wav"}, home_.path(), {}, english),
            runProgram({"--stream=-"}, home_.path(), R"({"what": "all"})", english),
            runProgram({"--stream=-"}, home_.path(), R"({"tracks": [{"path": "/nowhere/1.flac"}]})", english),
        };
        for (const Finished& run : runs) {
            const QString shown = QString::fromUtf8(run.out + run.err);
            QVERIFY2(!run.err.isEmpty() || run.exitCode == 0, shown.toUtf8().constData());
            QVERIFY2(!shown.contains(japanese), shown.toUtf8().constData());
        }
    }

    // Both sides as WAV files exactly as long as the programs the JSON gives, the tracks in the plan's
    // order after the tone and the lead-in.
    void rendersBothSidesAsTheProgramsSay()
    {
        const QString folder = home_.filePath("album");
        QVERIFY(QDir().mkpath(folder));
        QStringList files;
        for (int i = 1; i <= 3; ++i) files << writeWav(folder, QString("%1.wav").arg(i), 44100 * 20 * i + i);
        const QString out = home_.filePath("sides");
        const Finished run = runProgram(QStringList{"--tapes=46", "--json", "--lead-in=1", "--tone=3,400,-20",
                                                    "--format=wav", "--render=" + out} +
                                            files,
                                        home_.path());
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QJsonObject render = QJsonDocument::fromJson(run.out).object()["render"].toObject();
        for (const QString side : {"A", "B"}) {
            const QJsonObject program = render[side].toObject();
            const QString path = program["file"].toString();
            QCOMPARE(QFileInfo(path).size(), 44 + qint64(program["frames"].toDouble()) * 4);
            const QJsonArray segments = program["segments"].toArray();
            QCOMPARE(segments.first().toObject()["kind"].toString(), QString("tone"));
            QCOMPARE(segments.first().toObject()["frames"].toInt(), 3 * 44100);
        }
        // All three on side A, B only its tone and lead-in.
        const QJsonArray a = render["A"].toObject()["segments"].toArray();
        QCOMPARE(a[2].toObject()["track"].toInt(), 1);
        QCOMPARE(a[2].toObject()["frames"].toInt(), 44100 * 20 + 1);
        QCOMPARE(a[4].toObject()["track"].toInt(), 2);
        QCOMPARE(a[4].toObject()["start"].toInt(), 44100 * (3 + 1 + 20 + 5) + 1);
        QCOMPARE(a[6].toObject()["track"].toInt(), 3);
        QCOMPARE(render["B"].toObject()["frames"].toInt(), 44100 * (3 + 1));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), (QStringList{"side-a.wav", "side-b.wav"}));
    }

    // The stream is the side's program, byte for byte in length; a reader that goes away ends it quietly
    // (status 0, nothing on standard error); a bad request is status 2, a missing file status 1.
    void streamsAsTheContractSays()
    {
        const QString wav = writeWav(home_.path(), "stream.wav", 44100 * 2 + 5);
        const QByteArray request =
            QJsonDocument(
                QJsonObject{{"leadInSeconds", 0.5},
                            {"tracks", QJsonArray{QJsonObject{{"number", 1}, {"path", wav}, {"milliseconds", 2000}},
                                                  QJsonObject{{"number", 2}, {"path", wav}}}}})
                .toJson();
        Finished run = runProgram({"--stream=-"}, home_.path(), request);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.size(), qsizetype((22050 + 2 * (88200 + 5) + 5 * 44100) * 4));

        const QByteArray loopedTone = R"({"what": "tone", "tone": {"seconds": 1}, "tracks": []})";
        const QString script =
            QString("printf '%1' | '%2' --stream=- | head -c 100000 >/dev/null; echo ${PIPESTATUS[1]}")
                .arg(QString::fromUtf8(loopedTone), VANTOLI_PLAN_PROGRAM);
        QProcess shell;
        shell.start("bash", {"-c", script});
        QVERIFY(shell.waitForFinished(30000));
        QCOMPARE(shell.readAllStandardOutput().trimmed(), QByteArray("0"));
        QCOMPARE(shell.readAllStandardError(), QByteArray());

        run = runProgram({"--stream=-"}, home_.path(), R"({"tracks": [{"number": 1, "path": "/nowhere/x.flac"}]})");
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("/nowhere/x.flac"));
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(runProgram({"--stream=-"}, home_.path(), R"({"leadInSeconds": 31, "tracks": []})").exitCode, 2);
    }

    // The count-down's beeps alone, for a side timed on a CD player. Faults: a stream that never ends
    // (the window would record it onto the tape), beeps off the second, silence between them lost.
    void streamsTheCountDownAlone()
    {
        const Finished run = runProgram({"--stream=-"}, home_.path(), R"({"what": "countdown", "countDownSeconds": 2, "tracks": []})");
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.size(), qsizetype(2 * 44100 * 4));
        const auto* samples = reinterpret_cast<const std::int16_t*>(run.out.constData());
        const auto loudest = [&](int fromMs, int toMs) {
            int peak = 0;
            for (qsizetype f = qsizetype(fromMs) * 441 / 10; f < qsizetype(toMs) * 441 / 10; ++f)
                peak = std::max({peak, std::abs(int(samples[2 * f])), std::abs(int(samples[2 * f + 1]))});
            return peak;
        };
        for (const int second : {0, 1}) {
            QVERIFY(loudest(second * 1000, second * 1000 + 100) > 4000);
            QCOMPARE(loudest(second * 1000 + 101, second * 1000 + 999), 0);
        }
        QCOMPARE(runProgram({"--stream=-"}, home_.path(), R"({"what": "countdown", "countDownSeconds": 0, "tracks": []})").exitCode,
                 2);
    }

    // Numbers past what they can mean overflowed or streamed without end: refused as a bad request
    // (status 2) before any sound is made.
    void numbersPastTheirMeaningAreRefused_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("milliseconds 9.2e18")
            << QByteArray(R"({"tracks": [{"path": "/x.flac", "milliseconds": 9.2e18}]})");
        QTest::newRow("milliseconds past a long") << QByteArray(R"({"tracks": [{"path": "/x.flac", "milliseconds": 18446744073709551615}]})");
        QTest::newRow("tone 1e300 s") << QByteArray(R"({"what": "tone", "tone": {"seconds": 1e300}, "tracks": []})");
        QTest::newRow("track start far past any file")
            << QByteArray(R"({"tracks": [{"path": "/x.flac", "startFrame": 9223372036854775000}]})");
        QTest::newRow("side start far past any side") << QByteArray(R"({"startFrame": 9223372036854775000, "tracks": []})");
    }
    void numbersPastTheirMeaningAreRefused()
    {
        QFETCH(QByteArray, request);
        const Finished run = runProgram({"--stream=-"}, home_.path(), request);
        QVERIFY2(run.exitCode == 2, run.err.constData());
        QCOMPARE(run.out, QByteArray());
    }

    // A cancel part-way leaves neither side, nor a hidden partial file: SIGTERM and SIGINT as a user
    // cancels, SIGHUP as a closed terminal sends (which left 95 MB of hidden files behind).
    void aCancelLeavesNothing_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void aCancelLeavesNothing()
    {
        QFETCH(int, signal);
        const QString folder = home_.filePath("long");
        QVERIFY(QDir().mkpath(folder));
        QStringList files;
        for (int i = 1; i <= 4; ++i) {
            const QString name = QString("%1.wav").arg(i);
            files << (QFileInfo::exists(folder + "/" + name) ? folder + "/" + name
                                                              : writeWav(folder, name, 44100 * 60 * 20));
        }
        const QString out = home_.filePath("cancelled");
        QProcess process;
        process.start(VANTOLI_PLAN_PROGRAM, QStringList{"--tapes=120", "--render=" + out} + files);
        QVERIFY(process.waitForStarted());
        // Waits until the first side is being written (its hidden file is there), then cancels.
        QDeadlineTimer deadline(30000);
        while (QDir(out).entryList(QDir::Files | QDir::Hidden).isEmpty() && !deadline.hasExpired() &&
               process.state() == QProcess::Running)
            QTest::qWait(5);
        QCOMPARE(process.state(), QProcess::Running);
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 130);
        QVERIFY(process.readAllStandardError().contains("中止"));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // A render that fails part-way, at any step, leaves the sides rendered before exactly as they were
    // and nothing new: side B's name taken by a folder removed the earlier side A; so did a disk that
    // filled up during side B.
    // Also catches the plan printed on standard output when the render failed.
    void aFailedRenderKeepsTheEarlierSides_data()
    {
        QTest::addColumn<QString>("folderAt");  // the side whose name a folder takes
        QTest::addColumn<qint64>("sizeLimit");  // the largest file the render may write, or 0
        QTest::newRow("side B a folder") << "side-b.wav" << qint64(0);
        QTest::newRow("side A a folder") << "side-a.wav" << qint64(0);
        QTest::newRow("the disk full during the longer side") << "" << qint64(44 + 44100 * 4 * 200);
    }
    void aFailedRenderKeepsTheEarlierSides()
    {
        QFETCH(QString, folderAt);
        QFETCH(qint64, sizeLimit);
        const QString folder = home_.filePath("failing");
        QVERIFY(QDir().mkpath(folder));
        // One track on each side of a 10-minute tape: 2:30 and 4:10.
        const QStringList files{writeWav(folder, "a.wav", 44100 * 150), writeWav(folder, "b.wav", 44100 * 250)};
        const QString out = home_.filePath(QString("failed-%1").arg(qHash(QTest::currentDataTag())));
        QDir(out).removeRecursively();
        QVERIFY(QDir().mkpath(out));
        QHash<QString, QByteArray> earlier{{"side-a.wav", "earlier side A"}, {"side-b.wav", "earlier side B"}};
        for (auto it = earlier.begin(); it != earlier.end(); ++it) {
            if (it.key() == folderAt) {
                QVERIFY(QDir(out).mkpath(it.key() + "/inside"));
                continue;
            }
            QFile file(out + "/" + it.key());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(it.value());
        }
        QProcess process;
        if (sizeLimit > 0)
            process.setChildProcessModifier([sizeLimit] {
                ::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{rlim_t(sizeLimit), rlim_t(sizeLimit)};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
        process.start(VANTOLI_PLAN_PROGRAM, QStringList{"--tapes=10", "--tone=0", "--lead-in=0", "--format=wav",
                                                        "--render=" + out} +
                                                files);
        QVERIFY(process.waitForFinished(60000));
        const QByteArray err = process.readAllStandardError();
        QVERIFY2(process.exitCode() == 2, err.constData());
        QVERIFY2(err.contains("side-"), err.constData());
        // The plan is not printed as if all had gone well.
        QVERIFY(process.readAllStandardOutput().isEmpty());
        QStringList left = QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(left, (QStringList{"side-a.wav", "side-b.wav"}));
        for (auto it = earlier.begin(); it != earlier.end(); ++it) {
            if (it.key() == folderAt) {
                QVERIFY(QFileInfo(out + "/" + it.key() + "/inside").isDir());
                continue;
            }
            QFile file(out + "/" + it.key());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), it.value());
        }
    }

    // Hidden partial files a killed render left stayed for good: the next render into the folder
    // removes those of its own names that no running render holds, and says so; others stay.
    void leftoversOfAKilledRenderAreRemoved()
    {
        const QString folder = home_.filePath("leftovers");
        QVERIFY(QDir().mkpath(folder));
        const QString file = writeWav(folder, "1.wav", 44100);
        const QString out = folder + "/sides";
        QVERIFY(QDir().mkpath(out));
        const QStringList left{".side-a.flac.Ab12Cd", ".side-b.wav.zz99ZZ"};
        const QStringList kept{".side-a.flac.Held00", ".side-a.flac.bak", ".other.flac.Ab12Cd", "notes.txt"};
        for (const QString& name : left + kept) {
            QFile made(out + "/" + name);
            QVERIFY(made.open(QIODevice::WriteOnly));
            made.write("partial");
        }
        // One still written by a render that runs: it holds the file's lock.
        const int held = ::open(QFile::encodeName(out + "/.side-a.flac.Held00").constData(), O_RDONLY);
        QVERIFY(held >= 0 && ::flock(held, LOCK_EX) == 0);
        const Finished run = runProgram({"--tapes=46", "--tone=0", "--render=" + out, file}, home_.path());
        ::close(held);
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QVERIFY2(run.err.contains(".side-a.flac.Ab12Cd") && run.err.contains(".side-b.wav.zz99ZZ"), run.err.constData());
        QStringList found = QDir(out).entryList(QDir::Files | QDir::Hidden);
        found.sort();
        QCOMPARE(found, (QStringList{".other.flac.Ab12Cd", ".side-a.flac.Held00", ".side-a.flac.bak", "notes.txt",
                                     "side-a.flac", "side-b.flac"}));
    }
};

QTEST_GUILESS_MAIN(TestRenderCommand)
#include "test_render_command.moc"
