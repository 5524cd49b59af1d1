// The Run command: read the entries, plan the tape, show the plan.

#include <QLabel>
#include <QLineEdit>

#include <variant>

#include "core/entry_reading.h"
#include "core/tape_planner.h"
#include "core/time_text.h"
#include "gui/fonts.h"
#include "gui/main_form.h"
#include "gui/message_box.h"

namespace vantoli {

void MainForm::Run_Click()
{
    // The side cells of the previous plan go first; its time labels and tape stay until replaced.
    for (int i = 0; i < TrackCount; ++i) A(i)->setText(QString());
    for (int i = 0; i < TrackCount; ++i) B(i)->setText(QString());

    EntryTexts entries;
    for (int i = 0; i < TrackCount; ++i) entries[i] = Tm(i)->text().toStdString();
    const std::variant<TrackTimes, EntryError> read = ReadTrackTimes(entries);
    if (const auto* error = std::get_if<EntryError>(&read)) {
        showMessage(this, error->message());
        return;
    }
    const TrackTimes& times = std::get<TrackTimes>(read);

    ShowTimeLabel(times.grandTotal, TimeTotal);

    const std::optional<TapePlan> plan = PlanTape(times.seconds, planOptions());
    if (!plan) {
        showMessage(this, lineupFailureMessage());
        return;
    }
    ShowPlan(*plan);
}

PlanOptions MainForm::planOptions() const
{
    // The ticks of the two menu items are the options, read afresh for every plan.
    PlanOptions options;
    options.gap = mnuSetting5sec()->isChecked();
    options.keepOrder = mnuSettingCD()->isChecked();
    return options;
}

void MainForm::ShowTimeLabel(int seconds, int selector)
{
    QLabel* label = timeLabel(selector);
    const std::optional<std::string> text = timeLabelText(seconds, selector);
    if (label && text) label->setText(QString::fromStdString(*text));
}

void MainForm::ShowPlan(const TapePlan& plan)
{
    ShowTimeLabel(plan.sideATime, SideATotal);
    ShowTimeLabel(plan.sideABlank, ABlankTime);
    for (int n = 0; n < static_cast<int>(plan.sideA.size()) && n < TrackCount; ++n)
        A(n)->setText(QString::number(plan.sideA[n]));
    ShowTimeLabel(plan.sideBTime, SideBTotal);
    ShowTimeLabel(plan.sideBBlank, BBlankTime);
    for (int n = 0; n < static_cast<int>(plan.sideB.size()) && n < TrackCount; ++n)
        B(n)->setText(QString::number(plan.sideB[n]));
    ShowTimeLabel(plan.totalBlank, TBlankTime);
    TapeType()->setText(QString::fromStdString(tapeCaption(plan.tapeMinutes)));
    condenseToFit(TapeType());
}

}  // namespace vantoli
