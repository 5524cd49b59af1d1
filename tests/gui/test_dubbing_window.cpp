// The dubbing window: opened from the File menu on the last plan, its timer mode run by a clock the
// test moves, a new plan waiting for Stop, the keyboard, and with sound what it shows of what
// vantoli-plan --play reports (a stand-in script, tests/support/fake_vantoli_plan.sh, plays the child).

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <set>

#include <csignal>

#include "core/stream_request.h"
#include "gui/dubbing.h"
#include "gui/level_meter.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"
#include "support/window_checks.h"

using namespace vantoli;
using namespace vantoli::test;

namespace {

class FakeClock : public DubbingClock {
public:
    explicit FakeClock(std::int64_t* now) : now_(now) {}
    std::int64_t milliseconds() const override { return *now_; }

private:
    std::int64_t* now_;
};

// Typed times (no sound): side A holds tracks 1..3, side B track 4; the plan's 5 s gap.
MadePlan typedPlan(std::vector<int> seconds = {61, 30, 45, 20})
{
    MadePlan made;
    made.plan.tapeMinutes = 10;
    made.plan.sideA = {1, 2, 3};
    made.plan.sideB = {4};
    made.trackSeconds = std::move(seconds);
    made.gap = 5;
    return made;
}

// A side of two tracks with their sound in files (the stand-in never opens them).
MadePlan soundPlan()
{
    MadePlan made = typedPlan({3, 2, 45, 20});
    made.plan.sideA = {1, 2};
    made.plan.sideB = {3, 4};
    for (int t = 1; t <= 4; ++t) {
        Track track;
        track.milliseconds = made.trackSeconds[std::size_t(t) - 1] * 1000;
        track.title = "Song " + std::to_string(t);
        track.audio = {AudioSource::Kind::File, "/music/" + std::to_string(t) + ".flac", 0, -1, 0};
        made.titles.tracks.push_back(track);
    }
    return made;
}

// The stand-in child in a folder of its own: what --devices answers and what --play reports.
class FakeChild {
public:
    FakeChild(const QByteArrayList& script) : realPlan_(qgetenv("VANTOLI_PLAN"))
    {
        qputenv("VANTOLI_PLAN", VANTOLI_FAKE_PLAN);
        qputenv("FAKE_PLAN_DIR", dir_.path().toUtf8());
        write("devices.json", R"({"outputs":[{"name":"tape","description":"Null Output","default":true},)"
                              R"({"name":"usb","description":"USB Deck","default":false}],"inputs":[]})");
        write("script", script.join('\n') + '\n');
    }
    ~FakeChild() { qputenv("VANTOLI_PLAN", realPlan_); }
    void write(const QString& name, const QByteArray& text)
    {
        QFile file(dir_.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray read(const QString& name) const
    {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void open(const QString& gate) { write(gate, {}); }

private:
    QByteArray realPlan_;  // the real vantoli-plan, back when the stand-in goes
    QTemporaryDir dir_;
};

QByteArray level(std::int64_t frame, double db)
{
    return QByteArray::fromStdString(
        soundReportLine(SoundReport{SoundEvent::Level, frame, {{db, db - 3}, {db, db - 3}}, SoundCue::End, 0, 0, {}}));
}
QByteArray cueLine(std::int64_t frame, SoundCue cue, int track = 0, int seconds = 0)
{
    return QByteArray::fromStdString(soundReportLine(SoundReport{SoundEvent::Cue, frame, {}, cue, track, seconds, {}}));
}

}  // namespace

class TestDubbingWindow : public QObject {
    Q_OBJECT
private slots:
    // Faults: opening an empty window without a plan; the window not showing the plan Run made.
    void menuItemNeedsAPlan()
    {
        auto window = openWindow();
        QVERIFY(window);
        ModalAnswerer answerer;
        window->mnuFileDub()->trigger();
        QCOMPARE(answerer.messages().size(), 1);
        QCOMPARE(answerer.messages().first().title, QStringLiteral("ダビング"));
        QVERIFY(!window->dubbingWindow().window());

        for (int i = 0; i < 4; ++i) window->Tm(i)->setText(QStringLiteral("300"));
        QTest::mouseClick(window->Run(), Qt::LeftButton);
        window->mnuFileDub()->trigger();
        Dubbing* dubbing = window->dubbingWindow().window();
        QVERIFY(dubbing);
        QCOMPARE(dubbing->objectName(), QStringLiteral("Dubbing"));
        QCOMPARE(dubbing->windowTitle(), QStringLiteral("ダビング"));
        QVERIFY(dubbing->timerMode());
        QCOMPARE(dubbing->tblSide()->rowCount(), int(window->lastPlan()->plan.sideA.size()));
        QVERIFY(!dubbing->cmdTone()->isEnabled());  // no sound to play a tone from
    }

    // Faults: a cue shown a tick early or late, the count-down not counted from Play, the clock
    // running on through a pause, the flip cue missing or B not selected after side A.
    void timerCuesComeAtTheirPlannedMoments()
    {
        std::int64_t now = 1000;
        QPointer<Dubbing> window = new Dubbing(std::make_unique<FakeClock>(&now));
        window->setPlan(typedPlan());
        window->show();
        const auto tick = [&](std::int64_t ms) {
            now = ms;
            window->tmrTick_Timer();
            return window->lblCue()->text();
        };
        window->cmdPlay()->click();
        QCOMPARE(window->state(), Dubbing::State::CountDown);
        QCOMPARE(tick(1000), QStringLiteral("3"));
        QCOMPARE(tick(3999), QStringLiteral("1"));
        QCOMPARE(window->state(), Dubbing::State::CountDown);

        // Milliseconds from the side's start (clock 4000) to each segment, from the program.
        const std::int64_t start = 4000;
        for (const Segment& segment : window->program().segments) {
            const std::int64_t ms = segment.start * 1000 / SampleRate;
            const QString cue = QString::fromStdString(dubbingCue(typedPlan(), window->program(), segment.start, TapeSide::A, CueMode::Timer));
            if (ms > 0) QVERIFY2(tick(start + ms - 1) != cue, qPrintable(cue));
            QCOMPARE(tick(start + ms), cue);
            QCOMPARE(window->frame(), segment.start);
        }

        // A pause of a minute in the middle of the last track costs no time of the side.
        const Segment last = window->program().segments.back();
        const std::int64_t lastMs = start + last.start * 1000 / SampleRate;
        tick(lastMs + 1000);
        window->cmdPause()->click();
        tick(lastMs + 61000);
        QCOMPARE(window->frame(), last.start + SampleRate);
        window->cmdPlay()->click();
        const std::int64_t end = lastMs + 61000 + (last.frames - SampleRate) * 1000 / SampleRate;
        tick(end - 1);
        QCOMPARE(window->state(), Dubbing::State::Playing);
        QCOMPARE(tick(end), QStringLiteral("テープを裏返して…"));
        QCOMPARE(window->state(), Dubbing::State::Stopped);
        QVERIFY(window->optSideB()->isChecked());
        QCOMPARE(window->tblSide()->rowCount(), 1);
        window->close();
    }

    // Faults: side B offered (and flipped to) when the plan puts nothing on it; the reason not shown.
    void emptySideBIsNotOffered()
    {
        std::int64_t now = 0;
        QPointer<Dubbing> window = new Dubbing(std::make_unique<FakeClock>(&now));
        MadePlan made = typedPlan({5});
        made.plan.sideA = {1};
        made.plan.sideB.clear();
        window->setPlan(made);
        window->show();
        QVERIFY(!window->optSideB()->isEnabled());
        QVERIFY(!window->optSideB()->toolTip().isEmpty());
        const QString offered = window->optSideB()->text();
        window->cmdPlay()->click();
        now = 3000 + window->program().frames * 1000 / SampleRate + 1;  // the count-down, then the side
        window->tmrTick_Timer();
        QCOMPARE(window->state(), Dubbing::State::Stopped);
        QCOMPARE(window->lblCue()->text(), QStringLiteral("ダビング終了"));
        QVERIFY(window->optSideA()->isChecked());
        QVERIFY(!window->optSideB()->isEnabled());

        window->setPlan(typedPlan());  // a plan with a side B offers it again, under its plain name
        QVERIFY(window->optSideB()->isEnabled());
        QVERIFY(window->optSideB()->text() != offered);
        window->close();
    }

    // Fault: a new plan replacing the side under the running clock.
    void newPlanWaitsUntilStop()
    {
        std::int64_t now = 0;
        QPointer<Dubbing> window = new Dubbing(std::make_unique<FakeClock>(&now));
        window->setPlan(typedPlan());
        window->show();
        window->cmdPlay()->click();
        window->setPlan(typedPlan({10, 10, 10, 10}));
        QCOMPARE(window->tblSide()->item(0, Dubbing::LengthColumn)->text(), QStringLiteral("1:01"));
        window->cmdStop()->click();
        QCOMPARE(window->tblSide()->item(0, Dubbing::LengthColumn)->text(), QStringLiteral("0:10"));
        QCOMPARE(window->state(), Dubbing::State::Stopped);
        window->close();
    }

    // Faults: Space or Esc doing nothing, Esc closing while the side runs, a control Tab never reaches.
    void keyboard()
    {
        std::int64_t now = 0;
        QPointer<Dubbing> window = new Dubbing(std::make_unique<FakeClock>(&now));
        window->setPlan(typedPlan());
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));

        window->cmdClose()->setFocus();
        std::set<QString> reached;
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached.insert(QApplication::focusWidget()->objectName());
        }
        for (const char* name : {"optSideA", "tblSide", "spnLeadIn", "cboLoudness", "cboOutput", "chkBeep", "mtrLeft",
                                 "mtrRight", "cmdPlay", "cmdClose"})
            QVERIFY2(reached.count(QLatin1String(name)), name);
        QVERIFY(!window->mtrLeft()->accessibleDescription().isEmpty());

