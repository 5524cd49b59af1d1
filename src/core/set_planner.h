#pragma once
// Several albums onto the fewest tapes: a box set or a long playlist, sides filled in order (tape 1
// side A, tape 1 side B, tape 2 side A, …), albums and their tracks in the order given.
//
// Among all ways that fit, the plan has, in this order: the fewest tapes; the fewest side boundaries
// inside an album; of those, the fewest tape boundaries inside an album; the fewest minutes of tape in
// all (each tape the shortest of the lineup that holds both its sides). Among plans equal in all four,
// the earlier sides are the fuller ones: the first side ends as late as it can, then the second, and
// so on, so the slack is left at the end of the set.
//
// A side holds its tracks plus a gap between neighbours (when the gap is on), as one tape's side does.
// Side A of every tape holds at least one track; side B may stay blank, which lets an album start on a
// fresh tape rather than cross from one tape to the next.

#include <optional>
#include <variant>
#include <vector>

#include "core/message.h"
#include "core/tape_lineup.h"
#include "core/tape_planner.h"
#include "core/track_list.h"

namespace vantoli {

// Where a track sits: which album (0-based, in the order given) and which track of it (0-based).
struct SetTrackPlace {
    int album = 0;
    int track = 0;
    int seconds = 0;
    int start = 0;  // seconds from the beginning of its side, the gaps before it included

    bool operator==(const SetTrackPlace&) const = default;
};

struct SetSide {
    std::vector<SetTrackPlace> tracks;
    int seconds = 0;  // used: the tracks and the gaps between them

    bool operator==(const SetSide&) const = default;
};

struct SetTape {
    int minutes = 0;       // the shortest tape of the lineup that holds both sides
    int sideCapacity = 0;  // what one side of it holds
    SetSide sideA;
    SetSide sideB;  // may be empty

    bool operator==(const SetTape&) const = default;
};

struct SetPlan {
    std::vector<SetTape> tapes;
    int albumSplits = 0;  // side boundaries that fall inside an album (tape boundaries included)
    int tapeSplits = 0;   // of those, the ones that fall between two tapes
    int totalMinutes = 0;

    bool operator==(const SetPlan&) const = default;
};

// A track no side of the lineup holds: album and track 0-based.
struct TrackTooLong {
    int album = 0;
    int track = 0;
    int seconds = 0;
    int longestSide = 0;  // seconds

    bool operator==(const TrackTooLong&) const = default;
};

// Nothing to plan: no album holds a track, or the lineup is not usable.
struct NothingToPlan {
    bool operator==(const NothingToPlan&) const = default;
};

using SetPlanResult = std::variant<SetPlan, TrackTooLong, NothingToPlan>;

// Plans the albums (the seconds of each album's tracks, none negative) onto tapes of the lineup.
// Empty albums are passed over.
SetPlanResult planSet(const std::vector<std::vector<int>>& albums, bool gap, const Lineup& lineup = standardLineup());

// The message for a track too long for any side (titles: the album's and the track's, UTF-8).
Message trackTooLongMessage(const TrackTooLong& failure, const std::string& albumTitle, const std::string& trackTitle);

// The tracks of one tape of a set, side A's then side B's, as the albums name them (albums[a] the
// tracks of album a); the tape takes its title and artist from the first album on it.
TrackList tracksOfSetTape(const SetTape& tape, const std::vector<TrackList>& albums);

// The set's placing of one tape's tracks as a one-tape plan, the tracks numbered from 1 in the order
// of tracksOfSetTape.
TapePlan tapePlanOfSetTape(const SetTape& tape, bool gap);

}  // namespace vantoli
