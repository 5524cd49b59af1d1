// vantoli-plan --play, --record and --devices against a PulseAudio server of the test's own
// (tests/scripts/with_pulseaudio.sh: one null sink "tape", its monitor "tape.monitor"). A side of
// three tracks is played to the sink while vantoli-plan --record records its monitor, and the
// recording is compared sample by sample with what --render writes for the same side. Each track's
// samples carry their own position (a ramp on the left channel) and the track's mark (the right), so
// that a lost, repeated or silenced sample shows.

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/dubbing_cues.h"
#include "core/sound_report.h"

using namespace vantoli;

namespace {

using Frames = std::vector<std::pair<std::int16_t, std::int16_t>>;
const std::vector<std::int64_t> TrackFrames{66150, 33075, 57331};  // 1.5 s, 0.75 s and an odd length
constexpr std::int64_t CountDownFrames = 44100;

std::int16_t rampValue(std::int64_t i) { return std::int16_t(2000 + i % 20000); }
std::int16_t markOf(int track) { return std::int16_t(-100 * track - 1); }

QByteArray wavHeader(std::int64_t frames)
{
    QByteArray wav("RIFF");
    const auto le32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    const auto le16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    le32(quint32(36 + frames * 4));
    wav += "WAVEfmt ";
    le32(16), le16(1), le16(2), le32(44100), le32(44100 * 4), le16(4), le16(16);
    wav += "data";
    le32(quint32(frames * 4));
    return wav;
}

QString writeTrack(const QString& folder, int track, std::int64_t frames)
{
    QByteArray data(int(frames * 4), '\0');
    auto* s = reinterpret_cast<std::int16_t*>(data.data());
    for (std::int64_t i = 0; i < frames; ++i) {
        s[2 * i] = qToLittleEndian(rampValue(i));
        s[2 * i + 1] = qToLittleEndian(markOf(track));
    }
    const QString path = folder + QStringLiteral("/track%1.wav").arg(track);
    QFile file(path);
    const QByteArray all = wavHeader(frames) + data;
    if (!file.open(QIODevice::WriteOnly) || file.write(all) != all.size()) return {};
    return path;
}

Frames readWav(const QString& path)
{
    QFile file(path);
    Frames frames;
    if (!file.open(QIODevice::ReadOnly)) return frames;
    const QByteArray all = file.readAll();
    const qsizetype data = all.indexOf("data", 12);
    if (data < 0) return frames;
    for (qsizetype at = data + 8; at + 4 <= all.size(); at += 4)
        frames.emplace_back(qFromLittleEndian<qint16>(all.constData() + at),
                            qFromLittleEndian<qint16>(all.constData() + at + 2));
    return frames;
}

// vantoli-plan started with its standard output on a pipe of the test's own, so that the test can
// leave it unread (and small) as a stalled window would.
class Child {
public:
    explicit Child(const QStringList& arguments, int pipeBytes = 0)
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return;
        if (pipeBytes > 0) ::fcntl(fds[1], F_SETPIPE_SZ, pipeBytes);
        out_ = fds[0];
        const int writeEnd = fds[1];
        process_.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        process_.setChildProcessModifier([writeEnd] { ::dup2(writeEnd, STDOUT_FILENO); });
        process_.start(QStringLiteral(VANTOLI_PLAN_PROGRAM), arguments);
        ::close(writeEnd);
    }
    ~Child()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
        if (out_ >= 0) ::close(out_);
    }
    void send(const QByteArray& command)
    {
        process_.write(command + '\n');
        process_.waitForBytesWritten();
    }
    // Reads report lines until the child closes its output (or `ms` pass), giving each to `seen`.
    void follow(const std::function<void(const SoundReport&)>& seen, int ms = 60000)
    {
        QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            pollfd watched{out_, POLLIN, 0};
            if (::poll(&watched, 1, 100) <= 0) continue;
            char block[4096];
            const ssize_t got = ::read(out_, block, sizeof block);
            if (got <= 0) return;
            pending_.append(block, got);
            qsizetype end;
            while ((end = pending_.indexOf('\n')) >= 0) {
                const QByteArray line = pending_.left(end);
                pending_.remove(0, end + 1);
                lines_.append(line);
                if (const auto report = parseSoundReport(line.toStdString())) {
                    reports_.push_back(*report);
                    if (seen) seen(*report);
                }
            }
        }
    }
    int finish()
    {
        if (!process_.waitForFinished(30000)) return -1;
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    QByteArray errors() { return process_.readAllStandardError(); }
    const std::vector<SoundReport>& reports() const { return reports_; }
    const QByteArrayList& lines() const { return lines_; }

private:
    QProcess process_;
    int out_ = -1;
    QByteArray pending_;
    QByteArrayList lines_;
    std::vector<SoundReport> reports_;
};

