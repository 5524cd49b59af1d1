#pragma once
// Pattern files: the 20 entry texts of the main window, one line each, in Shift-JIS, the character set
// of the systems these files come from; on disk, and through the standard open and save dialogs.

#include <QString>
#include <QWidget>

#include <array>
#include <optional>
#include <variant>

#include "core/message.h"
#include "core/pattern_format.h"

namespace vantoli {

// The entry texts of the main window, `Tm`(0) first.
using PatternEntries = std::array<QString, EntryCount>;

// Writes the entries to path, replacing the whole earlier content of the file. The new content goes
// to a temporary file that replaces the earlier one only once it is complete, so a failed save leaves
// the earlier file exactly as it was. Nothing is written at all when an entry holds a line break (it
// would come back as two entries) or a character that Shift-JIS cannot hold, or when path names
// something other than a file (a folder, a device, a pipe). Returns the message to show for a save that did not happen, or nothing on success.
std::optional<Message> writePatternFile(const QString& path, const PatternEntries& entries);

// Reads the first 20 lines of the file at path into entries; entries without a line stay empty.
// Only a regular file is opened, and at most PatternReadLimit bytes of it are read, whatever its size.
// Bytes that are not Shift-JIS text come out as U+FFFD. A line longer than an entry box holds
// (MaxEntryLength characters) makes the file no pattern file. Returns the entries, or the message to
// show when the file cannot be read (nothing read is used then).
std::variant<PatternEntries, Message> readPatternFile(const QString& path);

// The one file type both dialogs offer, in the form QFileDialog takes.
QString patternFileFilter();

// The save command (mnuFileSave_Click): asks for a file name with the standard save dialog and writes
// the entries there, ".vto" appended to a name without an extension. A cancelled dialog writes
// nothing; a save that fails is reported in a message box over parent.
void savePattern(QWidget* parent, const PatternEntries& entries);

// The open command (mnuFileOpen_Click): asks for a file with the standard open dialog and reads it.
// Gives the entries to put into the window, or nothing when the dialog was cancelled or the file could
// not be read (after a message box over parent saying why); the window is to stay as it is then.
std::optional<PatternEntries> openPattern(QWidget* parent);

}  // namespace vantoli
