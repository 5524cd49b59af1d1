#pragma once
// A list of tracks as a source gives it: a disc, audio files, a playlist or a CUE sheet. Besides the
// lengths it carries the titles and performers the source names, for the tooltips and the label.

#include <cstdint>
#include <string>
#include <vector>

namespace vantoli {

struct Track {
    std::int64_t milliseconds = 0;
    std::string title;   // UTF-8; empty when the source names none
    std::string artist;  // UTF-8; empty when the source names none

    bool operator==(const Track&) const = default;
};

struct TrackList {
    std::string album;          // the source's own title (album tag, CUE TITLE, CD-Text disc title)
    std::string artist;         // the source's performer
    std::vector<Track> tracks;  // tracks[p] is track p + 1

    bool operator==(const TrackList&) const = default;
};

}  // namespace vantoli
