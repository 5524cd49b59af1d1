// The main window's planning commands: Run (read the entries, plan the tape, show the plan), Clear,
// and the plan of a long disc, shown as a report.

#include <QLabel>
#include <QLineEdit>

#include <variant>

#include "core/entry_reading.h"
#include "core/exact_planner.h"
#include "core/long_disc_plan.h"
#include "core/plan_report.h"
#include "core/tape_lineup.h"
#include "core/tape_planner.h"
#include "core/time_text.h"
#include "core/track_caption.h"
#include "device/read_source.h"
#include "gui/disc_lookup.h"
#include "gui/fonts.h"
#include "gui/main_form.h"
#include "gui/message_box.h"

namespace vantoli {

void MainForm::Run_Click()
{
    // The side cells of the previous plan go first; its time labels and tape stay until replaced.
    clearSideCells();
    showRunOutcome(tape_.run(lineup_));
}

void MainForm::showRunOutcome(const RunOutcome& outcome)
{
    if (outcome.error) {
        showMessage(this, outcome.error->message());
        return;
    }
    ShowTimeLabel(outcome.grandTotal, TimeTotal);
    if (!outcome.plan) {
        showMessage(this, lineupFailureMessage(lineup_));
        return;
    }
    ShowPlan(*outcome.plan);
    showNewPlan();
}

// Empties the entries, their titles and the whole plan display; the options, the track count of the
// last CD read, the last plan (for the cassette label) and the keyboard focus stay as they are. The
// pattern-file open command and the read of files call it too.
void MainForm::Clear_Click()
{
    tape_.clear();
    showTape();
    markChanged();
}

void MainForm::showTape()
{
    restoring_ = true;
    for (int i = 0; i < EntryCount; ++i) Tm_[i]->setText(QString::fromStdString(tape_.entries()[i]));
    mnuSettingCD_->setChecked(tape_.options().keepOrder);
    mnuSetting5sec_->setChecked(tape_.options().gap);
    mnuSettingOptimal_->setChecked(tape_.options().exact);
    restoring_ = false;
    clearSideCells();
    for (QLabel* label : {sideATotal(), aBlankTime(), sideBTotal(), bBlankTime(), timeTotal(), tBlankTime()})
        label->setText(QString());
    TapeType()->setText(QString());
}

void MainForm::clearSideCells()
{
    for (QLabel* cell : A_) cell->setText(QString());
    for (QLabel* cell : B_) cell->setText(QString());
    showTitleTips();
}

void MainForm::ShowTimeLabel(int seconds, int selector)
{
    QLabel* label = timeLabel(selector);
    const std::optional<std::string> text = timeLabelText(seconds, selector);
    if (!label || !text) return;
    label->setText(QString::fromStdString(*text));
    condenseToFit(label);  // the substitute font is wider than the one the cells were drawn for
}

void MainForm::ShowPlan(const TapePlan& plan)
{
    ShowTimeLabel(plan.sideATime, SideATotal);
    ShowTimeLabel(plan.sideABlank, ABlankTime);
    for (int n = 0; n < static_cast<int>(plan.sideA.size()) && n < EntryCount; ++n)
        A(n)->setText(QString::number(plan.sideA[n]));
    ShowTimeLabel(plan.sideBTime, SideBTotal);
    ShowTimeLabel(plan.sideBBlank, BBlankTime);
    for (int n = 0; n < static_cast<int>(plan.sideB.size()) && n < EntryCount; ++n)
        B(n)->setText(QString::number(plan.sideB[n]));
    ShowTimeLabel(plan.totalBlank, TBlankTime);
    TapeType()->setText(QString::fromStdString(tapeCaption(plan.tapeMinutes)));
    shownTapeMinutes_ = plan.tapeMinutes;
    condenseToFit(TapeType());
    showTitleTips();
}

void MainForm::PlanLargeDisc(std::int32_t trackCount)
{
    // The disc's CD-Text goes with the plan to the cassette label. The drive is closed here, before
    // any planning, so it is closed on the failure path too.
    const bool online = mnuSettingOnline_->isChecked();
    const DiscToc toc = online ? RCD1().toc() : DiscToc{};
    TrackList disc = readOpenDisc(RCD1(), trackCount);
    if (online) {
        lookUpDisc(this, toc, std::move(disc), [this, trackCount](DiscLookup named) {
            showStatus(named.status);
            showLongDiscPlan(trackSeconds(named.tracks), trackCount, named.tracks);
        });
        return;
    }
    if (showLongDiscPlan(trackSeconds(disc), trackCount, disc)) {
        tape_.startFromSource(disc, {});
        startLabelFromSource();
    }
}

bool MainForm::showLongDiscPlan(const std::vector<int>& seconds, std::int32_t trackCount, const TrackList& titles)
{
    const std::optional<LongDiscPlan> plan = tape_.planLongList(seconds, trackCount, titles, lineup_);
    if (!plan) {
        showMessage(this, lineupFailureMessage(lineup_));
        return false;
    }
    showReport(report_, QString::fromStdString(PlanReportText(*plan)));
    reported_ = plan;
    showNewPlan();
    return true;
}

void MainForm::showNewPlan()
{
    if (CassetteLabel* open = label_.window()) open->setPlan(*tape_.plan());
    markChanged();
    if (Dubbing* open = dubbing_.window()) open->setPlan(*tape_.plan());
}

}  // namespace vantoli
