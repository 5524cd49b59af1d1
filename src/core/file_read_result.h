#pragma once
// Tracks read from files: what a read of audio files, folders, playlists and CUE sheets gives, what
// can keep an item from being read, and the messages the command shows. The reading itself touches
// the file system and lives in device/read_files.h.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "core/message.h"
#include "core/track_list.h"

namespace vantoli {

// Why an item could not be read.
enum class FileProblem {
    Missing,        // no such file or folder
    NotAFile,       // a named pipe, a device or the like: nothing to read a length from
    CannotOpen,     // no permission, or the file system refused
    NotAudio,       // no audio file that can be read
    UnknownLength,  // an audio file whose playing time cannot be told
    TooLarge,       // a playlist or CUE sheet far larger than any list of tracks
    NotAPlaylist,   // a playlist whose bytes are no text
    NotACueSheet,   // a CUE sheet that is no text or has no proper track
    ListInList,     // a playlist or CUE sheet named inside a playlist: never followed
    TooManyFiles,   // a folder with more entries than are ever looked through
    NotLocal,       // a playlist entry that is a web address or on another computer
    PastFileEnd,    // a CUE sheet's track that starts at or after the end of its audio file
};

struct UnreadableFile {
    std::string name;  // the item's file name as the user knows it (UTF-8)
    std::string list;  // the playlist or CUE sheet that names it; empty for an item chosen directly
    FileProblem problem = FileProblem::Missing;

    bool operator==(const UnreadableFile&) const = default;
};

// All or nothing: when any item cannot be read, the read gives these instead of a track list.
struct UnreadableFiles {
    std::vector<UnreadableFile> files;  // in the order the items were taken

    bool operator==(const UnreadableFiles&) const = default;
};

// More than 99 tracks were named; their files were not read.
struct TooManyFileTracks {
    std::int64_t atLeast = 0;

    bool operator==(const TooManyFileTracks&) const = default;
};

using FileTracks = std::variant<TrackList, UnreadableFiles, TooManyFileTracks>;

// The problem as the message names it, for instance "見つかりません".
std::string fileProblemText(FileProblem problem);

// The message for items that could not be read: the first few by name, then how many more.
Message unreadableFilesMessage(const UnreadableFiles& unreadable);
// Nothing to plan: the items hold no audio file.
Message noFileTracksMessage();
// Shown before the report of 21 to 99 tracks.
Message longFileListMessage();
// 100 tracks or more are not read.
Message tooManyFileTracksMessage();

}  // namespace vantoli
