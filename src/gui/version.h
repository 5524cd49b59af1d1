#pragma once
// The About window: the program's name, its version and its copyright notice.

#include "gui/secondary_window.h"
#include "gui/single_window.h"

class QLabel;

namespace vantoli {

class Version : public SecondaryWindow {
    Q_OBJECT
public:
    Version();

    // Writes the version text, e.g. "Version 1. 10. 2000 Beta 1".
    void Form_Load();
    // Closes the window; Enter, Esc and the close box do the same.
    void cmdOK_Click();

private:
    QLabel* lblVersion;
};

// The About command of the main window (mnuHelpVersion_Click):
//     showVersion(version_);
// with `SingleWindow<Version> version_` a member of the main window. Loads the window if it is not open,
// otherwise just brings the open one to the front. Modeless and owned by no other window.
Version* showVersion(SingleWindow<Version>& version);

}  // namespace vantoli
