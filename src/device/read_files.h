#pragma once
// Reading a list of tracks from what the user chose or dropped: audio files, folders, M3U/M3U8
// playlists and CUE sheets. This is the one reading of files, for the window's command and for any
// other front end.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_read_result.h"
#include "device/audio_file_reader.h"

namespace vantoli {

// A playlist or CUE sheet larger than this is no list of tracks a cassette could take.
inline constexpr std::uintmax_t MaxListFileBytes = 1024 * 1024;
// A folder with more entries than this is not looked through.
inline constexpr std::size_t MaxFolderEntries = 10000;

// Reads the tracks of `items` (paths, UTF-8 as the file system spells them) in this order:
// - the items are taken in natural name order ("2 x" before "10 x");
// - a folder stands for its audio files (by their extension; not its subfolders, not hidden files),
//   in natural name order;
// - a playlist (.m3u, .m3u8) and a CUE sheet (.cue) keep their own order; a playlist or CUE sheet
//   named inside a playlist is refused, never followed;
// - an audio file chosen together with a playlist or CUE sheet that names it is read only through
//   that list, so choosing all the files of an album's folder does not count its tracks twice;
// - any other file is read as an audio file.
// A track's title is its title tag, else the playlist's #EXTINF title, else the file's name without
// its extension; its artist is the artist tag. A CUE sheet gives its own titles and performers, and
// a FILE it names that is not there is looked for under the same name with another audio extension
// (a sheet written for a WAV rip beside the FLAC files made from it).
// All or nothing: when any item cannot be read the result names every one that could not; when the
// items name more than 99 tracks none of them is read. No item is ever read past MaxListFileBytes,
// and only regular files are opened, so a named pipe or a device file cannot hold the read up.
FileTracks readTrackFiles(const std::vector<std::string>& items, const AudioFileReader& reader);

// Whether a file name's extension is one of an audio file a folder is read for, of a playlist or of
// a CUE sheet (letters in either case).
bool isAudioFileName(std::string_view name);
bool isPlaylistName(std::string_view name);
bool isCueSheetName(std::string_view name);

}  // namespace vantoli
