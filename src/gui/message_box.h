#pragma once

#include <QWidget>

#include <functional>

#include "core/message.h"

namespace vantoli {

// Shows a message of the core as a modal box with its title, icon, text and a single OK button.
// Message texts join their lines with CR or CR LF; each line is shown on a line of its own.
void showMessage(QWidget* parent, const Message& message);

// Asks before unsaved work is ended or replaced: the question, what is lost without saving, and Save
// (the default), Discard and Cancel. True to go on: Discard, or Save and `save` succeeded; false for
// Cancel (or the box closed) and for a save that failed.
bool askToSave(QWidget* parent, const QString& question, const QString& lost, const std::function<bool()>& save);

}  // namespace vantoli
