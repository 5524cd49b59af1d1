#pragma once
// M3U and M3U8 playlists: one entry a line, in the list's own order, with the titles of #EXTINF lines.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_encoding.h"

namespace vantoli {

struct PlaylistEntry {
    // Where the entry points, in UTF-8: a path with '/' between its parts ('\' is read as '/'),
    // absolute or relative to the playlist's folder; a file:// URL is given as its decoded local path
    // (with '\' read as '/' there too).
    std::string path;
    // Set instead of `path` when the entry points somewhere no file path reaches: an http:// URL,
    // a file:// URL on another host. Holds the entry as written.
    std::string elsewhere;
    std::string title;  // the #EXTINF line's title just before the entry; empty when there is none

    bool operator==(const PlaylistEntry&) const = default;
};

// The entries of a playlist's bytes. `.m3u8` files are UTF-8; `.m3u` files UTF-8 when they decode as
// UTF-8, else Shift-JIS. A byte-order mark is skipped. Comment lines (#...) and blank lines are no
// entries. Nothing when the bytes are no text in that encoding (a binary file given a playlist's name).
std::optional<std::vector<PlaylistEntry>> parsePlaylist(std::string_view bytes, TextEncoding encoding);

// The local path of a file:// URL, its %XX escapes decoded; nothing for another host or scheme.
std::optional<std::string> fileUrlPath(std::string_view url);

}  // namespace vantoli
