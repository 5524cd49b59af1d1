#pragma once
// The picture of a checked side: the program's level and the tape's over the recording, the tracks
// marked, dropouts in red, clipping in orange, a cut end shaded. Written as PNG through libpng.

#include <string>

#include "core/tape_check.h"

namespace vantoli::cli {

inline constexpr int PlotWidth = 1200;
inline constexpr int PlotHeight = 360;

// Writes the picture to `path` (whole or not at all); an empty string on success, else the reason.
// `expectedDb` shifts the program's curve by the tape's level, so that a tape that held lies on it.
std::string writeLevelPlot(const TapeCheck& check, double expectedDb, const std::string& path);

}  // namespace vantoli::cli
