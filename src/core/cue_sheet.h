#pragma once
// CUE sheets beside ripped audio and of disc images: one FILE for the whole disc (the tracks start at
// their INDEX 01 positions within it) or one FILE per track, with the TITLE and PERFORMER of the disc
// and of each track. The sheet's text is read here, line by line.

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

enum class CueTrackMode {
    Audio,  // AUDIO or CDG
    Data,   // MODE1/..., MODE2/..., CDI/...: a computer's data, no sound
    Other,  // a mode no disc has, or none given; read as sound beside audio files
};

struct CueTrack {
    // The FILE that holds the track's INDEX 01, as the sheet names it (UTF-8), and INDEX 01 within
    // that file in frames of 1/75 s. A data track may lack INDEX 01: then `start` is -1 and `file`
    // is the FILE named last before the track.
    std::string file;
    std::int64_t start = 0;
    std::string title;  // UTF-8; empty when the sheet gives none
    std::string performer;
    CueTrackMode mode = CueTrackMode::Audio;
    // The track's first INDEX of any number (its INDEX 00 where it has one) and the FILE holding it;
    // -1 for a track without INDEX.
    std::string firstIndexFile;
    std::int64_t firstIndex = -1;
    std::int64_t pregap = 0;  // PREGAP: frames of silence before INDEX 01 that no file holds

    bool operator==(const CueTrack&) const = default;
};

struct CueSheet {
    std::string title;  // the disc's TITLE and PERFORMER
    std::string performer;
    std::vector<CueTrack> tracks;  // 1 to 99, data tracks too, in the sheet's order
    // Every FILE in the order first named, each once, and those of type BINARY or MOTOROLA: raw CD
    // audio of 2352 bytes a frame, with no header.
    std::vector<std::string> files;
    std::vector<std::string> rawFiles;

    bool operator==(const CueSheet&) const = default;
};

enum class CueSheetError {
    NotText,        // no text in any encoding: a binary file given a sheet's name
    NotASheet,      // no track, a sound track without INDEX 01 or FILE, starts that run backwards, ...
    TooManyTracks,  // more than 99 tracks: more than a disc can hold
};

// Reads a sheet's bytes. The text is UTF-8 or UTF-16 after a byte-order mark, else UTF-8, else
// Shift-JIS (code page 932), else Windows-1252: the times read whatever the encoding, the titles as
// well as it allows.
std::variant<CueSheet, CueSheetError> parseCueSheet(std::string_view bytes);

// The FILEs that hold a sound track's INDEX 01, in the order they are first named, each once.
std::vector<std::string> cueFiles(const CueSheet& sheet);

// The sound tracks (data tracks left out) with their playing time in milliseconds: from INDEX 01 to
// the next track's INDEX 01 in the same file, or to where a data track that follows in the same
// file begins; else to the file's end. Sound before a file's first INDEX 01 that no track runs into
// (a hidden first track, a gap at the start of a file per track) is in no track. Each track's audio
// names its FILE as the sheet does, with its start and end in frames (-1: the file's end).
// `fileMilliseconds` gives the length of a FILE the sheet names. On failure, the FILE at fault: a
// track that starts at or after its file's end.
std::variant<TrackList, std::string>
cueTrackList(const CueSheet& sheet, const std::function<std::int64_t(const std::string& file)>& fileMilliseconds);

}  // namespace vantoli
