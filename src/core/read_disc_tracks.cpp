#include "core/read_disc_tracks.h"

#include <algorithm>

namespace vantoli {

TrackList readDiscTracks(CdAudioDevice& device, std::int32_t trackCount)
{
    TrackList disc;
    disc.tracks.reserve(static_cast<std::size_t>(std::clamp<std::int32_t>(trackCount, 0, 128)));
    device.setTrack(1);
    for (std::int32_t i = 0; i < trackCount; ++i) {
        disc.tracks.push_back(Track{device.trackLength(), {}, {}, {}});
        device.setTrack(device.track() + 1);
    }
    if (disc.tracks.empty()) return disc;

    TrackList named = device.titles();
    if (named.tracks.size() != disc.tracks.size()) return disc;
    for (std::size_t i = 0; i < named.tracks.size(); ++i) named.tracks[i].milliseconds = disc.tracks[i].milliseconds;
    return named;
}

}  // namespace vantoli
