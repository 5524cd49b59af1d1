#include "core/track_caption.h"
#include "core/language.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/disc_kind.h"

namespace vantoli {

std::string trackCaption(std::size_t number, const Track& track)
{
    if (track.title.empty() && track.artist.empty()) return {};
    std::string caption = std::to_string(number) + ". " + (track.title.empty() ? _("（無題）") : track.title);
    if (!track.artist.empty()) caption += " — " + track.artist;
    return caption;
}

std::string trackEntryText(const Track& track)
{
    const std::int64_t ms = std::clamp<std::int64_t>(track.milliseconds, 0, std::numeric_limits<std::int32_t>::max());
    return cdEntryText(static_cast<std::int32_t>(ms));
}

std::vector<int> trackSeconds(const TrackList& list)
{
    std::vector<int> seconds;
    seconds.reserve(list.tracks.size());
    for (const Track& track : list.tracks)
        seconds.push_back(
            static_cast<int>(std::clamp<std::int64_t>(track.milliseconds / 1000, 0, std::numeric_limits<int>::max())));
    return seconds;
}

}  // namespace vantoli