        window->tblSide()->setFocus();
        QTest::keyClick(window->tblSide(), Qt::Key_Space);
        QCOMPARE(window->state(), Dubbing::State::CountDown);
        now = 3500;
        window->tmrTick_Timer();
        QTest::keyClick(window->tblSide(), Qt::Key_Space);
        QCOMPARE(window->state(), Dubbing::State::Paused);
        QTest::keyClick(window->tblSide(), Qt::Key_Escape);
        QCOMPARE(window->state(), Dubbing::State::Stopped);
        QVERIFY(window->isVisible());
        QTest::keyClick(window->tblSide(), Qt::Key_Escape);
        QTRY_VERIFY(!window);
    }

    // Faults: the window showing its own clock instead of the child's frame; the meters, the count-down,
    // the track or the flip cue not following the reports; the chosen output, the request or a pause
    // not reaching the child.
    void showsWhatThePlayerReports()
    {
        const std::int64_t leadIn = 2 * SampleRate;
        FakeChild child({level(-50000, -60), "gate track", cueLine(leadIn, SoundCue::Track, 1), level(leadIn + 441, -6.5),
                         "wait pause", QByteArray::fromStdString(soundReportLine(
                                           SoundReport{SoundEvent::Paused, leadIn + 500, {}, SoundCue::End, 0, 0, {}})),
                         "wait resume", "gate end", cueLine(leadIn + 7 * SampleRate, SoundCue::End),
                         "exit 0"});
        QPointer<Dubbing> window = new Dubbing;
        window->setPlan(soundPlan());
        window->show();
        QVERIFY(!window->timerMode());
        QTRY_COMPARE(window->cboOutput()->count(), 3);
        QCOMPARE(window->cboOutput()->itemText(0), QStringLiteral("既定の出力 (Null Output)"));
        window->cboOutput()->setCurrentIndex(2);

        QVERIFY(!window->cmdCheckTape()->isEnabled());  // nothing on the tape yet
        window->cmdPlay()->click();
        QTRY_COMPARE(window->lblCue()->text(), QStringLiteral("2"));
        QCOMPARE(window->state(), Dubbing::State::CountDown);
        QTRY_VERIFY(child.read("arguments").contains("--device=usb"));
        const auto request = parseStreamRequest(child.read("request.json").toStdString());
        QVERIFY(std::holds_alternative<StreamRequest>(request));
        const StreamRequest& asked = std::get<StreamRequest>(request);
        QCOMPARE(asked.side.tracks.size(), std::size_t(2));
        QCOMPARE(asked.side.tracks[1].audio.path, std::string("/music/2.flac"));
        QCOMPARE(asked.countDownSeconds, double(Dubbing::CountDownSeconds));
        QVERIFY(asked.beep);

        child.open("track");
        QTRY_COMPARE(window->frame(), leadIn + 441);
        QCOMPARE(window->state(), Dubbing::State::Playing);
        QTRY_COMPARE(window->mtrLeft()->level().peakDb, -6.5);
        QVERIFY(window->lblNow()->text().contains(QStringLiteral("Song 1")));
        window->cmdPause()->click();
        QCOMPARE(window->state(), Dubbing::State::Paused);
        QTRY_COMPARE(window->frame(), leadIn + 500);
        window->cmdPlay()->click();
        QTRY_VERIFY(child.read("commands").contains("pause\nresume\n"));
        child.open("end");
        QTRY_VERIFY(window->optSideB()->isChecked());
        QCOMPARE(window->state(), Dubbing::State::Stopped);
        QCOMPARE(window->lblCue()->text(), QStringLiteral("テープを裏返して…"));
        // Side A is on the tape now, side B not yet: only A can be checked, with the side it played.
        QVERIFY(!window->cmdCheckTape()->isEnabled());
        window->optSideA()->setChecked(true);
        QVERIFY(window->cmdCheckTape()->isEnabled());
        window->cmdCheckTape()->click();
        QVERIFY(window->tapeCheckWindow());
        QVERIFY(window->tapeCheckWindow()->findChild<QLabel*>("lblSide")->text().contains(QStringLiteral("A面（2 曲")));
        window->close();
    }

