#include "core/disc_release.h"

#include <nlohmann/json.hpp>

#include <algorithm>

#include "core/text_encoding.h"

namespace vantoli {

namespace {

using nlohmann::json;

// A member's text; empty when it is missing or no string (the service writes null for unknowns).
std::string textOf(const json& object, const char* key)
{
    if (!object.is_object()) return {};
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? validUtf8(it->get_ref<const std::string&>()) : std::string();
}

std::int64_t numberOf(const json& object, const char* key)
{
    if (!object.is_object()) return 0;
    const auto it = object.find(key);
    if (it == object.end() || !it->is_number()) return 0;
    const double value = it->get<double>();
    return value > 0 && value < 1e12 ? static_cast<std::int64_t>(value) : 0;
}

const json& member(const json& object, const char* key)
{
    static const json none;
    if (!object.is_object()) return none;
    const auto it = object.find(key);
    return it == object.end() ? none : *it;
}

// "A feat. B": each credited name followed by its join phrase.
std::string creditText(const json& credit)
{
    std::string text;
    if (!credit.is_array()) return text;
    for (const json& part : credit) text += textOf(part, "name") + textOf(part, "joinphrase");
    return text;
}

bool listsDisc(const json& medium, std::string_view discId)
{
    const json& discs = member(medium, "discs");
    if (!discs.is_array()) return false;
    return std::any_of(discs.begin(), discs.end(), [&](const json& disc) { return textOf(disc, "id") == discId; });
}

std::vector<Track> tracksOf(const json& medium)
{
    std::vector<Track> tracks;
    const json& list = member(medium, "tracks");
    if (!list.is_array()) return tracks;
    for (const json& entry : list) {
        const json& recording = member(entry, "recording");
        Track track;
        track.title = textOf(entry, "title");
        if (track.title.empty()) track.title = textOf(recording, "title");
        track.artist = creditText(member(entry, "artist-credit"));
        if (track.artist.empty()) track.artist = creditText(member(recording, "artist-credit"));
        track.milliseconds = numberOf(entry, "length");
        if (track.milliseconds == 0) track.milliseconds = numberOf(recording, "length");
        tracks.push_back(std::move(track));
    }
    return tracks;
}

std::size_t trackCountOf(const json& medium)
{
    const std::int64_t count = numberOf(medium, "track-count");
    if (count > 0) return static_cast<std::size_t>(count);
    const json& list = member(medium, "tracks");
    return list.is_array() ? list.size() : 0;
}

}  // namespace

std::optional<std::vector<DiscRelease>> parseDiscReleases(std::string_view text, std::string_view discId,
                                                          std::size_t trackCount)
{
    const json answer = json::parse(text, nullptr, false);
    if (!answer.is_object()) return std::nullopt;
    const json& releases = member(answer, "releases");
    if (!releases.is_array()) return std::nullopt;

    std::vector<DiscRelease> matching, others;
    for (const json& release : releases) {
        const json& media = member(release, "media");
        if (!media.is_array()) continue;
        const json* chosen = nullptr;
        int number = 0;
        for (std::size_t i = 0; i < media.size() && !chosen; ++i)
            if (listsDisc(media[i], discId)) chosen = &media[i], number = static_cast<int>(i) + 1;
        for (std::size_t i = 0; i < media.size() && !chosen; ++i)
            if (trackCountOf(media[i]) == trackCount) chosen = &media[i], number = static_cast<int>(i) + 1;
        if (!chosen) continue;

        DiscRelease found;
        found.title = textOf(release, "title");
        found.artist = creditText(member(release, "artist-credit"));
        found.date = textOf(release, "date");
        found.country = textOf(release, "country");
        found.barcode = textOf(release, "barcode");
        found.format = textOf(*chosen, "format");
        const std::int64_t position = numberOf(*chosen, "position");
        found.discNumber = position > 0 && position < 1000 ? static_cast<int>(position) : number;
        found.discCount = static_cast<int>(media.size());
        found.tracks = tracksOf(*chosen);
        (trackCountOf(*chosen) == trackCount ? matching : others).push_back(std::move(found));
    }
    matching.insert(matching.end(), std::make_move_iterator(others.begin()), std::make_move_iterator(others.end()));
    return matching;
}

TrackList namedAfter(TrackList disc, const DiscRelease& release)
{
    disc.album = release.title;
    disc.artist = release.artist;
    for (std::size_t i = 0; i < disc.tracks.size() && i < release.tracks.size(); ++i) {
        disc.tracks[i].title = release.tracks[i].title;
        disc.tracks[i].artist = release.tracks[i].artist;
    }
    return disc;
}

std::string releaseYear(const DiscRelease& release)
{
    const std::string_view date = release.date;
    if (date.size() < 4 || !std::all_of(date.begin(), date.begin() + 4, [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    return std::string(date.substr(0, 4));
}

}  // namespace vantoli
