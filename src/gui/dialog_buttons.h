#pragma once
// The OK and Cancel buttons at the foot of the program's own dialogs (not the layout-table windows).

#include "gui/translation.h"

class QDialog;
class QDialogButtonBox;
class QPushButton;

namespace vantoli {

struct OkCancelButtons {
    QDialogButtonBox* box = nullptr;  // for the dialog's layout
    QPushButton* ok = nullptr;        // cmdOK: accepts the dialog
    QPushButton* cancel = nullptr;    // cmdCancel: rejects it, in the user's language
};

OkCancelButtons okCancelButtons(QDialog* dialog, Ja cancelText);

}  // namespace vantoli
