#pragma once
// Choosing the tape and dividing the tracks between side A and side B. One planner serves both the
// Run command (at most 20 tracks) and the long-disc plan (up to 99 tracks read from a CD).

#include <optional>
#include <vector>

#include "core/message.h"

namespace vantoli {

struct PlanOptions {
    bool gap = true;        // leave 5 s of blank between neighbouring tracks of a side
    bool keepOrder = true;  // never exchange tracks between the sides
};

// One track of side A exchanged for one of side B to get by with a shorter tape.
struct TrackExchange {
    int outgoingA = 0;  // slot (0-based) that moved from side A to side B
    int outgoingB = 0;  // slot that moved from side B to side A

    bool operator==(const TrackExchange&) const = default;
};

struct TapePlan {
    int tapeMinutes = 0;
    std::vector<int> sideA;  // track numbers (slot + 1) in recording order
    std::vector<int> sideB;
    int sideATime = 0;  // seconds of the tracks on the side, gaps not included
    int sideBTime = 0;
    int sideABlank = 0;  // gaps between the side's tracks
    int sideBBlank = 0;
    int totalBlank = 0;

    // The in-order split the plan came from: side A held slots 0..lastA and side B lastA+1..lastB.
    int lastA = -1;
    int lastB = -1;
    std::optional<TrackExchange> exchange;

    bool operator==(const TapePlan&) const = default;
};

// Side A never takes more than this many tracks, whatever the length of the list.
inline constexpr int SideATrackLimit = 20;

// Plans the track list (seconds per track, none negative; every track is placed). Returns nothing
// when no tape of the lineup holds it: show lineupFailureMessage() then.
std::optional<TapePlan> PlanTape(const std::vector<int>& trackSeconds, PlanOptions options);

// The message shown when no tape of the lineup will do.
Message lineupFailureMessage();

}  // namespace vantoli
