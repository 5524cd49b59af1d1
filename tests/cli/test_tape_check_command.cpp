// vantoli-plan --check-tape run as a user runs it: a side rendered from files, a recording made from
// that render (later, quieter, with hiss and a dropout), the JSON, the text and the picture.

#include <QtTest>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <random>

#include "support/synthetic_side.h"

using namespace vantoli;

namespace {

struct Finished {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Finished runProgram(const QStringList& arguments, const QString& home, const QString& locale = "ja_JP.UTF-8")
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) environment.remove(name);
    environment.insert("LANG", locale);
    environment.insert("HOME", home);
    environment.insert("XDG_CONFIG_HOME", home);
    environment.insert("XDG_CACHE_HOME", home + "/cache");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VANTOLI_PLAN_PROGRAM), arguments);
    Finished finished;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return finished;
    }
    finished.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    finished.out = process.readAllStandardOutput();
    finished.err = process.readAllStandardError();
    return finished;
}

// 16-bit stereo WAV of mono samples.
bool writeWav(const QString& path, const std::vector<float>& mono)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const auto bytes = static_cast<quint32>(mono.size() * 4);
    QByteArray header;
    const auto u32 = [&](quint32 v) { header.append(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](quint16 v) { header.append(reinterpret_cast<const char*>(&v), 2); };
    header.append("RIFF");
    u32(36 + bytes);
    header.append("WAVEfmt ");
    u32(16), u16(1), u16(2), u32(44100), u32(44100 * 4), u16(4), u16(16);
    header.append("data");
    u32(bytes);
    file.write(header);
    std::vector<qint16> pcm(mono.size() * 2);
    for (std::size_t i = 0; i < mono.size(); ++i)
        pcm[2 * i] = pcm[2 * i + 1] = static_cast<qint16>(std::clamp(std::lround(mono[i] * 32768.0f), -32768L, 32767L));
    return file.write(reinterpret_cast<const char*>(pcm.data()), static_cast<qint64>(pcm.size() * 2)) ==
           static_cast<qint64>(pcm.size() * 2);
}

std::vector<float> readWav(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray all = file.readAll();
    const auto* pcm = reinterpret_cast<const qint16*>(all.constData() + 44);
    std::vector<float> mono(static_cast<std::size_t>((all.size() - 44) / 4));
    for (std::size_t i = 0; i < mono.size(); ++i) mono[i] = (pcm[2 * i] + pcm[2 * i + 1]) / 65536.0f;
    return mono;
}

}  // namespace

class TestTapeCheckCommand : public QObject {
    Q_OBJECT
    QTemporaryDir home_;
    QStringList tracks_;
    QJsonObject sideA_;
    QString recording_;

private slots:
    // Two tracks of made-up music, rendered as side A, played back 2.5 s into a recording, 3 dB low,
    // with hiss and one dropout of 50 ms at 12 dB.
    void initTestCase()
    {
        DubbingSettings none;
        none.leadInSeconds = 0;
        const SideProgram source = sideProgram({12 * SampleRate, 14 * SampleRate}, {1, 2}, false, none);
        const std::vector<float> music = test::SyntheticSide(source, 5u).frames();
        for (const Segment& segment : source.segments) {
            const QString path = home_.filePath(QString("%1.wav").arg(segment.track));
            QVERIFY(writeWav(path, std::vector<float>(music.begin() + segment.start,
                                                      music.begin() + segment.start + segment.frames)));
            tracks_ << path;
        }
        const Finished render = runProgram(QStringList{"--tapes=10", "--json", "--format=wav",
                                                       "--render=" + home_.filePath("sides")} + tracks_,
                                           home_.path());
        QVERIFY2(render.exitCode == 0, render.err.constData());
        sideA_ = QJsonDocument::fromJson(render.out).object()["render"].toObject()["A"].toObject();
        const std::vector<float> side = readWav(sideA_["file"].toString());
        QVERIFY(!side.empty());

        std::vector<float> tape(static_cast<std::size_t>(2.5 * SampleRate) + side.size() + SampleRate, 0.0f);
        std::copy(side.begin(), side.end(), tape.begin() + static_cast<std::ptrdiff_t>(2.5 * SampleRate));
        std::mt19937 random(2);
        std::normal_distribution<float> hiss(0.0f, 0.002f);
        for (std::size_t i = 0; i < tape.size(); ++i) {
            const double seconds = static_cast<double>(i) / SampleRate;
            tape[i] = tape[i] * std::pow(10.0f, -3.0f / 20) * (seconds >= 9.0 && seconds < 9.05 ? 0.2512f : 1.0f) +
                      hiss(random);
        }
        QVERIFY(writeWav(home_.filePath("silence.wav"), std::vector<float>(10 * SampleRate)));
        recording_ = home_.filePath("tape.wav");
        QVERIFY(writeWav(recording_, tape));
    }

