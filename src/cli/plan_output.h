#pragma once
// What vantoli-plan prints of a plan: readable lines, the long-disc report, or a JSON object.

#include <string>
#include <string_view>
#include <vector>

#include "core/long_disc_plan.h"
#include "core/tape_lineup.h"
#include "core/track_list.h"

namespace vantoli::cli {

// A plan with everything the outputs show besides it.
struct PlannedTape {
    LongDiscPlan longDisc;     // the plan, the track count and the total
    std::vector<int> seconds;  // seconds of track p + 1 at index p
    TrackList titles;          // the source's titles; empty for typed times
    PlanOptions options;       // as the plan was made
    Lineup lineup;             // the tapes it was made with
};

// The tape, each side's tracks in recording order with their start and length and title, each side's
// times and the tape left after it, and both sides' total and blank; Japanese, LF line ends.
std::string planText(const PlannedTape& planned);

// The long-disc report text, exactly as the report window shows it, with LF line ends or, when asked,
// with the report's own CR LF.
std::string reportText(const PlannedTape& planned, bool crlf);

// One JSON object (the fields are listed in the manual page and the README).
std::string planJson(const PlannedTape& planned);

// Text from a tag, a sheet or an argument as a terminal may show it: valid UTF-8 (U+FFFD for any
// other byte), and U+FFFD for every control character that could break a line or move the cursor.
std::string shownText(std::string_view text);

// Text lines as a terminal or a pipe takes them: CR LF and a CR alone become LF.
std::string lfLines(std::string_view text);

}  // namespace vantoli::cli
