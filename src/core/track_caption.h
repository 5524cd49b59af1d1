#pragma once
// How a track of a track list is written where the main window and the label show it.

#include <cstddef>
#include <string>
#include <vector>

#include "core/track_list.h"

namespace vantoli {

// "3. 曲名 — アーティスト" for track 3; without an artist "3. 曲名". Empty when the track has neither
// title nor artist, so that nothing is shown for it.
std::string trackCaption(std::size_t number, const Track& track);

// The entry text of the track's length, the same text the CD read writes ("431" for 4 min 31.9 s).
std::string trackEntryText(const Track& track);

// Every track's length in whole seconds (the fraction dropped), in list order, as the planners take it.
std::vector<int> trackSeconds(const TrackList& list);

}  // namespace vantoli
