#pragma once
// Music made up for measuring: notes of random pitch with a few harmonics, struck and decaying, that
// fill each track of a side's program and leave its lead-in and gaps silent. The sound is a formula of
// time, so a recording of it at another speed is the same formula read at other times: a tape's speed
// error made by construction, with no resampling.

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "core/side_program.h"
#include "core/tape_check.h"

namespace vantoli::test {

class SyntheticSide {
public:
    SyntheticSide(const SideProgram& layout, unsigned seed, int harmonics = 3);

    // The side's sound at `seconds` from its first frame (0 outside the tracks).
    float at(double seconds) const;
    // The side as rendered: every frame of the program.
    std::vector<float> frames() const;

private:
    struct Note {
        double start = 0;   // seconds
        double end = 0;     // the track's end: the note stops there
        double hertz = 0;
        double amplitude = 0;
        double decay = 0;   // seconds to fall to 1/e
    };
    std::vector<Note> notes_;  // by start
    int harmonics_;
    std::int64_t frames_ = 0;
};

// A recording made from the side: `programSecondsAt(t)` says which moment of the side the tape plays
// at `t` seconds of the recording (before the side and after it: silence), `frames` its length.
std::vector<float> recordingOf(const SyntheticSide& side, std::int64_t sideFrames, std::int64_t frames,
                               const std::function<double(double)>& programSecondsAt);

// Both channels alike, as the comparison takes a stereo signal.
CheckSignal checkSignalOf(const std::vector<float>& mono);

}  // namespace vantoli::test
