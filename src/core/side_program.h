#pragma once
// A side as the deck hears it: what plays from the moment the tape starts to the end of the side, in
// frames of 44.1 kHz stereo. The renderer writes exactly this, the dubbing window's clock counts it.

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "core/tape_planner.h"

namespace vantoli {

inline constexpr std::int64_t SampleRate = 44100;
inline constexpr std::int64_t SamplesPerCdFrame = SampleRate / 75;  // 588 samples in 1/75 s
// The sound every part of the program hands on (files, pipes, the sound server): signed 16-bit
// little-endian samples, two channels interleaved (left first), at SampleRate.
inline constexpr int PcmChannels = 2;
inline constexpr int PcmBytesPerFrame = PcmChannels * 2;

// The calibration tone played before the lead-in, to set the deck's record level.
struct CalibrationTone {
    double seconds = 0;  // 0: no tone
    int hertz = 1000;    // 400 or 1000
    double dbfs = -12;   // -20 to 0

    bool operator==(const CalibrationTone&) const = default;
};

// What a tone may be: 400 Hz or 1 kHz, from -20 to 0 dBFS.
inline constexpr double MinToneDbfs = -20.0;
inline constexpr double MaxToneDbfs = 0.0;
constexpr bool isToneHertz(int hertz) { return hertz == 400 || hertz == 1000; }
constexpr bool isToneDbfs(double dbfs) { return dbfs >= MinToneDbfs && dbfs <= MaxToneDbfs; }

enum class Loudness {
    Off,    // the samples as decoded
    Track,  // each track brought to the target loudness
    Album,  // the tracks of one album share one gain
};

// The names of the modes in tape documents, stream requests and on the command line: "off", "track",
// "album".
const char* loudnessName(Loudness loudness);
std::optional<Loudness> loudnessOfName(std::string_view name);

inline constexpr double LoudnessTargetLufs = -16.0;
inline constexpr double TruePeakCeilingDbtp = -1.0;
inline constexpr double MaxLeadInSeconds = 30.0;

struct DubbingSettings {
    double leadInSeconds = 2.0;  // 0 to MaxLeadInSeconds of silence before the first track
    CalibrationTone tone;
    Loudness loudness = Loudness::Off;

    bool operator==(const DubbingSettings&) const = default;
};

enum class SegmentKind { Tone, LeadIn, Track, Gap };

struct Segment {
    SegmentKind kind = SegmentKind::LeadIn;
    std::int64_t start = 0;   // first frame on the side
    std::int64_t frames = 0;  // length
    int track = 0;            // Track: its number on the disc (slot + 1); otherwise 0
    int index = -1;           // Track: its place on the side, 0 first; otherwise -1
    double gainDb = 0;        // Track: the gain applied; 0 plays the samples as decoded

    bool operator==(const Segment&) const = default;
};

struct SideProgram {
    std::vector<Segment> segments;  // in playing order, each starting where the one before ends
    std::int64_t frames = 0;        // the sum of the segments' lengths
};

// Frames of a length in milliseconds (to the nearest frame) and in seconds.
constexpr std::int64_t framesOfMilliseconds(std::int64_t milliseconds) { return (milliseconds * SampleRate + 500) / 1000; }
constexpr std::int64_t framesOfSeconds(double seconds) { return static_cast<std::int64_t>(seconds * SampleRate + 0.5); }

// The program of one side: the tone if any, the lead-in, then the side's tracks in their order with the
// plan's gap (5 s or none) between neighbours. `trackFrames[i]` is the length of the side's i-th track,
// `trackNumbers[i]` its number on the disc; both lists have the same length.
SideProgram sideProgram(const std::vector<std::int64_t>& trackFrames, const std::vector<int>& trackNumbers, bool gap,
                        const DubbingSettings& settings);

// The segment playing at `frame`; nothing past the end.
std::optional<Segment> segmentAt(const SideProgram& program, std::int64_t frame);

// Whether the side with its lead-in (the tone is played before the tape counts) runs past what one side
// of the tape holds.
bool exceedsSide(const SideProgram& program, int sideCapacitySeconds);

// The gain in dB that brings a track (or an album) measured at `integratedLufs` to the target loudness,
// held so that its true peak `truePeakDbtp` stays at or below the ceiling: never a clipped sample.
// Silence (no measurable loudness) keeps its samples as they are.
double loudnessGainDb(double integratedLufs, double truePeakDbtp);

// The gating blocks of a measurement (400 ms every 100 ms) by loudness, in bins of 0.01 LU from -70 LUFS
// (the absolute gate) up: bin i holds the blocks from -70 + i/100 up to the next bin. Blocks of several
// tracks add up, so that an album's integrated loudness is one gated measurement over all its tracks.
using BlockHistogram = std::map<int, std::int64_t>;
inline constexpr int BlockBins = 10000;  // up to +30 LUFS
void addBlock(BlockHistogram& histogram, double lufs);
void addBlocks(BlockHistogram& into, const BlockHistogram& more);
// The integrated loudness of the blocks: the relative gate 10 LU below the mean of those above the
// absolute gate, then the mean power of those above both. -inf when no block is above -70 LUFS.
double gatedLoudness(const BlockHistogram& histogram);

// Where the loudest stretch of `stretchBlocks` consecutive blocks begins, given each block's loudness
// in LUFS (blocks of equal length, -inf for silence): the index of its first block. The first such
// stretch wins a tie; a list shorter than the stretch starts at 0.
std::size_t loudestStretch(const std::vector<double>& blockLufs, std::size_t stretchBlocks);

}  // namespace vantoli
