#pragma once
// The MusicBrainz disc ID of a CD: a digest of its table of contents, which the disc database is
// asked by. Computed with libdiscid from the offsets alone; no drive is read here.

#include <cstdint>
#include <string>
#include <vector>

namespace vantoli {

// A disc's table of contents as the disc ID is computed from it: the number of its first track and,
// in CD frames of 1/75 s counted from the start of the lead-in (the LBA plus 150), where each track
// starts and where the lead-out starts.
struct DiscToc {
    int firstTrack = 1;
    std::vector<std::int32_t> offsets;  // offsets[i] is track firstTrack + i
    std::int32_t leadOut = 0;

    bool operator==(const DiscToc&) const = default;
};

// The disc ID (28 characters of MusicBrainz' base-64 alphabet); empty when the table cannot be a
// CD's: no tracks, more than 99, offsets not rising, or a lead-out before the last track.
std::string musicBrainzDiscId(const DiscToc& toc);

}  // namespace vantoli
