#pragma once
// What `vantoli-plan --play --json` and `--record --json` write on standard output: one JSON object a
// line, so that a front end (the dubbing window, the deck check, the tape check) follows the sound
// with one function, parseSoundReport(). Members only get added; a reader ignores what it does not know.
//
//   {"event":"level","frame":F,"peak":[L,R],"rms":[L,R]}
//       At least 20 a second. --play: F is the frame of the side sounding now, as the sound server
//       reports it (its latency included): negative during the count-down (frames until the side
//       starts), 0 at the side's first frame. --record: the frames recorded so far. Peak and RMS of
//       each channel over the last 40 ms of that sound, in dBFS (MinLevelDb, -60, for silence).
//   {"event":"cue","frame":F,"cue":C,...}
//       When the cue sounds. C is "countDown" (with "seconds": the whole seconds still to go, counted
//       up), "tone", "leadIn", "track" (with "track": its number on the disc), "gap", or "end" (the side
//       has sounded; --record: the recording is complete, F frames).
//   {"event":"paused","frame":F} / {"event":"resumed","frame":F}
//       After the command pause or resume: F is the first frame not yet sounded.
//   {"event":"error","message":"..."}
//       Why the sound stopped (the sound server went away, the output vanished, a source failed); the
//       program then exits with a status other than 0.
//
// `vantoli-plan --devices` writes one object: {"outputs":[D...],"inputs":[D...]} with
// D = {"name":"...","description":"...","default":true|false}.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/dubbing_cues.h"
#include "core/side_program.h"

namespace vantoli {

enum class SoundEvent { Level, Cue, Paused, Resumed, Error };
enum class SoundCue { CountDown, Tone, LeadIn, Track, Gap, End };

struct SoundReport {
    SoundEvent event = SoundEvent::Level;
    std::int64_t frame = 0;
    StereoLevel level;             // Level
    SoundCue cue = SoundCue::End;  // Cue
    int track = 0;                 // Cue Track: its number on the disc
    int seconds = 0;               // Cue CountDown: whole seconds to go
    std::string message;           // Error

    bool operator==(const SoundReport&) const;
};

// The line for a report, without its line end.
std::string soundReportLine(const SoundReport& report);
// A line as written above (its line end may be left on); nothing for a line that is no report.
std::optional<SoundReport> parseSoundReport(std::string_view line);

// The cue sounding at `frame` of the side (negative: the count-down before it).
SoundReport cueAt(const SideProgram& program, std::int64_t frame);
// Whether two cues are the same moment of the side (the same segment, the same second of count-down).
bool sameCue(const SoundReport& a, const SoundReport& b);

// The sound server's outputs and inputs, for --devices.
struct SoundDevice {
    std::string name;         // what --device takes
    std::string description;  // what a person reads
    bool isDefault = false;

    bool operator==(const SoundDevice&) const = default;
};
struct SoundDevices {
    std::vector<SoundDevice> outputs;
    std::vector<SoundDevice> inputs;

    bool operator==(const SoundDevices&) const = default;
};
std::string soundDevicesJson(const SoundDevices& devices);
std::optional<SoundDevices> parseSoundDevices(std::string_view text);

}  // namespace vantoli
