#pragma once

#include <QWidget>

#include "core/message.h"

namespace vantoli {

// Shows a message of the core as a modal box with its title, icon, text and a single OK button.
// Message texts join their lines with CR or CR LF; each line is shown on a line of its own.
void showMessage(QWidget* parent, const Message& message);

}  // namespace vantoli
