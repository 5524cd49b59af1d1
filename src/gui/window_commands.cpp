// The main window's commands that open another window: the batch settings, the help and the About box.

#include "gui/help_window.h"
#include "gui/main_form.h"

namespace vantoli {

void MainForm::mnuSettingAll_Click() { showDialog(dialog_, mnuSettingCD_, mnuSetting5sec_); }

void MainForm::mnuHelpTopic_Click() { showHelp(this); }

void MainForm::mnuHelpVersion_Click() { showVersion(version_); }

}  // namespace vantoli
