#pragma once
// Track lists pasted as text, as shops and streaming sites show them: one track a line with its
// playing time somewhere in it ("1. Title – Artist 4:31", "Title\t4:31", "04:31 Title", "1:02:03",
// digits and colons full-width too).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/track_list.h"

namespace vantoli {

struct PastedLine {
    std::size_t number = 0;      // the line's number in the text, from 1
    std::string text;            // the line as pasted (valid UTF-8, without its line end)
    std::optional<Track> track;  // nothing when no playing time could be read from it, or when it is no track
    bool notATrack = false;      // a total, a heading or a store's link: left out, though it may hold a time

    bool operator==(const PastedLine&) const = default;
};

// Every line of the text that is not blank, read as a track or marked as unreadable. A line reads
// when it holds a time of m:ss or h:mm:ss (seconds and minutes below 60, not zero in all); a time at
// the line's end is taken before one at its start, that before one in the middle. What is left is
// the title, then the artist after a tab or a dash between spaces (" – ", " — ", " - "); a track
// number in front ("1.", "01)", "3 " when it is the line's place in the list) and a position code
// ("A1", "B2" of a record's sides, "1-03" or "CD2-4" of a disc in a set) are dropped, and so are a
// store's words after the track ("Buy track", "試聴", a price, a link).
// Lines that are no track are marked so and left out: a total ("Total length: 45:30", "合計 45:30", or a
// last time that is the sum of the tracks above it), a heading ("# Title Artist Time", "曲名 時間",
// "Disc 2", "Side B") and a store's link alone ("Buy album", "https://...").
std::vector<PastedLine> parsePastedTracks(std::string_view text);

// The tracks of the lines that read, in order.
TrackList pastedTrackList(const std::vector<PastedLine>& lines);

}  // namespace vantoli
