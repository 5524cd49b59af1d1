// Arbitrary text as a pasted track list: every line that is not blank comes back once, in order,
// as valid UTF-8 without a line end; a track read has a length of at most 99:59:59 and valid texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/pasted_tracks.h"
#include "core/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<vantoli::PastedLine> lines = vantoli::parsePastedTracks(text);
    std::size_t previous = 0, read = 0;
    for (const vantoli::PastedLine& line : lines) {
        if (line.number <= previous || !vantoli::isUtf8(line.text)) std::abort();
        if (line.text.find_first_of("\r\n") != std::string::npos) std::abort();
        previous = line.number;
        if (!line.track) continue;
        ++read;
        const vantoli::Track& track = *line.track;
        if (track.milliseconds <= 0 || track.milliseconds > (99LL * 3600 + 59 * 60 + 59) * 1000) std::abort();
        if (!vantoli::isUtf8(track.title) || !vantoli::isUtf8(track.artist)) std::abort();
        if (track.title.size() + track.artist.size() > line.text.size()) std::abort();
    }
    if (vantoli::pastedTrackList(lines).tracks.size() != read) std::abort();
    return 0;
}
