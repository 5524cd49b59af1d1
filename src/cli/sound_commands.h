#pragma once
// vantoli-plan as the sound engine: --play plays a side to the sound server, --record records an
// input as WAV, --devices lists the server's outputs and inputs. --play and --record take the
// commands pause, resume and stop, one a line, on standard input; with --json they report as
// core/sound_report.h describes, else a progress line goes to a terminal's standard error.

#include "cli/command_line.h"
#include "cli/plan_command.h"
#include "core/stream_request.h"

namespace vantoli::cli {

// Exit status when the sound stops because of the server or the output (or a source that fails).
inline constexpr int SoundFailed = 1;

// Plays `request` (count-down included) to `play.device`; commands from the file descriptor `in`
// (-1: none), reports to `out`.
CommandResult playSide(const StreamRequest& request, const PlayRequest& play, int in, int out);
// --play --request=-: the request is the first line of `in`.
CommandResult playRequestedSide(const PlayRequest& play, int in, int out);
CommandResult recordInput(const RecordRequest& record, int in, int out);
CommandResult listDevices();

}  // namespace vantoli::cli
