#pragma once
// From a source to the tracks to plan: a CD drive or a disc image, or audio files, folders, playlists
// and CUE sheets. The one read step of the window and of vantoli-plan: the drive's open, read and
// close, the limits on the track count and the messages that end a read.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "core/cd_audio_device.h"
#include "core/message.h"
#include "core/track_list.h"
#include "device/audio_file_reader.h"

namespace vantoli {

struct DriveSource {
    std::string path;  // a drive's device name or a disc image; empty for the default drive
};
struct FileSource {
    std::vector<std::string> items;  // paths, UTF-8 as the file system spells them
};
using Source = std::variant<DriveSource, FileSource>;

// The tracks a source gave, 1 to 99 of them, with the titles it names and where each one's audio
// is; or the message that says why there are none to plan.
using SourceTracks = std::variant<TrackList, Message>;

// A drive or image through libcdio (readDisc), or the files (readTrackFiles, each audio file's length
// and tags read by `files`): no track, and 100 tracks or more, are the source's messages.
SourceTracks readSource(const Source& source, const AudioFileReader& files);

// A drive read whole: openDisc, the disc refused with its message when it holds no track or 100 and
// more, else readOpenDisc.
SourceTracks readDisc(CdAudioDevice& drive);

// The two halves of readDisc, for the window's CD command, which shows its box between them.
// Opens the drive in milliseconds and returns the track count it reports; the drive is closed again
// when the disc is refused (no track, or 100 and more).
std::int32_t openDisc(CdAudioDevice& drive);
// Reads tracks 1..trackCount of the open drive (readDiscTracks), each one's audio the drive's track
// of that number, and closes the drive.
TrackList readOpenDisc(CdAudioDevice& drive, std::int32_t trackCount);

}  // namespace vantoli
