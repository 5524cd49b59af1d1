// The dubbing window without sound: opened from the File menu on the last plan, its timer mode run by
// a clock the test moves, a new plan waiting for Stop, and the keyboard.

#include <QAction>
#include <QComboBox>
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

#include "gui/dubbing.h"
#include "gui/level_meter.h"
#include "support/modal_answerer.h"
#include "support/open_window.h"

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
};

VANTOLI_GUI_TEST_MAIN(TestDubbingWindow)
#include "test_dubbing_window.moc"
