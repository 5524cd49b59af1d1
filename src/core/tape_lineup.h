#pragma once
// The cassette lengths the program plans with, shared by the Run command and the long-disc plan.

#include <array>

namespace vantoli {

// Tape lengths in minutes, shortest first.
inline constexpr std::array<int, 14> TapeLineup{10, 20, 30, 40, 46, 50, 54, 60, 64, 70, 74, 80, 90, 100};

// Seconds one side of a tape holds: half the nominal length plus 45 s of allowance.
constexpr int sideCapacity(int tapeMinutes) { return tapeMinutes * 30 + 45; }

// Seconds left blank between two neighbouring tracks of one side when the gap option is on.
inline constexpr int GapSeconds = 5;

}  // namespace vantoli
