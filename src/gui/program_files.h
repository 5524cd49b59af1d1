#pragma once
// Where the window finds what the package installs beside it: vantoli-plan, its helper, the print
// module and the help pages. All are found from the window's own folder by paths worked out from the
// install folders when it was built, so that an installation under any prefix, and the build tree,
// which keeps the same layout, find them.

#include <QString>

#include <string>

namespace vantoli {

// vantoli-plan: VANTOLI_PLAN when set (tests use a stand-in), else where the package puts it.
QString planProgram();

// vantoli-helper, which reads tags and asks the disc database: VANTOLI_HELPER when set, else where the
// package puts it (libexec/vantoli/).
QString helperProgram();
// The same as a file name, for the device layer, which starts it (ChildTagReader).
std::string helperFile();

// The print module (gui/print_session.h): VANTOLI_PRINT when set, else beside the helper.
QString printModule();

// The help pages' folder (index.html, and the English pages in en/).
QString helpFolder();

}  // namespace vantoli
