#pragma once
// What the dubbing window computes besides the sound: a side's program from a plan, what to tell the
// user at each moment of it (the timer mode, for a CD in a separate player), and the levels of the
// samples handed to the output.

#include <cstdint>
#include <string>
#include <vector>

#include "core/label_content.h"
#include "core/message.h"
#include "core/side_program.h"

namespace vantoli {

enum class TapeSide { A, B };

// The tracks of one side of the plan, in recording order: numbers on the disc and lengths in frames.
// A track's length is the exact length of its part of a CUE rip, else its length in milliseconds from
// the source, else the seconds the plan was made with.
struct SideTracks {
    std::vector<int> numbers;
    std::vector<std::int64_t> frames;
};
SideTracks sideTracks(const MadePlan& made, TapeSide side);

// The program of one side as the window plays or times it (the calibration tone is never part of it:
// the window plays the tone on its own command).
SideProgram dubbingProgram(const MadePlan& made, TapeSide side, double leadInSeconds);

// Whether every track of the side has its sound at hand (a file or a CD track); otherwise the window
// can only time the side.
bool sideHasAudio(const MadePlan& made, TapeSide side);

// Whether the side has any track; the window offers side B only when it has.
bool sideHasTracks(const MadePlan& made, TapeSide side);

// How the side sounds: the window plays it, or a separate player (a CD player) plays the tracks while
// the window only times them and tells the user what to do.
enum class CueMode { Sound, Timer };

// What to tell the user at `frame` of the side's program, with the tracks' titles from the plan.
// With sound: the count-down to the next track during the lead-in and the gaps, the track playing.
// Timed: what to do on the CD player, in the imperative ("CD プレーヤーでトラック 2「…」を 4 秒後に再生").
// Past the end: the flip after side A when side B has tracks, else the end.
std::string dubbingCue(const MadePlan& made, const SideProgram& program, std::int64_t frame, TapeSide side,
                       CueMode mode);

// The count-down as 16-bit stereo samples: `seconds` seconds with a short 880 Hz beep at the start of
// each, or silence when `beep` is off. The window plays it ahead of a side; vantoli-plan streams it
// alone for a side timed on a CD player.
std::vector<std::int16_t> countDownSound(int seconds, bool beep);

// "1:05" for 65 s of frames, rounded down to the second; "-" for a negative time.
std::string clockText(std::int64_t frames);

// The levels of a block of 16-bit stereo samples, in dBFS (-inf for silence is MinLevelDb).
inline constexpr double MinLevelDb = -60.0;
struct ChannelLevel {
    double peakDb = MinLevelDb;
    double rmsDb = MinLevelDb;
};
struct StereoLevel {
    ChannelLevel left;
    ChannelLevel right;
};
StereoLevel stereoLevel(const std::int16_t* interleaved, std::size_t frames);

// A peak meter's hold: the highest peak stays shown for holdMs, then falls at 20 dB/s.
class PeakHold {
public:
    static constexpr std::int64_t HoldMs = 1500;
    // Takes the peak of the block played at `ms` and returns the level to mark.
    double update(double peakDb, std::int64_t ms);
    void reset() { held_ = MinLevelDb; }

private:
    double held_ = MinLevelDb;
    std::int64_t heldAt_ = 0;
};

// The count-down played ahead of a side, `frames` long, so that the side starts the moment it ends:
// silence with a short 880 Hz beep at each whole second before the end when `beep` (16-bit stereo).
std::vector<std::int16_t> countDownSound(std::int64_t frames, bool beep);

Message noPlanForDubbingMessage();
// The sound could not be played: `detail` says why (the renderer's own message, or the output's).
Message dubbingFailedMessage(const std::string& detail);

}  // namespace vantoli
