#include "device/read_source.h"

#include <algorithm>
#include <limits>

#include "core/disc_kind.h"
#include "core/file_read_result.h"
#include "core/read_disc_tracks.h"
#include "device/libcdio_device.h"
#include "device/read_files.h"

namespace vantoli {

namespace {

bool refused(DiscKind kind) { return kind == DiscKind::NoDisc || kind == DiscKind::TooManyTracks; }

SourceTracks readFiles(const std::vector<std::string>& items, const AudioFileReader& reader)
{
    FileTracks result = readTrackFiles(items, reader);
    if (const auto* unreadable = std::get_if<UnreadableFiles>(&result)) return unreadableFilesMessage(*unreadable);
    if (std::holds_alternative<TooManyFileTracks>(result)) return tooManyFileTracksMessage();
    TrackList& list = std::get<TrackList>(result);
    const auto count =
        static_cast<std::int32_t>(std::min<std::size_t>(list.tracks.size(), std::numeric_limits<std::int32_t>::max()));
    switch (discKind(count)) {
    case DiscKind::NoDisc: return noFileTracksMessage();
    case DiscKind::TooManyTracks: return tooManyFileTracksMessage();
    case DiscKind::Entries:
    case DiscKind::LongDisc: break;
    }
    return std::move(list);
}

}  // namespace

std::int32_t openDisc(CdAudioDevice& drive)
{
    drive.open();
    drive.setMillisecondsFormat();
    const std::int32_t count = drive.tracks();
    if (refused(discKind(count))) drive.close();
    return count;
}

TrackList readOpenDisc(CdAudioDevice& drive, std::int32_t trackCount)
{
    TrackList disc = readDiscTracks(drive, trackCount);
    drive.close();
    const std::string path = drive.source();
    for (std::size_t i = 0; i < disc.tracks.size(); ++i)
        disc.tracks[i].audio = {AudioSource::Kind::CdTrack, path, 0, -1, static_cast<int>(i + 1)};
    return disc;
}

SourceTracks readDisc(CdAudioDevice& drive)
{
    const std::int32_t count = openDisc(drive);
    switch (discKind(count)) {
    case DiscKind::NoDisc: return noDiscMessage();
    case DiscKind::TooManyTracks: return tooManyTracksMessage();
    case DiscKind::Entries:
    case DiscKind::LongDisc: break;
    }
    return readOpenDisc(drive, count);
}

SourceTracks readSource(const Source& source, const AudioFileReader& files)
{
    if (const auto* chosen = std::get_if<FileSource>(&source)) return readFiles(chosen->items, files);
    LibcdioDevice drive(std::get<DriveSource>(source).path);
    drive.selectCdAudio();
    SourceTracks read = readDisc(drive);
    // A disc image that cannot be read says why, where a drive only says that no disc is set.
    if (std::holds_alternative<Message>(read) && drive.imageProblem()) return discImageMessage(*drive.imageProblem());
    return read;
}

}  // namespace vantoli
