#pragma once
// The line format of a pattern file, at the level of bytes: which entries become lines, how lines
// are ended when written, and how the start of a file is split into lines when read. Nothing here
// knows the character set; the file layer encodes and decodes each line.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/entry_reading.h"

namespace vantoli {

// The most characters an entry box holds; a line that decodes to more is no entry the window saved.
inline constexpr int MaxEntryLength = 32767;

// The longest line a pattern file may hold, in bytes. An entry box holds at most MaxEntryLength characters,
// and no character takes more than two bytes on disk, so every entry the window can hold fits.
inline constexpr std::size_t MaxPatternLineBytes = 65536;

// The most bytes a reader needs from the start of a file: enough for 20 lines of the longest length,
// each with a two-byte end, and one byte more, so that a line too long shows within it.
inline constexpr std::size_t PatternReadLimit = EntryCount * (MaxPatternLineBytes + 2) + 1;

// The 20 entries as the bytes they take on disk, entry 0 first.
using EncodedEntries = std::array<std::string, EntryCount>;

// Number of lines saved for these entries: every entry up to the last one that is not empty, so
// that entries typed after a gap are kept (the gaps become empty lines); at least one line.
int patternLineCount(const EncodedEntries& entries);

// The content of a pattern file: the first patternLineCount(entries) entries, each followed by CR LF.
std::string joinPatternLines(const EncodedEntries& entries);

// A line among the first 20 that is longer than MaxPatternLineBytes; line counts from 1.
struct PatternLineTooLong {
    int line = 0;
    bool operator==(const PatternLineTooLong&) const = default;
};

// The first lines of a file (at most 20), or the line that is too long to be an entry.
using PatternSplit = std::variant<std::vector<std::string>, PatternLineTooLong>;

// Splits the start of a pattern file into lines. A line ends at CR LF, at CR alone or at LF alone;
// a last line without an end is a line too, while an empty remainder is none. Reading stops after
// the 20th line: what follows is never looked at. Given the first PatternReadLimit bytes of a longer
// file, the result is the same as for the whole file.
PatternSplit splitPatternLines(std::string_view bytes);

}  // namespace vantoli
