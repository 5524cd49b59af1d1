// The dubbing window's sound as a deck hears it: a side of tone files played through a PulseAudio null
// sink and recorded from its monitor (tests/scripts/with_pulseaudio.sh starts the server). Each track's
// samples carry their own position (a ramp on the left channel) and the track's mark (the right
// channel), so that a lost, repeated or silenced sample shows in the recording. The renderer is
// VANTOLI_PLAN when set, else a stand-in that follows the same contract.

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <csignal>
#include <cstdint>
#include <vector>

#include "gui/dubbing.h"
#include "gui/level_meter.h"
#include "support/modal_answerer.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

constexpr std::int64_t LeadInFrames = 22050;  // 0.5 s
constexpr std::int64_t GapFrames = 5 * 44100;
const std::vector<std::int64_t> TrackFrames{44100, 33075, 57331};  // 1 s, 0.75 s and an odd length
constexpr std::int64_t Tolerance = 44;                             // 1 ms

std::int16_t rampValue(std::int64_t i) { return std::int16_t(2000 + i % 20000); }
std::int16_t markOf(int track) { return std::int16_t(-100 * track - 1); }

QString writeTrack(const QString& folder, int track, std::int64_t frames)
{
    QByteArray data(int(frames * 4), '\0');
    auto* s = reinterpret_cast<std::int16_t*>(data.data());
    for (std::int64_t i = 0; i < frames; ++i) {
        s[2 * i] = qToLittleEndian(rampValue(i));
        s[2 * i + 1] = qToLittleEndian(markOf(track));
    }
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
    le32(quint32(36 + data.size()));
    wav += "WAVEfmt ";
    le32(16), le16(1), le16(2), le32(44100), le32(44100 * 4), le16(4), le16(16);
    wav += "data";
    le32(quint32(data.size()));
    const QString path = folder + QStringLiteral("/track%1.wav").arg(track);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(wav + data) != wav.size() + data.size()) return {};
    return path;
}

// The recording's frames (left, right), from the WAV file parec writes.
std::vector<std::pair<std::int16_t, std::int16_t>> readRecording(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray all = file.readAll();
    const qsizetype data = all.indexOf("data", 12);
    std::vector<std::pair<std::int16_t, std::int16_t>> frames;
    if (data < 0) return frames;
    for (qsizetype at = data + 8; at + 4 <= all.size(); at += 4)
        frames.emplace_back(qFromLittleEndian<qint16>(all.constData() + at),
                            qFromLittleEndian<qint16>(all.constData() + at + 2));
    return frames;
}

bool childRunning(qint64 pid) { return pid > 0 && ::kill(pid_t(pid), 0) == 0; }

}  // namespace

