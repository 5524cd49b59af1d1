#pragma once
// What the MusicBrainz disc database answers for a disc ID (GET /ws/2/discid/<id>?fmt=json
// &inc=recordings+artist-credits): the releases that carry the disc, read into the few things the
// program shows and the titles of the disc's tracks.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/track_list.h"

namespace vantoli {

struct DiscRelease {
    std::string title;    // the release's title (the album)
    std::string artist;   // its artist credit as written ("A feat. B")
    std::string date;     // "2001-05-14", "2001" or empty
    std::string country;  // "JP", "XW" or empty
    std::string format;   // of the medium that holds the disc: "CD", "Enhanced CD"...
    std::string barcode;
    int discNumber = 1;  // which medium of the release holds the disc, from 1
    int discCount = 1;   // how many media the release has
    // The medium's tracks in order: title, artist credit and the service's length (0 when it has none).
    std::vector<Track> tracks;

    bool operator==(const DiscRelease&) const = default;
};

// The releases of an answer, those whose medium has `trackCount` tracks first, each group in the
// answer's order. Of a release of several media the medium that lists `discId` is taken, else the
// first whose track count matches. A release without such a medium is left out. Nothing when the
// answer is no JSON object of that shape.
std::optional<std::vector<DiscRelease>> parseDiscReleases(std::string_view json, std::string_view discId,
                                                          std::size_t trackCount);

// The disc's tracks named after a release: its album, artist and each track's title and artist, by
// position. The disc's own lengths stay, whatever the service says; a track the release does not
// name keeps what it had.
TrackList namedAfter(TrackList disc, const DiscRelease& release);

// The year of the release's date ("2001" of "2001-05-14"); empty when the date has none.
std::string releaseYear(const DiscRelease& release);

}  // namespace vantoli
