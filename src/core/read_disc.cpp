#include "core/read_disc.h"

#include <algorithm>

namespace vantoli {

std::vector<int> readTrackSeconds(CdAudioDevice& device, std::int32_t trackCount)
{
    std::vector<int> seconds;
    seconds.reserve(static_cast<std::size_t>(std::clamp<std::int32_t>(trackCount, 0, 128)));
    device.setTrack(1);
    for (std::int32_t i = 0; i < trackCount; ++i) {
        // A broken table of contents can give a track a negative length; it has no playing time.
        seconds.push_back(std::max(0, device.trackLength() / 1000));
        device.setTrack(device.track() + 1);
    }
    device.close();
    return seconds;
}

}  // namespace vantoli
