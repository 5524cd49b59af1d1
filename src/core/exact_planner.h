#pragma once
// The exact planner: beside PlanTape's in-order split and single exchange, a second rule that finds
// the shortest tape of the lineup on which the tracks can be split at all.

#include <optional>
#include <vector>

#include "core/tape_lineup.h"
#include "core/tape_planner.h"

namespace vantoli {

// Splits the tracks (seconds each, none negative) between the sides. Every track is placed once,
// each side plays its own tracks in disc order, side A takes at most SideATrackLimit tracks, and each
// side with its gaps fits the chosen tape's side capacity. The tape is the shortest of the lineup
// for which such a split exists. Among the splits on that tape the plan has
//   1. the fewest tracks out of their album place: tracks on the wrong side of the single cut between
//      A and B that suits the split best;
//   2. then the smallest difference between the sides (recorded time plus gaps);
//   3. then, as a fixed rule for what is still equal: side A the longer of the two sides, and after
//      that the later tracks on side B (reading two splits from the last track backwards, the first
//      track they place differently goes to side B).
// Returns nothing when no tape of the lineup holds the tracks or the lineup is not usable. The plan
// has exact set, no exchange, lastB the last slot and lastA the slot before the best cut.
std::optional<TapePlan> planExact(const std::vector<int>& trackSeconds, bool gap, const Lineup& lineup);

// The plan the options ask for: planExact when options.exact is set and the order is not kept,
// PlanTape otherwise.
std::optional<TapePlan> planTracks(const std::vector<int>& trackSeconds, PlanOptions options, const Lineup& lineup);

namespace detail {

// planExact with side A limited to sideATracks tracks (1 to SideATrackLimit): the programme over cuts
// finds the best split, and when that one breaks the limit the programme over track counts does. Tests
// use small limits to check both against trying every split.
std::optional<TapePlan> planExact(const std::vector<int>& trackSeconds, bool gap, const Lineup& lineup,
                                  int sideATracks);

}  // namespace detail

}  // namespace vantoli
