#pragma once
// The cassettes the program plans with. The standard lineup is the fourteen lengths from 10 to 100
// minutes; the user may plan with the lengths they own instead, and with what one side of each
// actually holds. Both planners take the lineup as a value.

#include <array>
#include <vector>

namespace vantoli {

// Tape lengths of the standard lineup in minutes, shortest first.
inline constexpr std::array<int, 14> TapeLineup{10, 20, 30, 40, 46, 50, 54, 60, 64, 70, 74, 80, 90, 100};

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

// The fourteen tapes of TapeLineup with their sideCapacity().
const Lineup& standardLineup();

bool isUsableLineup(const Lineup& lineup);

// The rules of the tape walk speak of a tape's length. For a tape whose capacity the user measured,
// the length that matches the capacity is used: twice the capacity less the 45 s allowance of each
// side. For every tape of the standard lineup this is exactly its minutes × 60.
constexpr long long playingSeconds(const Tape& tape) { return 2LL * tape.sideCapacity - 90; }

}  // namespace vantoli
