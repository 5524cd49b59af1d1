#pragma once
// What the cassette label (the J-card in the tape's case) shows of a plan: each side's tracks with
// their titles, lengths and start times, how long each side plays and how much tape is left after it,
// the tape, and the tape's own title and artist.

#include <optional>
#include <string>
#include <vector>

#include "core/message.h"
#include "core/tape_counter.h"
#include "core/tape_planner.h"
#include "core/track_list.h"

namespace vantoli {

// A plan as the program made it, with what the label needs besides the plan: the length of every
// track, the gap between neighbouring tracks and the titles the source named. The main window keeps
// the last one it made, from the Run command or from a long disc.
struct MadePlan {
    TapePlan plan;
    std::vector<int> trackSeconds;  // seconds of track p + 1 at index p
    int gap = 0;                    // seconds of blank between neighbouring tracks of a side
    TrackList titles;               // may be empty or hold fewer tracks than the plan
    // The tape's place in a set of several tapes ("1/3" on the spine): 1-based, 0 of 0 for a lone tape.
    int setTape = 0;
    int setTapes = 0;

    bool operator==(const MadePlan&) const = default;
};

struct LabelTrack {
    int number = 0;     // the track's number on the source (slot + 1), as the plan names it
    std::string title;  // UTF-8; empty when the source names none
    int seconds = 0;    // the track's length
    int start = 0;      // where the track starts on its side, the gaps before it counted
    // The deck's counter at the start, when a calibration is in use (fillCounterReadings).
    std::optional<int> counter = std::nullopt;

    bool operator==(const LabelTrack&) const = default;
};

struct LabelSide {
    std::vector<LabelTrack> tracks;  // in recording order
    int playing = 0;                 // from the first track's start to the last one's end, gaps included
    int left = 0;                    // blank tape after the last track: the side's capacity minus playing

    bool operator==(const LabelSide&) const = default;
};

struct LabelContent {
    int tapeMinutes = 0;
    int sideCapacity = 0;  // seconds one side of the tape holds
    LabelSide sideA;
    LabelSide sideB;
    std::string title;   // the tape's title; the source's album to begin with
    std::string artist;  // the source's artist to begin with
    std::string note;    // the user's own line ("Type II, Dolby B", a date); empty to begin with
    // The tape's place in a set of several tapes, as its plan says: 1-based, 0 of 0 for a lone tape.
    int setTape = 0;
    int setTapes = 0;

    bool operator==(const LabelContent&) const = default;
};

// The label of a plan, its titles taken from the plan's track list. A track number the lengths do not
// cover counts as 0 s and a negative length as 0 s; the times saturate rather than overflow.
LabelContent labelContent(const MadePlan& made);

// Gives each track of both sides the counter reading at its start (counterAt), or takes them away
// when there is no calibration.
void fillCounterReadings(LabelContent& label, const std::optional<CounterCalibration>& calibration);

// "2/3" for the second tape of a set of three; empty for a lone tape (a set of one or none).
std::string setPlaceText(const LabelContent& label);

// Carries what the user typed over a label to the label of a new plan. `before` is the label of the
// earlier plan as it was filled in, `typed` the same label with the user's changes. A track of `fresh`
// keeps the title typed for it when the earlier label had the same track: the same number, length and
// title from the source. The title and the artist of the tape are kept while the source's album and
// artist stay the same; the note is always kept.
void keepTypedTexts(LabelContent& fresh, const LabelContent& before, const LabelContent& typed);

// The message shown when the label is asked for before any plan has been made.
Message noPlanForLabelMessage();

// Minutes and two-digit seconds: "4:31", "0:05", "63:05"; "-0:05" for a time below zero.
std::string labelTimeText(int seconds);

}  // namespace vantoli
