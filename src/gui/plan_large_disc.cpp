#include "gui/plan_large_disc.h"

#include <QString>

#include <optional>
#include <vector>

#include "core/long_disc_plan.h"
#include "core/plan_report.h"
#include "core/read_disc.h"
#include "gui/main_form.h"
#include "gui/message_box.h"
#include "gui/report.h"

namespace vantoli {

void PlanLargeDisc(MainForm& window, const std::int32_t& trackCount)
{
    // The drive is closed here, before any planning, so it is closed on the failure path too.
    const std::vector<int> seconds = readTrackSeconds(window.RCD1(), trackCount);

    const std::optional<LongDiscPlan> plan = planLongDisc(seconds, window.planOptions(), trackCount);
    if (!plan) {
        showMessage(&window, lineupFailureMessage());
        return;
    }
    showReport(window.reportWindow(), QString::fromStdString(PlanReportText(*plan)));
}

}  // namespace vantoli
