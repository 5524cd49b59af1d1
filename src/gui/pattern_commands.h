#pragma once
// The main window's two pattern-file commands, each from its file dialog to its last message.
// mnuFileSave_Click passes the entry texts to savePattern; mnuFileOpen_Click calls openPattern and,
// when it gives entries, clears the window with Clear_Click, puts the entries into `Tm`(0) to
// `Tm`(19) and moves the focus to `Run`.

#include <QString>
#include <QWidget>

#include <optional>

#include "gui/pattern_file.h"

namespace vantoli {

// The one file type both dialogs offer, in the form QFileDialog takes.
QString patternFileFilter();

// Asks for a file name with the standard save dialog and writes the entries there. A cancelled dialog
// writes nothing; a save that fails is reported in a message box over parent.
void savePattern(QWidget* parent, const PatternEntries& entries);

// Asks for a file with the standard open dialog and reads it. Gives the entries to put into the
// window, or nothing when the dialog was cancelled or the file could not be read (after a message box
// over parent saying why); the window is to stay as it is then.
std::optional<PatternEntries> openPattern(QWidget* parent);

}  // namespace vantoli
