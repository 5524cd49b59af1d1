#pragma once
// The tape check: a recording of the tape played back, compared with the side's program as it was
// rendered. It finds where the side begins in the recording, follows the tape's speed as it drifts,
// and says where each track is, at what level, where the tape dropped out or clipped, and whether
// the side was cut short. Plain C++ over FFTW; linked by vantoli-plan and the tests only.

#include <cstdint>
#include <limits>
#include <optional>
#include <variant>
#include <vector>

#include "core/side_program.h"

namespace vantoli {

// A stretch of a signal, in frames.
struct FrameStretch {
    std::int64_t start = 0;
    std::int64_t frames = 0;
};

// One signal as the comparison takes it: mono (the mean of both channels) at 44.1 kHz, and the
// stretches where either channel sits flat at full scale (three samples or more in a row).
class CheckSignal {
public:
    void add(const float* interleaved, std::int64_t frames);         // stereo, -1 to 1
    void add(const std::int16_t* interleaved, std::int64_t frames);  // stereo, 16 bits
    void reserve(std::int64_t frames) { mono_.reserve(static_cast<std::size_t>(frames)); }

    const std::vector<float>& mono() const { return mono_; }
    std::int64_t frames() const { return static_cast<std::int64_t>(mono_.size()); }
    // The flat stretches found so far (a run still going at the end is included).
    std::vector<FrameStretch> flats() const;

private:
    void sample(int channel, float value);

    std::vector<float> mono_;
    std::vector<FrameStretch> flats_;
    std::int64_t runStart_[2] = {0, 0};
    std::int64_t runLength_[2] = {0, 0};
};

// Full scale, as a 16-bit sample reaches it either way.
inline constexpr float FullScale = 32766.0f / 32768.0f;
inline constexpr int FlatRunSamples = 3;

struct TrackOnTape {
    int track = 0;              // its number on the disc or list
    double startSeconds = 0;    // where it begins in the recording
    std::optional<double> levelDb;  // its level on tape against the program; none when not on the tape
};

struct TapeDropout {
    double atSeconds = 0;     // where it begins in the recording
    double milliseconds = 0;  // how long
    double depthDb = 0;       // how far below the program's level (positive)
};

enum class ClipKind {
    FlatTop,     // samples flat at full scale: the recording clipped
    Saturation,  // the level on tape stops rising with the program's: the tape saturated
};

struct ClippedStretch {
    double atSeconds = 0;
    double milliseconds = 0;
    ClipKind kind = ClipKind::FlatTop;
};

// The level of both over time, for a picture: every LevelStepFrames of the recording.
struct LevelPoint {
    float seconds = 0;      // in the recording
    float programDb = 0;    // the program's level there (dBFS), -inf outside the side
    float tapeDb = 0;       // the recording's level (dBFS)
};
inline constexpr std::int64_t LevelStepFrames = 4400;  // about 0.1 s

struct TapeCheck {
    double offsetSeconds = 0;  // where the side's first sample is in the recording
    double speedPercent = 0;   // how fast the tape plays against the program (+ is fast)
    std::vector<TrackOnTape> tracks;
    std::vector<TapeDropout> dropouts;
    std::vector<ClippedStretch> clipped;
    double cutSeconds = 0;   // how much of the side's end is missing; 0 when it is whole
    int cutTrack = 0;        // the track the cut falls in; 0 when none
    double cutAtSeconds = 0;  // where in the recording the side stops, when it is cut
    double recordingSeconds = 0;
    double noiseFloorDb = -std::numeric_limits<double>::infinity();  // the recording where the side is silent
    std::vector<LevelPoint> levels;
};

enum class TapeCheckFailure {
    NoMusic,    // the side's program holds nothing to listen for
    NotFound,   // the side's music was not found in the recording
};

// Compares `recording` with `program`, the side rendered as `layout` lays it out. Takes a few seconds
// for a 45-minute side.
std::variant<TapeCheck, TapeCheckFailure> checkTape(const CheckSignal& recording, const CheckSignal& program,
                                                    const SideProgram& layout);

// Thresholds of the report.
inline constexpr double DropoutDb = 6.0;            // at least this far below the program
inline constexpr double DropoutMilliseconds = 10.0;  // at least this long
inline constexpr double MaxSpeedPercent = 3.0;      // the search covers this much fast or slow

}  // namespace vantoli