    // The JSON's figures are the recording's, the picture a PNG of the stated size.
    void reportsTheRecordingAsMade()
    {
        const QString plot = home_.filePath("side-a.png");
        const Finished run = runProgram(QStringList{"--tapes=10", "--json", "--check-tape=" + recording_, "--plot=" + plot} + tracks_,
                                        home_.path());
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QJsonObject check = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(check["side"].toString(), QString("A"));
        QVERIFY(std::fabs(check["offsetSeconds"].toDouble() - 2.5) < 0.01);
        QVERIFY(std::fabs(check["speedPercent"].toDouble()) < 0.05);
        const QJsonArray tracks = check["tracks"].toArray();
        QCOMPARE(tracks.size(), 2);
        const QJsonArray segments = sideA_["segments"].toArray();
        int index = 0;
        for (const auto& value : segments) {
            const QJsonObject segment = value.toObject();
            if (segment["kind"].toString() != "track") continue;
            const QJsonObject track = tracks[index++].toObject();
            QCOMPARE(track["track"].toInt(), segment["track"].toInt());
            QVERIFY(std::fabs(track["startSeconds"].toDouble() - (2.5 + segment["start"].toDouble() / 44100)) < 0.02);
            QVERIFY(std::fabs(track["levelDb"].toDouble() + 3) < 0.5);
        }
        const QJsonArray dropouts = check["dropouts"].toArray();
        QCOMPARE(dropouts.size(), 1);
        QVERIFY(std::fabs(dropouts[0].toObject()["atSeconds"].toDouble() - 9.0) < 0.02);
        QVERIFY(std::fabs(dropouts[0].toObject()["milliseconds"].toDouble() - 50) < 15);
        QCOMPARE(check["cutSeconds"].toDouble(), 0.0);

        QFile png(plot);
        QVERIFY(png.open(QIODevice::ReadOnly));
        const QByteArray head = png.read(24);
        QVERIFY(head.startsWith("\x89PNG\r\n\x1a\n"));
        QCOMPARE(qFromBigEndian<quint32>(head.constData() + 16), 1200u);
        QCOMPARE(qFromBigEndian<quint32>(head.constData() + 20), 360u);
    }

    // The text: a line per track and per fault, in English under an English locale.
    void printsALinePerTrackAndFault()
    {
        const Finished run = runProgram(QStringList{"--tapes=10", "--check-tape=" + recording_} + tracks_, home_.path(),
                                        "en_US.UTF-8");
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QString text = QString::fromUtf8(run.out);
        QCOMPARE(text.count("Track "), 2);
        QCOMPARE(text.count("Dropout"), 2);  // its line, and the advice
        QVERIFY2(!text.contains(QRegularExpression("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]")),
                 run.out.constData());
    }

    // A recording that is not there, and one that does not hold the side, are said and end with status 2.
    void refusesWhatItCannotCheck_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("no recording") << QStringList{"--check-tape=/nowhere/tape.wav", "--tapes=10"} << "/nowhere/tape.wav";
        QTest::newRow("a silent recording") << QStringList{"--check-tape=" + home_.filePath("silence.wav"), "--tapes=10"}
                                            << "silence.wav";
    }
    void refusesWhatItCannotCheck()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        const Finished run = runProgram(arguments + tracks_, home_.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(QString::fromUtf8(run.err).contains(said), run.err.constData());
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTapeCheckCommand)
#include "test_tape_check_command.moc"
