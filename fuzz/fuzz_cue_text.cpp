// Arbitrary bytes as a CUE sheet beside audio files: a sheet that reads has 1 to 99 tracks, each
// sound track in a named file, starting after the one before it in the same file, with UTF-8 titles
// of a bounded length; and the lengths it gives with its files are all positive, each track's part
// of its file lies inside it, or it names one of its own files at fault.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/cue_sheet.h"
#include "core/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto parsed = vantoli::parseCueSheet(bytes);
    const auto* sheet = std::get_if<vantoli::CueSheet>(&parsed);
    if (!sheet) return 0;

    if (sheet->tracks.empty() || sheet->tracks.size() > 99) std::abort();
    if (!vantoli::isUtf8(sheet->title) || !vantoli::isUtf8(sheet->performer)) std::abort();
    for (std::size_t i = 0; i < sheet->tracks.size(); ++i) {
        const vantoli::CueTrack& track = sheet->tracks[i];
        const bool sound = track.mode != vantoli::CueTrackMode::Data;
        if (sound && (track.file.empty() || track.start < 0)) std::abort();
        if (!vantoli::isUtf8(track.title) || track.title.size() > 255) std::abort();
        if (!vantoli::isUtf8(track.performer) || track.performer.size() > 255) std::abort();
        const vantoli::CueTrack* before = i > 0 ? &sheet->tracks[i - 1] : nullptr;
        if (before && before->start >= 0 && track.start >= 0 && before->file == track.file &&
            before->start >= track.start)
            std::abort();
    }

    // Every file an hour long, or as long as its name says in seconds.
    const auto files = vantoli::cueFiles(*sheet);
    const auto list = vantoli::cueTrackList(*sheet, [](const std::string& file) -> std::int64_t {
        return file.size() % 2 ? 3600000 : std::int64_t(file.size()) * 1000;
    });
    if (const auto* fault = std::get_if<std::string>(&list)) {
        if (std::find(files.begin(), files.end(), *fault) == files.end()) std::abort();
        return 0;
    }
    const vantoli::TrackList& tracks = std::get<vantoli::TrackList>(list);
    if (tracks.tracks.size() > sheet->tracks.size()) std::abort();
    for (const vantoli::Track& track : tracks.tracks) {
        if (track.milliseconds <= 0 || track.audio.startFrame < 0) std::abort();
        if (track.audio.endFrame != -1 && track.audio.endFrame <= track.audio.startFrame) std::abort();
        if (std::find(files.begin(), files.end(), track.audio.path) == files.end()) std::abort();
    }
    return 0;
}
