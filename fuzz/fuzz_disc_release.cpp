// Arbitrary bytes as the disc database's answer: no crash, valid UTF-8 texts, no negative lengths,
// releases whose medium has the disc's track count before the others, and names that fit the disc.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/disc_release.h"
#include "core/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::size_t trackCount = data[0] % 8;
    const std::string_view json(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto releases = vantoli::parseDiscReleases(json, "xUp1F2NkfP8s8jaeFn_Av3jNEI4-", trackCount);
    if (!releases) return 0;
    vantoli::TrackList disc;
    disc.tracks.resize(trackCount, vantoli::Track{1000, {}, {}, {}});
    for (const vantoli::DiscRelease& release : *releases) {
        if (!vantoli::isUtf8(release.title) || !vantoli::isUtf8(release.artist)) std::abort();
        for (const vantoli::Track& track : release.tracks)
            if (track.milliseconds < 0 || !vantoli::isUtf8(track.title) || !vantoli::isUtf8(track.artist)) std::abort();
        const vantoli::TrackList named = vantoli::namedAfter(disc, release);
        if (named.tracks.size() != trackCount) std::abort();
        for (const vantoli::Track& track : named.tracks)
            if (track.milliseconds != 1000) std::abort();
    }
    return 0;
}
