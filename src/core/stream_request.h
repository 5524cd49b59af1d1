#pragma once
// What a front end asks vantoli-plan to sound: one side's tracks and where their sound is, the gap,
// the lead-in, the tone and the loudness, and whether the side, the tone or the side's loudest 10 s
// is wanted. The dubbing window writes it, `vantoli-plan --stream=-` and `--play --request=-` read it,
// and --render and --play build the same request from a plan. One JSON object:
//
//   {"gap": true, "leadInSeconds": 2, "tone": {"seconds": 0, "hertz": 1000, "dbfs": -12},
//    "loudness": "off" | "track" | "album", "what": "side" | "tone" | "loudest" | "countdown", "startFrame": 0,
//    "countDownSeconds": 3, "beep": true,
//    "tracks": [{"number": 1, "kind": "file" | "cd", "path": "...", "startFrame": 0, "endFrame": -1,
//                "cdTrack": 0, "milliseconds": 215000}, ...]}
//
// Every member but "tracks" may be left out (the defaults above; "countDownSeconds" 0). startFrame of a
// request is the frame of the side to start at; a track's startFrame and endFrame are CD frames of
// 1/75 s within its file (a single-file CUE rip), endFrame -1 to the file's end.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/label_content.h"
#include "core/side_program.h"
#include "core/track_list.h"

namespace vantoli {

struct SideTrack {
    int number = 0;                        // its number on the disc (slot + 1)
    AudioSource audio;                     // where its sound is
    std::int64_t plannedMilliseconds = 0;  // the length the plan counts; <= 0: not checked

    bool operator==(const SideTrack&) const = default;
};

// One side's sound: its tracks in playing order, the plan's gap and the dubbing settings.
struct SideRequest {
    std::vector<SideTrack> tracks;
    bool gap = true;
    DubbingSettings settings;
    // Every track of the tape with sound, both sides: loudness matched by album measures an album over
    // all of its tracks here, whichever side they are on. Empty: the side's own tracks.
    std::vector<AudioSource> albumTracks;

    bool operator==(const SideRequest&) const = default;
};

enum class StreamWhat {
    Side,     // the side from startFrame to its end
    Tone,     // the calibration tone, looped until stopped
    Loudest,  // the side's loudest 10 s, looped until stopped
    CountDown,  // the count-down alone (a side timed on a CD player): no tracks needed
};

inline constexpr double MaxCountDownSeconds = 30.0;

struct StreamRequest {
    SideRequest side;
    StreamWhat what = StreamWhat::Side;
    std::int64_t startFrame = 0;
    // Played before the side (--play only): silence, with a short beep at each second when `beep`.
    double countDownSeconds = 0;
    bool beep = true;

    bool operator==(const StreamRequest&) const = default;
};

// The side `numbers` of `tracks` (track n at index n - 1; a track without an entry has no sound) as
// a side request.
SideRequest sideRequestOf(const std::vector<int>& numbers, const TrackList& tracks, bool gap,
                          const DubbingSettings& settings);

// The request as one line of compact JSON (no line end).
std::string streamRequestJson(const StreamRequest& request);

// A request that cannot be taken: what is wrong with it, in the program's language, without the
// program's name.
struct RequestError {
    std::string text;
};
std::variant<StreamRequest, RequestError> parseStreamRequest(std::string_view text);

}  // namespace vantoli
