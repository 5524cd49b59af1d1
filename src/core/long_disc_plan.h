#pragma once
// The plan of a disc with more tracks than the entry grid holds: planned straight from the lengths read
// off the disc, under the same rules as the Run command, and shown as a text report.

#include <cstdint>
#include <optional>
#include <vector>

#include "core/tape_planner.h"

namespace vantoli {

struct LongDiscPlan {
    std::int32_t trackCount = 0;  // the disc's track count as the drive reported it
    int total = 0;                // seconds of all tracks read, gaps not included
    TapePlan plan;                // the sides in recording order; see TapePlan for the in-order split

    bool operator==(const LongDiscPlan&) const = default;
};

// Plans the disc's tracks (whole seconds each, in disc order, none negative) with the planner the
// options choose (planTracks): the shared planner puts at most SideATrackLimit tracks from the start on
// side A and all the rest on side B; the exact planner picks any tracks for side A, at most
// SideATrackLimit of them. Every track is placed, a track that reads as 0 s included. Returns nothing
// when no tape of the lineup holds the disc: show lineupFailureMessage(lineup) then.
std::optional<LongDiscPlan> planLongDisc(const std::vector<int>& trackSeconds, PlanOptions options,
                                         std::int32_t trackCount, const Lineup& lineup = standardLineup());

}  // namespace vantoli