    // Faults: the child's error (the output gone) not shown, the window left in Playing, or the side
    // not playable again afterwards; Stop leaving the child running.
    void playerErrorIsAMessage()
    {
        FakeChild child({level(SampleRate, -12),
                         QByteArray::fromStdString(soundReportLine(
                             SoundReport{SoundEvent::Error, 0, {}, SoundCue::End, 0, 0, "tape： 出力先が使えなくなりました"})),
                         "exit 1"});
        ModalAnswerer answerer;
        QPointer<Dubbing> window = new Dubbing;
        window->setPlan(soundPlan());
        window->show();
        window->cmdPlay()->click();
        QTRY_COMPARE(answerer.messages().size(), 1);
        QVERIFY(answerer.messages().first().text.contains(QStringLiteral("出力先が使えなくなりました")));
        QCOMPARE(window->state(), Dubbing::State::Stopped);
        QVERIFY(window->cmdPlay()->isEnabled());

        child.write("script", level(SampleRate, -12) + "\n");
        window->cmdPlay()->click();
        QTRY_VERIFY(window->player().childPid() > 0);
        const qint64 pid = window->player().childPid();
        window->cmdStop()->click();
        QVERIFY(!window->player().loaded());
        QTRY_VERIFY(::kill(pid_t(pid), 0) != 0);
        window->close();
    }

    // Fault: a sound library (Qt Multimedia, libpulse, FFmpeg) loaded into the window's process.
    void windowLoadsNoSoundLibrary()
    {
        QPointer<Dubbing> window = new Dubbing;
        window->setPlan(soundPlan());
        window->show();
        const QByteArray loaded = loadedLibraries();
        QVERIFY(!loaded.isEmpty());
        for (const char* library : {"libQt6Multimedia", "libpulse", "libavcodec", "libavformat"})
            QVERIFY2(!loaded.contains(library), library);
        window->close();
    }
};

VANTOLI_GUI_TEST_MAIN(TestDubbingWindow)
#include "test_dubbing_window.moc"
