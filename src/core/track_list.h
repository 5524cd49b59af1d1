#pragma once
// A list of tracks as a source gives it: a disc, audio files, a playlist or a CUE sheet. Besides the
// lengths it carries the titles and performers the source names, for the tooltips and the label.

#include <cstdint>
#include <string>
#include <vector>

namespace vantoli {

// The furthest a position within an audio file may lie, in CD frames: a hundred hours, so that samples
// counted from it never overflow.
inline constexpr std::int64_t MaxAudioFramePosition = 100LL * 60 * 60 * 75;

// Where a track's sound can be had, for playing or rendering a side. Typed times have none.
struct AudioSource {
    enum class Kind { None, File, CdTrack };
    Kind kind = Kind::None;
    // File: the audio file (UTF-8 path as the file system spells it). CdTrack: the drive's device name
    // or the disc image; empty for the default drive.
    std::string path;
    // File: where the track lies within the file, in CD frames of 1/75 s (a single-file CUE rip);
    // endFrame -1 runs to the file's end. A file of one track has 0 and -1.
    std::int64_t startFrame = 0;
    std::int64_t endFrame = -1;
    int cdTrack = 0;  // CdTrack: the track's number on the disc, 1 to 99

    bool operator==(const AudioSource&) const = default;
};

struct Track {
    std::int64_t milliseconds = 0;
    std::string title;   // UTF-8; empty when the source names none
    std::string artist;  // UTF-8; empty when the source names none
    AudioSource audio;   // where its sound is; Kind::None when the source holds none
    // The time was typed more than a second away from the audio's length: the track plays as a typed
    // track, its audio no longer used (see core/tape_model.h).
    bool timeTyped = false;

    // The audio plays for this track: it has some and no time was typed over it.
    bool playsAudio() const { return audio.kind != AudioSource::Kind::None && !timeTyped; }

    bool operator==(const Track&) const = default;
};

struct TrackList {
    std::string album;          // the source's own title (album tag, CUE TITLE, CD-Text disc title)
    std::string artist;         // the source's performer
    std::vector<Track> tracks;  // tracks[p] is track p + 1

    bool operator==(const TrackList&) const = default;
};

}  // namespace vantoli
