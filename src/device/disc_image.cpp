#include "device/disc_image.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

#include <sys/stat.h>

#include "core/cue_sheet.h"
#include "core/text_encoding.h"

namespace vantoli {

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t SectorBytes = 2352;
// A CUE sheet is a page of text; a file far larger (a BIN given by itself) is none.
constexpr std::uintmax_t MaxSheetBytes = 1024 * 1024;

std::string lastPart(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    const std::size_t slash = name.find_last_of('/');
    return validUtf8(slash == std::string::npos ? name : name.substr(slash + 1));
}

DiscImageProblem notAnImage(const std::string& path) { return {DiscImageFault::NotAnImage, lastPart(path)}; }

// A FILE of the sheet as named, relative to the sheet's folder, or else its last part beside the
// sheet; empty when neither is a regular file.
fs::path findFile(const fs::path& folder, std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    const fs::path written(name);
    std::error_code error;
    const fs::path direct = written.is_absolute() ? written : folder / written;
    if (fs::is_regular_file(direct, error)) return direct;
    const fs::path beside = folder / written.filename();
    if (written.has_filename() && fs::is_regular_file(beside, error)) return beside;
    return {};
}

std::int32_t milliseconds(std::int64_t frames)
{
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(frames * 1000 / CueFramesPerSecond, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

bool isDriveSource(const std::string& source)
{
    struct stat info {};
    return source.empty() || (::stat(source.c_str(), &info) == 0 && (S_ISBLK(info.st_mode) || S_ISCHR(info.st_mode)));
}

std::variant<TrackList, DiscImageProblem> readDiscImage(const std::string& path, DiscToc* toc)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? DiscImageProblem{DiscImageFault::Missing, lastPart(path)}
                                                   : notAnImage(path);
    if (!S_ISREG(info.st_mode) || static_cast<std::uintmax_t>(info.st_size) > MaxSheetBytes) return notAnImage(path);
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return notAnImage(path);

    const std::variant<CueSheet, CueSheetError> parsed = parseCueSheet(bytes);
    if (const auto* error = std::get_if<CueSheetError>(&parsed))
        return *error == CueSheetError::TooManyTracks ? DiscImageProblem{DiscImageFault::TooManyTracks, lastPart(path)}
                                                      : notAnImage(path);
    const CueSheet& sheet = std::get<CueSheet>(parsed);
    // Only raw sectors make a disc; a sheet of WAVE, FLAC or MP3 files belongs to ripped audio files.
    if (sheet.rawFiles.size() != sheet.files.size()) return notAnImage(path);
    for (const CueTrack& track : sheet.tracks)
        if (track.mode == CueTrackMode::Other || (track.start < 0 && track.firstIndex < 0)) return notAnImage(path);

    // The files lie on the disc one after the other, in the order the sheet names them.
    const fs::path folder = fs::path(path).parent_path();
    std::vector<std::int64_t> fileStart, fileFrames;
    std::int64_t discFrames = 0;
    for (const std::string& name : sheet.files) {
        const fs::path found = findFile(folder, name);
        std::error_code error;
        const std::uintmax_t size = found.empty() ? 0 : fs::file_size(found, error);
        if (found.empty() || error) return DiscImageProblem{DiscImageFault::FileMissing, lastPart(name)};
        fileStart.push_back(discFrames);
        fileFrames.push_back(static_cast<std::int64_t>(size) / SectorBytes);
        discFrames += fileFrames.back();
    }

    // Where each track starts on the disc: its INDEX 01 (a data track without one: its first INDEX),
    // after the gaps of silence (PREGAP) of every track up to it, which no file holds.
    std::vector<std::int64_t> starts;
    std::int64_t gaps = 0;
    for (const CueTrack& track : sheet.tracks) {
        const std::string& file = track.start >= 0 ? track.file : track.firstIndexFile;
        const std::int64_t at = track.start >= 0 ? track.start : track.firstIndex;
        const auto index =
            static_cast<std::size_t>(std::find(sheet.files.begin(), sheet.files.end(), file) - sheet.files.begin());
        if (at >= fileFrames[index]) return DiscImageProblem{DiscImageFault::FileTooShort, lastPart(file)};
        gaps += track.pregap;
        starts.push_back(fileStart[index] + at + gaps);
    }
    starts.push_back(discFrames + gaps);

    TrackList list;
    list.album = sheet.title;
    list.artist = sheet.performer;
    for (std::size_t i = 0; i < sheet.tracks.size(); ++i) {
        const CueTrack& track = sheet.tracks[i];
        const std::int64_t frames = starts[i + 1] - starts[i];
        if (frames <= 0) return notAnImage(path);  // two tracks at one place on the disc
        list.tracks.push_back({milliseconds(frames),
                               track.title,
                               track.performer.empty() ? sheet.performer : track.performer,
                               {AudioSource::Kind::CdTrack, path, 0, -1, static_cast<int>(i + 1)}});
    }
    if (toc) {
        // As a drive's table counts them: from the start of the lead-in, the first track at 150.
        constexpr std::int64_t LeadIn = 150;
        *toc = DiscToc{};
        for (std::size_t i = 0; i < sheet.tracks.size(); ++i)
            toc->offsets.push_back(static_cast<std::int32_t>(starts[i] + LeadIn));
        toc->leadOut = static_cast<std::int32_t>(starts.back() + LeadIn);
        // An enhanced CD's data track after the audio is no part of the disc ID (see the drive's table).
        constexpr std::int32_t SessionGap = 11400;
        const std::size_t count = toc->offsets.size();
        if (count > 1 && sheet.tracks.back().mode != CueTrackMode::Audio &&
            toc->offsets.back() - SessionGap > toc->offsets[count - 2]) {
            toc->leadOut = toc->offsets.back() - SessionGap;
            toc->offsets.pop_back();
        }
    }
    return list;
}

}  // namespace vantoli
