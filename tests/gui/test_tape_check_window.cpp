// The tape check window's wiring: the side the dubbing window played handed to the real vantoli-plan
// with a recording made from that side's own render (late, with a dropout), and what comes back shown,
// kept for the tape document and saved as a PDF. The comparison itself is tested in the core.

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include "core/stream_request.h"
#include "gui/tape_check_window.h"
#include "support/modal_answerer.h"
#include "support/synthetic_side.h"

using namespace vantoli;
using vantoli::test::ModalAnswerer;

namespace {

QByteArray wavOf(const QByteArray& pcm)
{
    const auto word = [](quint32 value, int bytes) { return QByteArray(reinterpret_cast<const char*>(&value), bytes); };
    return "RIFF" + word(36 + static_cast<quint32>(pcm.size()), 4) + "WAVEfmt " + word(16, 4) + word(1, 2) + word(2, 2) +
           word(44100, 4) + word(44100 * 4, 4) + word(4, 2) + word(16, 2) + "data" +
           word(static_cast<quint32>(pcm.size()), 4) + pcm;
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

}  // namespace

class TestTapeCheckWindow : public QObject {
    Q_OBJECT
    QTemporaryDir folder_;
    StreamRequest side_;

private slots:
    void initTestCase()
    {
        qputenv("VANTOLI_PLAN", VANTOLI_PLAN_PROGRAM);
        qputenv("XDG_CACHE_HOME", folder_.filePath("cache").toUtf8());
        // Two tracks of made-up music, as files, on a side without lead-in.
        DubbingSettings none;
        none.leadInSeconds = 0;
        const SideProgram layout = sideProgram({8 * SampleRate, 9 * SampleRate}, {1, 2}, false, none);
        const std::vector<float> music = test::SyntheticSide(layout, 7u).frames();
        side_.side.settings = none;
        side_.side.gap = false;
        for (const Segment& segment : layout.segments) {
            QByteArray pcm;
            for (std::int64_t i = segment.start; i < segment.start + segment.frames; ++i) {
                const auto sample = static_cast<qint16>(std::lround(music[std::size_t(i)] * 32767.0f));
                pcm.append(reinterpret_cast<const char*>(&sample), 2).append(reinterpret_cast<const char*>(&sample), 2);
            }
            const QString path = folder_.filePath(QString("%1.wav").arg(segment.track));
            QVERIFY(writeFile(path, wavOf(pcm)));
            side_.side.tracks.push_back(SideTrack{segment.track, {AudioSource::Kind::File, path.toStdString(), 0, -1, 0},
                                                  segment.frames * 1000 / SampleRate});
        }
    }

    // Catches the window checking some other side than the one it was given, dropping what the check
    // found, not handing it to the tape, or saving no report.
    void checksTheSideItWasGiven()
    {
        // The side exactly as vantoli-plan plays it, from the same request.
        QProcess stream;
        stream.start(QStringLiteral(VANTOLI_PLAN_PROGRAM), {QStringLiteral("--stream=-")});
        stream.write(QByteArray::fromStdString(streamRequestJson(side_)) + '\n');
        stream.closeWriteChannel();
        QVERIFY(stream.waitForFinished(60000) && stream.exitCode() == 0);
        QByteArray played = stream.readAllStandardOutput();
        QCOMPARE(played.size(), qsizetype(17 * SampleRate * 4));
        // On tape: 1.5 s before the side, a 60 ms dropout of 20 dB at 5 s into it, and a second after.
        auto* samples = reinterpret_cast<qint16*>(played.data());
        for (std::int64_t i = 5 * SampleRate; i < 5 * SampleRate + 60 * SampleRate / 1000; ++i)
            for (int c = 0; c < 2; ++c) samples[2 * i + c] = qint16(samples[2 * i + c] / 10);
        const QByteArray tape =
            QByteArray(int(1.5 * SampleRate) * 4, '\0') + played + QByteArray(int(SampleRate) * 4, '\0');
        const QString recording = folder_.filePath("tape.wav");
        QVERIFY(writeFile(recording, wavOf(tape)));

        TapeCheckWindow window(side_, TapeSide::B, 17);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        QSignalSpy kept(&window, &TapeCheckWindow::checked);
        QVERIFY(!window.cmdSaveReport()->isEnabled());
        window.checkFile(recording);
        QCOMPARE(window.state(), TapeCheckWindow::State::Checking);
        QVERIFY(!window.cmdListen()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(window.state() == TapeCheckWindow::State::Idle, 60000);
        QVERIFY2(window.result(), qPrintable(window.lblStatus()->text()));
        const TapeCheck& check = *window.result();
        QCOMPARE(check.tracks.size(), std::size_t{2});
        QVERIFY(std::fabs(check.tracks[0].startSeconds - 1.5) < 0.02);
        QVERIFY(std::fabs(check.tracks[1].startSeconds - 9.5) < 0.02);
        QCOMPARE(check.dropouts.size(), std::size_t{1});
        QVERIFY(std::fabs(check.dropouts[0].atSeconds - 6.5) < 0.02);
        QVERIFY(!window.pltTape()->picture().isNull());
        QCOMPARE(window.txtReport()->toPlainText().count(QStringLiteral("トラック")), 2);
        QVERIFY(!window.lblAdvice()->text().isEmpty());

        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0][0].value<TapeSide>(), TapeSide::B);
        const auto record = kept[0][1].value<SideCheckRecord>();
        QCOMPARE(record.dropouts, 1);
        QCOMPARE(record.cutSeconds, 0.0);
        QVERIFY(!record.date.empty());

        QVERIFY(window.cmdSaveReport()->isEnabled());
        const QString pdf = folder_.filePath("check.pdf");
        QVERIFY(window.saveReport(pdf));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString said = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(said.contains(QStringLiteral("B面")) && said.contains(QStringLiteral("ドロップアウト")), qPrintable(said));
    }

    // Catches a recording that does not hold the side ending without a word, or the window left busy.
    void saysWhenTheSideIsNotThere()
    {
        const QString silence = folder_.filePath("silence.wav");
        QVERIFY(writeFile(silence, wavOf(QByteArray(5 * SampleRate * 4, '\0'))));
        ModalAnswerer answerer;
        TapeCheckWindow window(side_, TapeSide::A, 17);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        QSignalSpy kept(&window, &TapeCheckWindow::checked);
        window.checkFile(silence);
        QTRY_VERIFY_WITH_TIMEOUT(window.state() == TapeCheckWindow::State::Idle, 60000);
        QVERIFY(!window.result());
        QVERIFY2(window.lblStatus()->text().contains(QStringLiteral("silence.wav")), qPrintable(window.lblStatus()->text()));
        QCOMPARE(kept.size(), 0);
        QTRY_COMPARE(answerer.messages().size(), 1);
        QVERIFY(window.cmdListen()->isEnabled());
    }
};

QTEST_MAIN(TestTapeCheckWindow)

#include "test_tape_check_window.moc"
