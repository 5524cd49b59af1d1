// Menu commands that are not built yet. Each item is in the menu and does nothing when chosen.

#include "ui/main_form.h"

namespace vantoli {

void MainForm::mnuFileOpen_Click() {}
void MainForm::mnuFileSave_Click() {}
void MainForm::mnuSettingCD_Click() {}
void MainForm::mnuSetting5sec_Click() {}
void MainForm::mnuSettingAll_Click() {}
void MainForm::mnuHelpTopic_Click() {}
void MainForm::mnuHelpVersion_Click() {}

}  // namespace vantoli