// Processes that keep the cores busy while they live.
class BusyCores {
public:
    explicit BusyCores(int count)
    {
        for (int i = 0; i < count; ++i) {
            load_.push_back(std::make_unique<QProcess>());
            load_.back()->start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
        }
    }
    ~BusyCores()
    {
        for (auto& process : load_) {
            process->kill();
            process->waitForFinished();
        }
    }

private:
    std::vector<std::unique_ptr<QProcess>> load_;
};

}  // namespace

class TestPlayCommand : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QStringList tracks_;
    Frames rendered_;  // side A as --render writes it
    const QStringList sideOptions_{"--tapes=10", "--lead-in=0.5"};

    QStringList playArguments(const QStringList& more = {}) const
    {
        return QStringList{"--play", "--json", "--count-down=1"} + sideOptions_ + more + tracks_;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        for (int t = 1; t <= int(TrackFrames.size()); ++t) {
            tracks_ << writeTrack(dir_.path(), t, TrackFrames[std::size_t(t) - 1]);
            QVERIFY(!tracks_.last().isEmpty());
        }
        QProcess render;
        render.start(VANTOLI_PLAN_PROGRAM, QStringList{"--render=" + dir_.filePath("sides"), "--format=wav"} +
                                               sideOptions_ + tracks_);
        QVERIFY(render.waitForFinished(60000));
        QCOMPARE(render.exitCode(), 0);
        rendered_ = readWav(dir_.filePath("sides/side-a.wav"));
        QCOMPARE(std::int64_t(rendered_.size()), 22050 + TrackFrames[0] + TrackFrames[1] + TrackFrames[2] + 2 * 5 * 44100);
    }

    // Faults: --devices missing the server's outputs or inputs, or the default not marked.
    void listsOutputsAndInputs()
    {
        QProcess list;
        list.start(VANTOLI_PLAN_PROGRAM, {"--devices"});
        QVERIFY(list.waitForFinished(30000));
        QCOMPARE(list.exitCode(), 0);
        const std::optional<SoundDevices> devices = parseSoundDevices(list.readAllStandardOutput().toStdString());
        QVERIFY(devices);
        QVERIFY(std::count(devices->outputs.begin(), devices->outputs.end(), SoundDevice{"tape", "Null Output", true}) ||
                std::any_of(devices->outputs.begin(), devices->outputs.end(),
                            [](const SoundDevice& d) { return d.name == "tape" && d.isDefault; }));
        QVERIFY(std::any_of(devices->inputs.begin(), devices->inputs.end(),
                            [](const SoundDevice& d) { return d.name == "tape.monitor"; }));
    }

    // Faults: the side's samples lost, repeated or silenced on the way to the output (a late start, a
    // gap too long, an underrun while the processor is busy or the reader of the reports stalls, a pause
    // that drops or repeats what the server held); the count-down not exactly ahead of the side; cues
    // missing or out of order; fewer than 20 reports a second.
    void playbackEqualsTheRender_data()
    {
        QTest::addColumn<int>("busy");      // processes keeping cores busy
        QTest::addColumn<int>("stallMs");   // the reports left unread this long, on a pipe of 4 KiB
        QTest::addColumn<int>("pauseMs");   // a pause in track 1 this long
        QTest::newRow("quiet machine") << 0 << 0 << 0;
        QTest::newRow("both cores busy") << 2 << 0 << 0;
        QTest::newRow("reader stalls 4 s") << 2 << 4000 << 0;
        QTest::newRow("paused and resumed") << 2 << 0 << 700;
    }
    void playbackEqualsTheRender()
    {
        QFETCH(int, busy);
        QFETCH(int, stallMs);
        QFETCH(int, pauseMs);
        const BusyCores load(busy);

        const QString recording = dir_.filePath(QStringLiteral("rec-%1.wav").arg(QTest::currentDataTag()));
        Child recorder({"--record=" + recording, "--device=tape.monitor", "--json"});
        // The recorder's first report says it is recording.
        QDeadlineTimer started(10000);
        while (recorder.reports().empty() && !started.hasExpired()) recorder.follow(nullptr, 100);
        QVERIFY(!recorder.reports().empty());

        Child player(playArguments({"--device=tape"}), stallMs > 0 ? 4096 : 0);
        if (stallMs > 0) QThread::msleep(stallMs);
        bool paused = false;
        player.follow([&](const SoundReport& report) {
            if (pauseMs > 0 && !paused && report.event == SoundEvent::Level && report.frame > 22050 + 30000) {
                paused = true;
                player.send("pause");
                QThread::msleep(pauseMs);
                player.send("resume");
            }
        });
        QVERIFY2(player.finish() == 0, player.errors().constData());
        QThread::msleep(300);
        recorder.send("stop");
        recorder.follow(nullptr, 10000);
        QVERIFY2(recorder.finish() == 0, recorder.errors().constData());

        // Reports: the cues in the side's order, the levels at least 20 a second of the side.
        std::vector<SoundReport> cues;
        int levels = 0;
        for (const SoundReport& report : player.reports()) {
            if (report.event == SoundEvent::Cue) cues.push_back(report);
            if (report.event == SoundEvent::Level) ++levels;
        }
        const std::vector<std::pair<SoundCue, int>> expected{
            {SoundCue::CountDown, 0}, {SoundCue::LeadIn, 0}, {SoundCue::Track, 1}, {SoundCue::Gap, 0},
            {SoundCue::Track, 2},     {SoundCue::Gap, 0},    {SoundCue::Track, 3}, {SoundCue::End, 0}};
        QCOMPARE(cues.size(), expected.size());
        for (std::size_t i = 0; i < cues.size(); ++i) {
            QCOMPARE(int(cues[i].cue), int(expected[i].first));
            QCOMPARE(cues[i].track, expected[i].second);
        }
        QCOMPARE(cues.back().frame, std::int64_t(rendered_.size()));
        QVERIFY2(levels >= 20 * int(rendered_.size() / 44100), qPrintable(QString::number(levels)));
        if (pauseMs > 0) QVERIFY(paused);

        // The count-down's first beep marks where the stream started; the side starts 1 s later.
        const Frames frames = readWav(recording);
        std::size_t first = 0;
        while (first < frames.size() && frames[first].first == 0) ++first;
        QVERIFY(first > 0 && first < frames.size());
        const std::size_t start = first - 1;
        const std::vector<std::int16_t> countDown = countDownSound(CountDownFrames, true);
        QVERIFY(start + CountDownFrames + rendered_.size() <= frames.size());
        for (std::size_t f = 0; f < std::size_t(CountDownFrames); ++f)
            QVERIFY2(frames[start + f].first == countDown[2 * f] && frames[start + f].second == countDown[2 * f + 1],
                     qPrintable(QStringLiteral("count-down frame %1").arg(f)));

        // Every sample of the render, in order; a pause may only add silence between two of them.
        std::size_t at = start + CountDownFrames;
        std::int64_t pausedFrames = 0;
        int pauses = 0;
        for (std::size_t f = 0; f < rendered_.size(); ++f) {
            if (frames[at] != rendered_[f]) {
                QVERIFY2(frames[at] == std::make_pair(std::int16_t(0), std::int16_t(0)) && pauses == 0,
                         qPrintable(QStringLiteral("side frame %1 differs").arg(f)));
                ++pauses;
                while (at < frames.size() && frames[at] == std::make_pair(std::int16_t(0), std::int16_t(0))) {
                    ++at;
                    ++pausedFrames;
                }
                QVERIFY2(at < frames.size() && frames[at] == rendered_[f],
                         qPrintable(QStringLiteral("side frame %1 lost after the pause").arg(f)));
            }
            ++at;
        }
        QCOMPARE(pauses, pauseMs > 0 ? 1 : 0);
        if (pauseMs > 0) qInfo("paused for %lld frames, nothing lost or repeated", static_cast<long long>(pausedFrames));
    }

    // Faults: --seconds not recording exactly that long; a recording that is not WAV at 44.1 kHz stereo.
    void recordsForTheSecondsAsked()
    {
        const QString recording = dir_.filePath(QStringLiteral("half-second.wav"));
        Child recorder({"--record=" + recording, "--seconds=0.5", "--json"});
        recorder.follow(nullptr, 20000);
        QVERIFY2(recorder.finish() == 0, recorder.errors().constData());
        QCOMPARE(std::int64_t(readWav(recording).size()), std::int64_t(22050));
        QFile file(recording);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(44), wavHeader(22050));
        QVERIFY(!recorder.reports().empty());
        QCOMPARE(int(recorder.reports().back().cue), int(SoundCue::End));
        QCOMPARE(recorder.reports().back().frame, std::int64_t(22050));
    }

    // Faults: an output that goes away leaves the player running or ending with status 0, says nothing,
    // or a new side cannot be played after it. Runs last: the sink comes back under another index.
    void outputGoingAwayEndsThePlay()
    {
        Child player(playArguments({"--device=tape"}));
        bool unloaded = false;
        player.follow([&](const SoundReport& report) {
            if (!unloaded && report.event == SoundEvent::Cue && report.cue == SoundCue::Track) {
                unloaded = true;
                QProcess::execute(QStringLiteral("pactl"), {"unload-module", "module-null-sink"});
            }
        });
        QVERIFY(unloaded);
        QCOMPARE(player.finish(), 1);
        QVERIFY(!player.errors().isEmpty());
        QVERIFY(!player.reports().empty());
        QCOMPARE(int(player.reports().back().event), int(SoundEvent::Error));
        QVERIFY(!player.reports().back().message.empty());

        QProcess reload;
        reload.start(QStringLiteral("pactl"),
                     {"load-module", "module-null-sink", "sink_name=tape", "rate=44100", "channels=2", "norewinds=1"});
        QVERIFY(reload.waitForFinished());
        QCOMPARE(reload.exitCode(), 0);
        Child again(QStringList{"--play", "--json", "--device=tape", "--lead-in=0", "--no-gap", "--tapes=10"} +
                    tracks_.mid(1, 1));
        again.follow(nullptr);
        QCOMPARE(again.finish(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPlayCommand)
#include "test_play_command.moc"
