#pragma once
// vantoli-plan --several: every source given is one album of a set, planned onto the fewest tapes;
// the set printed as text or JSON, and with --render each side of each tape written as a file.

#include <string>

#include "cli/command_line.h"
#include "cli/plan_command.h"

namespace vantoli::cli {

CommandResult runSeveralCommand(const SeveralRequest& request, const std::string& settingsFile);

}  // namespace vantoli::cli
