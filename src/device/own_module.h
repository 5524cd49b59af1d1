#pragma once
// The program's own modules, in lib/<arch>/vantoli/ beside the programs' bin/ folder (the build tree
// has the same layout): code over a large library (TagLib, Qt's network) is loaded only when it is first
// used, so that the window starts without it.

#include <string>

namespace vantoli {

// The address of `symbol` in the module `name` (libNAME.so), loading the module the first time; null
// when the module or the symbol is missing, with why in `problem`.
void* ownModuleSymbol(const char* name, const char* symbol, std::string* problem = nullptr);

}  // namespace vantoli
