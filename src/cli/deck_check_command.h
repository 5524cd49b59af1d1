#pragma once
// vantoli-plan's deck check: --deck-test=FILE writes the test program (WAV or FLAC by the name's
// extension); --deck-check=RECORDING [--json] measures a recording of it played back by a deck;
// --deck-check=RECORDING --live follows a recording as it grows and writes a JSON line of live readings
// twice a second until its standard input says "stop" or ends.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/plan_command.h"

namespace vantoli::cli {

inline constexpr int PartsMissing = 2;  // a part of the test program was not found in the recording

// The result when the arguments ask for the deck check; nothing when they do not.
std::optional<CommandResult> runDeckCommand(const std::vector<std::string>& arguments);

// The live readings of a WAV file being recorded, a JSON line each `intervalMs` to `out`, until `in`
// gives "stop" or ends. The exit status.
int followDeckRecording(const std::string& path, std::FILE* in, std::FILE* out, int intervalMs = 500);

// The help text's lines for the deck check.
std::string deckHelpText();

}  // namespace vantoli::cli
