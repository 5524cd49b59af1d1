#pragma once
// Playlists exported from a streaming service as CSV: one row a track, with a header row naming the
// columns ("Track Name", "Artist Name(s)", "Album Name", "Track Duration (ms)", and the older
// "Artist Name", "Duration (ms)"). They carry titles, artists and lengths, but no sound.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantoli {

struct CsvPlaylistRow {
    std::string title;   // UTF-8
    std::string artist;  // several artists joined with ", "
    std::string album;
    std::optional<std::int64_t> milliseconds;  // nothing when the row has no length that reads

    bool operator==(const CsvPlaylistRow&) const = default;
};

// The rows of a CSV file's bytes (UTF-8 with or without a byte-order mark, else Shift-JIS), fields
// separated by commas, quoted with '"' where they hold commas, quotes or line breaks. Nothing when
// the bytes are no text or the header names no title or no length column. Blank rows are skipped.
std::optional<std::vector<CsvPlaylistRow>> parseStreamingCsv(std::string_view bytes);

// Whether a file name is one of such a playlist (.csv, letters in either case).
bool isCsvPlaylistName(std::string_view name);

}  // namespace vantoli
