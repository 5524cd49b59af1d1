#pragma once
// CUE sheets beside ripped audio: one FILE for the whole disc (the tracks start at their INDEX 01
// positions within it) or one FILE per track, with the TITLE and PERFORMER of the disc and of each
// track. The sheet's text is read with libcue.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/track_list.h"

namespace vantoli {

inline constexpr std::int64_t CueFramesPerSecond = 75;

struct CueTrack {
    std::string file;        // the FILE that holds the track's INDEX 01, as the sheet names it (UTF-8)
    std::int64_t start = 0;  // INDEX 01 within that file, in frames of 1/75 s
    std::string title;       // UTF-8; empty when the sheet gives none
    std::string performer;

    bool operator==(const CueTrack&) const = default;
};

struct CueSheet {
    std::string title;  // the disc's TITLE and PERFORMER
    std::string performer;
    std::vector<CueTrack> tracks;  // 1 to 99, in the sheet's order
    // The FILEs of type BINARY or MOTOROLA: raw CD audio of 2352 bytes a frame, with no header.
    std::vector<std::string> rawFiles;

    bool operator==(const CueSheet&) const = default;
};

enum class CueSheetError {
    NotText,        // the bytes are neither UTF-8 nor Shift-JIS (a binary file given a sheet's name)
    NotASheet,      // no track, a track without INDEX 01 or FILE, starts that run backwards, ...
    TooManyTracks,  // more than 99 tracks: more than a disc can hold
};

// Reads a sheet's bytes: UTF-8 with or without a byte-order mark, or else Shift-JIS.
std::variant<CueSheet, CueSheetError> parseCueSheet(std::string_view bytes);

// The sheet's FILEs in the order they are first named, each once.
std::vector<std::string> cueFiles(const CueSheet& sheet);

// The playing time of every track in milliseconds: from its INDEX 01 to the next track's INDEX 01 in
// the same file, the last track of a file to the file's end. `fileMilliseconds` gives the length of a
// FILE the sheet names. On failure, the FILE at fault: a track that starts at or after its file's end.
std::variant<TrackList, std::string>
cueTrackList(const CueSheet& sheet, const std::function<std::int64_t(const std::string& file)>& fileMilliseconds);

}  // namespace vantoli
