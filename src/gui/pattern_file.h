#pragma once
// Pattern files on disk: the 20 entry texts of the main window, one line each, in Shift-JIS, the
// character set of the systems these files come from.

#include <QString>

#include <array>
#include <optional>
#include <variant>

#include "core/message.h"
#include "core/pattern_format.h"

namespace vantoli {

// The entry texts of the main window, `Tm`(0) first.
using PatternEntries = std::array<QString, PatternEntryCount>;

// Writes the entries to path, replacing the whole earlier content of the file. The new content goes
// to a temporary file that replaces the earlier one only once it is complete, so a failed save leaves
// the earlier file exactly as it was. Nothing is written at all when an entry holds a character that
// Shift-JIS cannot hold, or when path names something other than a file (a folder, a device, a
// pipe). Returns the message to show for a save that did not happen, or nothing on success.
std::optional<Message> writePatternFile(const QString& path, const PatternEntries& entries);

// Reads the first 20 lines of the file at path into entries; entries without a line stay empty.
// Only a regular file is opened, and at most PatternReadLimit bytes of it are read, whatever its size.
// Bytes that are not Shift-JIS text come out as U+FFFD. Returns the entries, or the message to show
// when the file cannot be read (nothing read is used then).
std::variant<PatternEntries, Message> readPatternFile(const QString& path);

}  // namespace vantoli
