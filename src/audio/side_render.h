#pragma once
// One side of the tape as one stream of 16-bit stereo at 44.1 kHz: the calibration tone, the lead-in,
// each track (at its loudness gain) and the gaps between them, exactly as the side's program lays them
// out. The same stream goes to a file (--render) or to a front end (--stream).

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "audio/loudness.h"
#include "audio/sound_source.h"
#include "core/side_program.h"
#include "core/stream_request.h"

namespace vantoli::audio {

using SideTrack = vantoli::SideTrack;
using SideRequest = vantoli::SideRequest;

// How far a track's decoded length may stray from the planned one.
inline constexpr std::int64_t LengthTolerance = SampleRate;

// The side's program: each track's length as its source states it (checked against the planned
// length), and its gain when loudness is matched (measured through `cache`).
std::variant<SideProgram, SoundError> prepareSide(const SideRequest& request, LoudnessCache& cache);

// Receives the stream in pieces: interleaved samples and their frame count. Returns false to stop
// (the reader went away, a cancel, a full disk).
using SampleSink = std::function<bool(const std::int16_t* samples, std::int64_t frames)>;

enum class RenderEnd { Done, Stopped };

// Plays the program from frame `from` to its end into `sink`; a source that fails ends it with its error.
std::variant<RenderEnd, SoundError> renderSide(const SideRequest& request, const SideProgram& program,
                                               std::int64_t from, const SampleSink& sink);

// The calibration tone without end (until the sink stops it).
void renderTone(const CalibrationTone& tone, const SampleSink& sink);

// Where the side's loudest 10 s begin (K-weighted loudness, in blocks of 0.4 s), the tone left out.
std::variant<std::int64_t, SoundError> loudestStart(const SideRequest& request, const SideProgram& program);
inline constexpr std::int64_t LoudestFrames = 10 * SampleRate;

}  // namespace vantoli::audio
