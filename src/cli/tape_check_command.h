#pragma once
// --check-tape: a recording of the tape played back, compared with the side's program as --render
// writes it. Prints a line per track and per fault (or JSON), and draws the picture with --plot.

#include <cstdio>
#include <string>

#include "cli/command_line.h"
#include "cli/plan_command.h"
#include "cli/plan_output.h"

namespace vantoli::cli {

// Checks the request's side of the plan against its recording. Sets `result`'s output, messages and
// exit status (Failed when the recording cannot be read or does not hold the side).
void checkTapeSide(const PlannedTape& planned, const PlanRequest& request, const std::string& cdSource,
                   CommandResult& result);

// --check-tape --request=-: checks the recording against the side the JSON request read from `in` names.
CommandResult checkRequestedSide(const CheckStream& stream, std::FILE* in);

}  // namespace vantoli::cli
