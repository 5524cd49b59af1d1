#pragma once
// The cassettes the program plans with. The standard lineup is the fourteen lengths from 10 to 100
// minutes; the user may plan with the lengths they own instead, and with what one side of each
// actually holds. Both planners take the lineup as a value.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/message.h"

namespace vantoli {

// Tape lengths of the standard lineup in minutes, shortest first.
inline constexpr std::array<int, 14> StandardTapeMinutes{10, 20, 30, 40, 46, 50, 54, 60, 64, 70, 74, 80, 90, 100};

// Seconds one side of a tape of the standard lineup holds: half the nominal length plus 45 s of
// allowance.
constexpr int sideCapacity(int tapeMinutes) { return tapeMinutes * 30 + 45; }

// Seconds left blank between two neighbouring tracks of one side when the gap option is on.
inline constexpr int GapSeconds = 5;

// Bounds of a tape the user may add, and of the side capacity they may enter.
inline constexpr int ShortestTapeMinutes = 1;
inline constexpr int LongestTapeMinutes = 180;
inline constexpr int LargestSideCapacity = 9999;

struct Tape {
    int minutes = 0;       // the length on the label
    int sideCapacity = 0;  // seconds one side holds, the gaps between its tracks included

    bool operator==(const Tape&) const = default;
};

// The tapes to plan with, shortest first. A usable lineup has at least one tape, lengths within
// ShortestTapeMinutes..LongestTapeMinutes and capacities within 1..LargestSideCapacity, and both the
// lengths and the capacities grow strictly from tape to tape.
using Lineup = std::vector<Tape>;

// The fourteen tapes of StandardTapeMinutes with their sideCapacity().
const Lineup& standardLineup();

bool isUsableLineup(const Lineup& lineup);

// The rules of the tape walk speak of a tape's length. For a tape whose capacity the user measured,
// the length that matches the capacity is used: twice the capacity less the 45 s allowance of each
// side. For every tape of the standard lineup this is exactly its minutes × 60.
constexpr long long playingSeconds(const Tape& tape) { return 2LL * tape.sideCapacity - 90; }

// ---- The user's list of tapes ------------------------------------------------------------------

// One length of the list the user keeps: the standard lengths and any they added, each with what one
// side holds and whether they own it. The owned ones make the lineup.
struct TapeChoice {
    int minutes = 0;
    int sideCapacity = 0;
    bool owned = true;

    bool operator==(const TapeChoice&) const = default;
};

// The fourteen standard lengths, all owned, with their standard capacities.
std::vector<TapeChoice> standardTapeChoices();

bool isStandardLength(int minutes);

// What is wrong with a list, and the entry the user should look at.
struct TapeChoiceProblem {
    std::size_t index = 0;
    Message message;

    bool operator==(const TapeChoiceProblem&) const = default;
};

// A list is right when its lengths are ShortestTapeMinutes..LongestTapeMinutes, shortest first and
// each once, every capacity is 1..LargestSideCapacity, at least one length is owned and the capacities
// of the owned lengths grow with the length. The first problem found, or nothing.
std::optional<TapeChoiceProblem> checkTapeChoices(const std::vector<TapeChoice>& choices);

// Adds an owned length with the standard capacity in its place in the list. A length outside
// ShortestTapeMinutes..LongestTapeMinutes or already in the list gives a message and changes nothing.
std::optional<Message> addTapeChoice(std::vector<TapeChoice>& choices, int minutes);

// The owned lengths as a lineup, in the order of the list.
Lineup lineupOf(const std::vector<TapeChoice>& choices);

// The list kept between runs could not be read (file: the settings file, UTF-8); the standard list is
// used instead.
Message unreadableTapesMessage(const std::string& file);
// The list could not be written; it holds until the program ends.
Message unsavedTapesMessage(const std::string& file);

}  // namespace vantoli
