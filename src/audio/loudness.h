#pragma once
// The loudness of tracks (EBU R 128): the integrated loudness from libebur128's gating blocks, the true
// peak (true_peak.h), and the blocks themselves, so that an album's loudness is one measurement over all
// its tracks. Measured once per file and kept in the user's cache folder, keyed by the file's path, size
// and modification time, so that a second render does not measure again.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "audio/sound_source.h"
#include "core/side_program.h"

namespace vantoli::audio {

struct TrackLoudness {
    double integratedLufs = 0;  // -inf for silence
    double truePeakDbtp = 0;    // -inf for silence
    std::int64_t frames = 0;    // the decoded length
    BlockHistogram blocks;      // the gating blocks by loudness
};

// The cache folder: $XDG_CACHE_HOME/vantoli, else ~/.cache/vantoli.
std::filesystem::path cacheFolder();

class LoudnessCache {
public:
    // Reads `file` (loudness-blocks.tsv in cacheFolder() unless given); a missing or damaged file, or a
    // damaged line, is measured again.
    explicit LoudnessCache(std::filesystem::path file = cacheFolder() / "loudness-blocks.tsv");
    // The track's loudness, from the cache or measured now (and then kept). Throws SoundError.
    TrackLoudness measure(const AudioSource& source);
    // The loudness of each source, in order: the files not in the cache measured side by side, one a
    // core, tracks of a drive one after another. Throws the first source's SoundError.
    std::vector<TrackLoudness> measureAll(const std::vector<AudioSource>& sources);
    // Writes what was measured since the cache was read; false when the cache could not be written
    // (rendering goes on: the cache only saves time).
    bool save();
    int measured() const { return measured_; }  // how many tracks were measured rather than found

private:
    using Key = std::tuple<std::string, std::uintmax_t, std::int64_t, std::int64_t, std::int64_t>;
    static std::optional<Key> keyOf(const AudioSource& source);
    std::filesystem::path file_;
    std::map<Key, TrackLoudness> entries_;
    int measured_ = 0;
};

}  // namespace vantoli::audio
