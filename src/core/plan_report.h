#pragma once
// The text of the long-disc report: which tracks go on each side, the side and blank times and the tape.

#include <string>

#include "core/long_disc_plan.h"

namespace vantoli {

// The report as UTF-8 with CR LF line ends; it begins with an empty line and ends with CR LF. A plan
// without an exchange shows each side as a range of tracks, a plan with one lists every track, and an
// exact plan lists each side's own tracks ten to a line.
std::string PlanReportText(const LongDiscPlan& longDisc);

}  // namespace vantoli
