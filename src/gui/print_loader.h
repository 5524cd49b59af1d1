#pragma once
// Opening a print session from the print module (gui/print_session.h).

#include <memory>

#include "gui/print_session.h"

namespace vantoli {

// A session of the print module found beside the program (program_files.h); nothing when the module
// is missing or cannot be loaded, with Qt's reason in the log.
std::unique_ptr<PrintSession> openPrintSession();

}  // namespace vantoli
