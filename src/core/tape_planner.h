#pragma once
// Choosing the tape and dividing the tracks between side A and side B. One planner serves both the
// Run command (at most 20 tracks) and the long-disc plan (up to 99 tracks read from a CD).

#include <optional>
#include <vector>

#include "core/message.h"
#include "core/tape_lineup.h"

namespace vantoli {

struct PlanOptions {
    bool gap = true;        // leave 5 s of blank between neighbouring tracks of a side
    bool keepOrder = true;  // never exchange tracks between the sides
    bool exact = false;     // with the order not kept, search the shortest tape exactly (planTracks)

    bool operator==(const PlanOptions&) const = default;
};

// One track of side A exchanged for one of side B to get by with a shorter tape.
struct TrackExchange {
    int outgoingA = 0;  // slot (0-based) that moved from side A to side B
    int outgoingB = 0;  // slot that moved from side B to side A

    bool operator==(const TrackExchange&) const = default;
};

struct TapePlan {
    int tapeMinutes = 0;
    int sideCapacity = 0;    // seconds one side of the chosen tape holds
    std::vector<int> sideA;  // track numbers (slot + 1) in recording order
    std::vector<int> sideB;
    int sideATime = 0;  // seconds of the tracks on the side, gaps not included
    int sideBTime = 0;
    int sideABlank = 0;  // gaps between the side's tracks
    int sideBBlank = 0;
    int totalBlank = 0;

    // The in-order split the plan came from: side A held slots 0..lastA and side B lastA+1..lastB.
    // For an exact plan, the single cut that leaves the fewest tracks out of their album place.
    int lastA = -1;
    int lastB = -1;
    std::optional<TrackExchange> exchange;
    bool exact = false;  // made by the exact planner: each side is any selection of tracks in disc order

    bool operator==(const TapePlan&) const = default;
};

// Side A never takes more than this many tracks, whatever the length of the list.
inline constexpr int SideATrackLimit = 20;

// Plans the track list (seconds per track, none negative; every track is placed) with the in-order
// split, the tape walk and the one-pair exchange. Returns nothing when no tape of the lineup holds it
// (show lineupFailureMessage() then) or when the lineup is not usable. options.exact is not read.
//
// Where the walk speaks of a tape's length it uses playingSeconds(), which is the length in seconds
// for a tape of the standard lineup and follows the capacity for a tape the user measured:
// - the walk starts two tapes below the first whose playing length exceeds the total (for the
//   standard lineup: the first tape longer than the whole minutes); none: no tape will do;
// - the exchange is tried only when the total (gaps not counted) is below both sides of the next
//   shorter tape, twice its capacity (for the standard lineup: its minutes × 60 + 90);
// - the exchange aims at the next shorter tape's side capacity.
std::optional<TapePlan> PlanTape(const std::vector<int>& trackSeconds, PlanOptions options,
                                 const Lineup& lineup = standardLineup());

// The message shown when no tape of the lineup will do; it names the longest tape of the lineup.
Message lineupFailureMessage(const Lineup& lineup = standardLineup());

}  // namespace vantoli
