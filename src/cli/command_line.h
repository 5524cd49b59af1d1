#pragma once
// The arguments of vantoli-plan: what to read (track times, a CD, or files), how to plan and what to
// print. Long options only, GNU style: "--tapes=46,60" or "--tapes 46,60", "--" ends the options.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/dubbing_cues.h"
#include "core/tape_counter.h"
#include "core/side_program.h"
#include "core/tape_lineup.h"
#include "core/tape_planner.h"
#include "device/read_source.h"

namespace vantoli::cli {

// One kind of input per call.
enum class Input {
    Times,  // track times written as the entries take them ("431" is 4 min 31 s)
    Cd,     // the default CD drive, a drive path or a disc image, read through libcdio
    Files,  // audio files, folders, playlists and CUE sheets
    Tape,   // one tape document (.vantoli), planned with its own options and tapes
};

enum class Output {
    Plan,    // the plan in readable lines
    Report,  // the long-disc report text
    Json,    // one JSON object
};

// --render: each side written as a file in a folder, as the deck would hear it.
struct RenderRequest {
    std::string folder;     // DIR: side-a.flac and side-b.flac go there
    bool wav = false;       // --format=wav
    DubbingSettings settings;  // --lead-in, --tone, --loudness
};

// --play: one side played to the sound server, as --render would write it.
struct PlayRequest {
    TapeSide side = TapeSide::A;   // --side
    std::string device;            // --device; empty: the default output
    double countDownSeconds = 0;   // --count-down
    bool beep = true;              // --no-beep: a silent count-down
    bool json = false;             // --json: report lines on standard output
    bool requestOnInput = false;   // --request=-: the stream request is the first line of standard input
    DubbingSettings settings;      // --lead-in, --tone, --loudness
    bool settingsGiven = false;    // one of them was given (else a tape plays with its own)
};

// --check-tape: a recording of the tape played back, compared with the side's program.
struct TapeCheckRequest {
    std::string recording;     // the recording's file (WAV, FLAC or anything FFmpeg reads)
    bool sideB = false;        // --side=B
    std::string plot;          // --plot=FILE.png; empty: no picture
    bool settingsGiven = false;  // --lead-in, --tone or --loudness given (else a tape's own settings)
    DubbingSettings settings;
};

struct PlanRequest {
    Input input = Input::Times;
    std::vector<std::string> operands;  // the times, or the files; for a CD the drive or image (none: default)
    PlanOptions options;                // the order kept and the gap, as the window starts
    bool optionsGiven = false;          // an option of order, gap or --exact was given
    std::optional<std::vector<TapeChoice>> tapes;  // --tapes; nothing: the user's saved tapes
    Output output = Output::Plan;
    bool crlf = false;  // the report with CR LF line ends
    std::optional<RenderRequest> render;  // --render=DIR
    std::optional<PlayRequest> play;      // --play
    std::optional<TapeCheckRequest> check;  // --check-tape=RECORDING
};

// --several: every source one album of a set of tapes.
struct SeveralRequest {
    std::vector<Source> sources;  // in the order given: files, folders, playlists, sheets; --cd=IMAGE discs
    bool gap = true;
    std::optional<std::vector<TapeChoice>> tapes;  // --tapes; nothing: the user's saved tapes
    bool json = false;
    std::optional<RenderRequest> render;  // --render=DIR: tape-N-side-a.flac, ...
    std::optional<std::pair<CounterReading, CounterReading>> counter;  // --counter=T1@C1,T2@C2
};

// --stream=-: one side's sound to standard output, as a JSON request on standard input asks.
struct StreamSide {};

// --play --request=-: the side the request on standard input names, without a plan.
struct PlayStream {
    PlayRequest play;
};

// --check-tape --request=-: the recording checked against the side the request on standard input
// names (as --play --request=- takes it), without a plan.
struct CheckStream {
    TapeCheckRequest check;
    bool json = false;
};

// --check-files=-: the tracks of a request on standard input decoded to their ends.
struct CheckFiles {};

// --devices: the sound server's outputs and inputs as JSON.
struct ListDevices {};

// --record=FILE: an input recorded as WAV until --seconds or the command stop.
struct RecordRequest {
    std::string file;
    std::string device;  // empty: the default input
    double seconds = 0;  // 0: until stopped
    bool json = false;
};

struct ShowHelp {};
struct ShowVersion {};

// A mistake in the arguments: what is wrong, in one line, without the program's name.
struct UsageError {
    std::string text;
};

using CommandLine =
    std::variant<PlanRequest, SeveralRequest, ShowHelp, ShowVersion, StreamSide, PlayStream, CheckStream, ListDevices,
                 CheckFiles, RecordRequest, UsageError>;

// The most track times one call takes, as many as the main window has entries.
inline constexpr std::size_t MostTimes = 20;

// Reads the arguments (without the program's name) in order. --help and --version answer at once,
// as soon as they are met; the first mistake met ends the reading.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// Whether an operand names a file rather than a track time:
// - one with a '/' is a file (write "./431" for a file named 431);
// - one that reads as a number, as an entry would read it, is a time;
// - one that ends in an extension with a letter (".flac", ".m3u8"), or names something that exists,
//   is a file;
// - anything else is a time, which then gets the entry's format message ("4:31").
bool isFileOperand(const std::string& operand);

// The tapes of --tapes: lengths in minutes, each optionally with what one side holds in seconds
// ("46,60,90", "60:1860,90"). Nothing when the text is not such a list; the rules of a lineup are
// checked separately (checkTapeChoices).
std::optional<std::vector<TapeChoice>> parseTapeList(std::string_view text);

// The calibration tone of --tone: "SECONDS[,HZ[,DBFS]]" (400 or 1000 Hz, -20 to 0 dBFS, 0 to 600 s).
std::optional<CalibrationTone> parseTone(std::string_view text);

// The text of --help and --version.
std::string helpText();
std::string versionText();

}  // namespace vantoli::cli
