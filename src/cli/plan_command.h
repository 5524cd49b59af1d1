#pragma once
// vantoli-plan as a whole: the arguments in, what goes to standard output and standard error and the
// exit status out. It reads the track times, the CD or the files with the same core and device code as
// the main window's commands, and plans with the same planners.

#include <optional>
#include <string>
#include <vector>

#include "core/tape_lineup.h"

namespace vantoli::cli {

inline constexpr int PlanMade = 0;     // a plan was printed (also --help and --version)
inline constexpr int NoTapeHolds = 1;  // no tape of the lineup holds the tracks
inline constexpr int Failed = 2;       // bad input, a source that cannot be read, a usage mistake

struct CommandResult {
    int exitStatus = PlanMade;
    std::string out;  // UTF-8, LF line ends (CR LF only in a report asked for with --crlf)
    std::string err;  // messages, UTF-8, LF line ends
};

// The tapes of --tapes, or (none given) the ones the user keeps for the window in `settingsFile`.
// Nothing when the tapes given are not a lineup: the message and the status are in `result`; a
// damaged settings file is told in `result.err` and the standard tapes are used.
std::optional<Lineup> requestedLineup(const std::optional<std::vector<TapeChoice>>& tapes,
                                      const std::string& settingsFile, CommandResult& result);

// `settingsFile` is where the user's tapes are kept (tapeSettingsPath() for the program); it is read
// only when --tapes is not given.
CommandResult runPlanCommand(const std::vector<std::string>& arguments, const std::string& settingsFile);

}  // namespace vantoli::cli
