#pragma once
// The sound of a plan's sides: --render writes each side as a file and prints each side's program,
// --stream=- plays one side to standard output for a front end (the dubbing window).

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include <nlohmann/json.hpp>

#include "audio/side_render.h"
#include "cli/command_line.h"
#include "cli/plan_command.h"
#include "cli/plan_output.h"

namespace vantoli::cli {

// One side of the plan as the sound's request: its tracks and where their sound is (a CD's tracks
// from `cdSource`), or the message for a track without sound.
std::variant<SideRequest, std::string> planSideRequest(const PlannedTape& planned, Input input,
                                                      const std::string& cdSource, TapeSide side,
                                                      const DubbingSettings& settings);

// Writes side-a and side-b of the plan into the request's folder. Adds each side's program to
// `result.out` (as text, or into the plan's JSON when `json`), messages to `result.err`; sets the exit
// status on failure. Typed times have no sound: a message and Failed.
void renderSides(const PlannedTape& planned, const PlanRequest& request, const std::string& cdSource,
                 CommandResult& result);

// One side to write: its name in messages ("A面"), its file's name without the extension, its sound
// and what a side of its tape holds.
struct SideToWrite {
    std::string name;
    std::string file;
    audio::SideRequest request;
    int sideCapacity = 0;
};
struct WrittenSide {
    std::filesystem::path path;
    SideProgram program;
};
// Measures, writes and names every side in the render's folder: all are written before any is named,
// so a failure leaves the earlier files as they were. Nothing on failure (status and message in
// `result`).
std::optional<std::vector<WrittenSide>> writeSides(std::vector<SideToWrite> sides, const RenderRequest& render,
                                                   CommandResult& result);
// A written side's program and file as JSON, and as text under its heading.
nlohmann::ordered_json writtenSideJson(const WrittenSide& side);
std::string writtenSideText(const std::string& name, const WrittenSide& side);

// The tracks of side A (or B) with their sound, the plan's gap and `settings`, as --render plays
// them. Nothing, and the message in `problem`, when a track has no sound (typed times).
std::optional<audio::SideRequest> sideRequest(const PlannedTape& planned, Input input, const std::string& cdSource,
                                              bool sideB, const DubbingSettings& settings, std::string& problem);

// A sound source's failure as a message line.
std::string soundMessage(const audio::SoundError& error);

// Reads the JSON request from `in` and writes the side's PCM (s16le, 44.1 kHz, stereo) to the file
// descriptor `out`. Messages go to `result.err`. A reader that goes away ends the stream quietly.
CommandResult streamSide(std::FILE* in, int out);
// All that `in` holds, read to its end (a request on standard input).
std::string readAllOf(std::FILE* in);

// What a request sounds, measured before it sounds: the side's program, where the sound starts, and
// for the loudest passage how long it is.
struct PreparedSound {
    SideProgram program;  // empty for the tone
    std::int64_t from = 0;
    std::int64_t loopFrames = 0;
};
std::variant<PreparedSound, audio::SoundError> prepareSound(const StreamRequest& request);
// Sounds the request into `sink` until it ends (the side) or the sink stops it (the loops).
std::optional<audio::SoundError> playSound(const StreamRequest& request, const PreparedSound& prepared,
                                           const audio::SampleSink& sink);
// "vantoli-plan: what： cause" and a line end.
std::string messageOf(const audio::SoundError& error);

inline constexpr int SourceFailed = 1;  // --stream: a track's source failed
inline constexpr int Cancelled = 130;   // --render: stopped by a signal; nothing written

}  // namespace vantoli::cli
