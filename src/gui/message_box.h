#pragma once

#include <QMessageBox>
#include <QWidget>

#include "core/message.h"

namespace vantoli {

// Shows a message of the core as a modal box with its title, icon, text and a single OK button.
// Message texts join their lines with CR or CR LF; each line is shown on a line of its own.
void showMessage(QWidget* parent, const Message& message);

// Asks before unsaved work is ended or replaced: the question, what is lost without saving, and Save
// (the default), Discard and Cancel. Gives the button chosen; closing the box is Cancel.
QMessageBox::StandardButton askToSave(QWidget* parent, const QString& question, const QString& lost);

}  // namespace vantoli
