#pragma once
// vantoli-plan --check-files=-: the tracks of a stream request on standard input, each decoded to its
// end, so that a file whose sound stops before the length its header states is found before a plan is
// made from it. The window starts it after a read.

#include <cstdio>

#include "cli/plan_command.h"

namespace vantoli::cli {

// One JSON line a track as it is checked: {"track": N, "frames": decoded, "statedFrames": stated}, with
// "error" when the decoding failed part-way (frames: what came before) or the file did not open (no
// frames). Status 2 for a request that does not read.
CommandResult checkFiles(std::FILE* in, std::FILE* out);

}  // namespace vantoli::cli
