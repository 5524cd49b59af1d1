#include "core/read_disc.h"

#include <algorithm>

namespace vantoli {

std::vector<std::int32_t> readTrackLengths(CdAudioDevice& device, std::int32_t trackCount)
{
    std::vector<std::int32_t> lengths;
    lengths.reserve(static_cast<std::size_t>(std::clamp<std::int32_t>(trackCount, 0, 128)));
    device.setTrack(1);
    for (std::int32_t i = 0; i < trackCount; ++i) {
        lengths.push_back(device.trackLength());
        device.setTrack(device.track() + 1);
    }
    return lengths;
}

std::vector<int> readTrackSeconds(CdAudioDevice& device, std::int32_t trackCount)
{
    const std::vector<std::int32_t> lengths = readTrackLengths(device, trackCount);
    device.close();
    std::vector<int> seconds(lengths.size());
    std::transform(lengths.begin(), lengths.end(), seconds.begin(), wholeSeconds);
    return seconds;
}

}  // namespace vantoli