class TestDubbingSound : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    MadePlan plan_;

    QPointer<Dubbing> openDubbing()
    {
        QPointer<Dubbing> window = new Dubbing;
        window->setPlan(plan_);
        window->spnLeadIn()->setValue(0.5);
        window->show();
        return window;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        if (qEnvironmentVariableIsEmpty("VANTOLI_PLAN")) qputenv("VANTOLI_PLAN", VANTOLI_PCM_PRODUCER);
        plan_.plan.tapeMinutes = 10;
        plan_.gap = 5;
        for (int t = 1; t <= int(TrackFrames.size()); ++t) {
            const std::int64_t frames = TrackFrames[std::size_t(t) - 1];
            const QString path = writeTrack(dir_.path(), t, frames);
            QVERIFY(!path.isEmpty());
            Track track;
            track.milliseconds = frames * 1000 / 44100;
            track.audio.kind = AudioSource::Kind::File;
            track.audio.path = path.toStdString();
            plan_.titles.tracks.push_back(track);
            plan_.trackSeconds.push_back(int(frames / 44100));
            plan_.plan.sideA.push_back(t);
        }
        plan_.plan.sideB = {2};
    }

    // Faults: lead-in or gaps off by the output's start-up or a timer's tick; a track cut short at the
    // end of the stream; a dropout when the window is starved of the processor; a pause that loses or
    // repeats what the sink held.
    void sideSoundsAsPlanned_data()
    {
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("pause");
        QTest::newRow("quiet machine") << false << false;
        QTest::newRow("both cores busy") << true << false;
        QTest::newRow("paused and resumed") << false << true;
    }
    void sideSoundsAsPlanned()
    {
        QFETCH(bool, busy);
        QFETCH(bool, pause);
        std::vector<std::unique_ptr<QProcess>> load;
        if (busy)
            for (int i = 0; i < 2; ++i) {
                load.push_back(std::make_unique<QProcess>());
                load.back()->start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
            }

        const QString recording = dir_.filePath(QStringLiteral("rec-%1.wav").arg(QTest::currentDataTag()));
        QProcess parec;
        parec.start(QStringLiteral("parec"), {"-d", "tape.monitor", "--rate=44100", "--channels=2", "--format=s16le",
                                              "--file-format=wav", recording});
        QVERIFY(parec.waitForStarted());
        QTRY_VERIFY(QFile(recording).size() > 44);

        QPointer<Dubbing> window = openDubbing();
        window->cmdPlay()->click();
        QTRY_COMPARE(window->state(), Dubbing::State::Playing);
        // The meters follow the ramp of track 1 (2000..22000: peaks near -3.5 dBFS).
        QTRY_VERIFY(window->mtrLeft()->level().peakDb > -6);
        if (pause) {
            QTRY_VERIFY(window->frame() > LeadInFrames + 30000);
            window->cmdPause()->click();
            QTest::qWait(700);
            window->cmdPlay()->click();
        }
        QTRY_VERIFY_WITH_TIMEOUT(window->optSideB()->isChecked(), 40000);
        QCOMPARE(window->state(), Dubbing::State::Stopped);
        QTest::qWait(200);
        parec.terminate();
        QVERIFY(parec.waitForFinished());
        window->close();
        for (auto& process : load) {
            process->kill();
            process->waitForFinished();
        }

        const auto frames = readRecording(recording);
        // The count-down's first beep marks where the stream started; the side starts 3 s later.
        std::int64_t first = 0;
        while (first < std::int64_t(frames.size()) && frames[std::size_t(first)].first == 0) ++first;
        QVERIFY(first < std::int64_t(frames.size()));
        const std::int64_t sideStart = first - 1 + Dubbing::CountDownSeconds * 44100;

        std::int64_t previousEnd = sideStart + LeadInFrames - GapFrames;
        for (int t = 1; t <= int(TrackFrames.size()); ++t) {
            std::int64_t begin = -1, end = -1, count = 0, breaks = 0;
            for (std::int64_t f = sideStart; f < std::int64_t(frames.size()); ++f) {
                if (frames[std::size_t(f)].second != markOf(t)) continue;
                if (begin < 0) begin = f;
                if (end >= 0 && f != end) ++breaks;
                QVERIFY2(frames[std::size_t(f)].first == rampValue(count),
                         qPrintable(QStringLiteral("track %1: sample %2 lost or repeated").arg(t).arg(count)));
                ++count;
                end = f + 1;
            }
            QCOMPARE(count, TrackFrames[std::size_t(t) - 1]);
            // One break is the pause itself, in the first track; any other is a dropout.
            QCOMPARE(breaks, pause && t == 1 ? 1 : 0);
            const std::int64_t silence = begin - previousEnd;
            QVERIFY2(qAbs(silence - GapFrames) <= Tolerance,
                     qPrintable(QStringLiteral("silence before track %1: %2 frames").arg(t).arg(silence)));
            previousEnd = end;
        }
    }

    // Faults: a crashing or failing renderer leaves the window hanging in Playing, or shows nothing.
    void rendererFailureIsAMessage_data()
    {
        QTest::addColumn<QByteArray>("fault");
        QTest::newRow("crash") << QByteArray("crash");
        QTest::newRow("source fails") << QByteArray("fail");
        QTest::newRow("renderer missing") << QByteArray("missing");
    }
    void rendererFailureIsAMessage()
    {
        QFETCH(QByteArray, fault);
        const QByteArray renderer = qgetenv("VANTOLI_PLAN");
        if (fault == "missing") qputenv("VANTOLI_PLAN", dir_.filePath(QStringLiteral("none")).toUtf8());
        qputenv("PCM_PRODUCER_FAULT", fault);
        ModalAnswerer answerer;
        QPointer<Dubbing> window = openDubbing();
        window->cmdPlay()->click();
        QTRY_COMPARE_WITH_TIMEOUT(answerer.messages().size(), 1, 15000);
        qunsetenv("PCM_PRODUCER_FAULT");
        qputenv("VANTOLI_PLAN", renderer);
        QCOMPARE(window->state(), Dubbing::State::Stopped);
        QVERIFY(!window->player().loaded());
        if (fault == "fail") QVERIFY(answerer.messages().first().text.contains(QStringLiteral("読み取りに失敗")));
        window->close();
    }

    // Fault: closing the window while it plays leaves the renderer running behind it.
    void closingWhilePlayingEndsTheRenderer()
    {
        QPointer<Dubbing> window = openDubbing();
        window->cmdPlay()->click();
        QTRY_COMPARE(window->state(), Dubbing::State::Playing);
        const qint64 pid = window->player().childPid();
        QVERIFY(childRunning(pid));
        window->close();
        QVERIFY(!childRunning(pid));
    }

    // Faults: an output that goes away mid-side leaves the window hanging in Playing, or says nothing.
    // Runs last: the sink comes back, but under another index.
    void outputGoingAwayIsAMessage()
    {
        ModalAnswerer answerer;
        QPointer<Dubbing> window = openDubbing();
        window->cmdPlay()->click();
        QTRY_COMPARE(window->state(), Dubbing::State::Playing);
        const qint64 pid = window->player().childPid();
        QCOMPARE(QProcess::execute(QStringLiteral("pactl"), {"unload-module", "module-null-sink"}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(answerer.messages().size(), 1, 15000);
        QCOMPARE(window->state(), Dubbing::State::Stopped);
        QVERIFY(!childRunning(pid));
        window->close();
        QProcess reload;
        reload.start(QStringLiteral("pactl"),
                     {"load-module", "module-null-sink", "sink_name=tape", "rate=44100", "channels=2", "norewinds=1"});
        QVERIFY(reload.waitForFinished());
    }

    // Fault: FFmpeg loaded into the window's process (the renderer decodes; the window only plays).
    void windowNeverLoadsFfmpeg()
    {
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray loaded = maps.readAll();
        QVERIFY(loaded.contains("libQt6Multimedia"));
        QVERIFY(!loaded.contains("libavcodec"));
        QVERIFY(!loaded.contains("libavformat"));
    }
};

VANTOLI_GUI_TEST_MAIN(TestDubbingSound)
#include "test_dubbing_sound.moc"
