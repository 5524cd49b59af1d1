#include "cli/plan_command.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <variant>

#include "cli/command_line.h"
#include "cli/plan_output.h"
#include "core/cd_read.h"
#include "core/entry_reading.h"
#include "core/file_tracks.h"
#include "core/language.h"
#include "core/long_disc_plan.h"
#include "core/message.h"
#include "core/read_disc.h"
#include "core/tape_lineup.h"
#include "core/track_caption.h"
#include "device/libcdio_device.h"
#include "device/tape_settings_file.h"
#include "device/track_files.h"

namespace vantoli::cli {

namespace {

constexpr const char* Program = "vantoli-plan: ";

// The tracks a source gave, or the message that says why there are none to plan.
struct Tracks {
    std::vector<int> seconds;
    TrackList titles;
    std::int32_t count = 0;
};
using Read = std::variant<Tracks, Message>;

// A message of the program's, as the window would show it, on its own lines.
std::string messageLines(const Message& message) { return Program + lfLines(message.text) + "\n"; }

std::string usageLines(const std::string& text)
{
    return Program + text + "\n" + _("詳しくは「vantoli-plan --help」を実行してください。") + "\n";
}

// As the Run command reads its entries: the times in entry order, the same checks and messages.
Read readTimes(const std::vector<std::string>& operands)
{
    EntryTexts entries;
    for (std::size_t i = 0; i < operands.size() && i < entries.size(); ++i) entries[i] = operands[i];
    const std::variant<TrackTimes, EntryError> read = ReadTrackTimes(entries);
    if (const auto* error = std::get_if<EntryError>(&read)) return error->message();
    const TrackTimes& times = std::get<TrackTimes>(read);
    return Tracks{times.seconds, {}, static_cast<std::int32_t>(times.seconds.size())};
}

// As the CD read command reads a disc: open, milliseconds, the track count; no disc and a disc of 100
// tracks or more are refused with its messages, any other disc is read whole, titles included, and
// planned as a long disc is. The drive is closed on every path.
Read readCd(const std::string& source)
{
    LibcdioDevice device(source);
    device.selectCdAudio();
    device.open();
    device.setMillisecondsFormat();
    const std::int32_t count = device.tracks();
    switch (discKind(count)) {
    case DiscKind::NoDisc: device.close(); return noDiscMessage();
    case DiscKind::TooManyTracks: device.close(); return tooManyTracksMessage();
    case DiscKind::Entries:
    case DiscKind::LongDisc: break;
    }
    TrackList disc = readDiscTracks(device, count);
    device.close();
    std::vector<int> seconds = trackSeconds(disc);
    return Tracks{std::move(seconds), std::move(disc), count};
}

// As the read of files reads what was chosen or dropped, with the same messages.
Read readFiles(const std::vector<std::string>& items)
{
    FileTracks result = readTrackFiles(items);
    if (const auto* unreadable = std::get_if<UnreadableFiles>(&result)) return unreadableFilesMessage(*unreadable);
    if (std::holds_alternative<TooManyFileTracks>(result)) return tooManyFileTracksMessage();
    TrackList& list = std::get<TrackList>(result);
    const auto count = static_cast<std::int32_t>(std::min<std::size_t>(list.tracks.size(), INT32_MAX));
    switch (discKind(count)) {
    case DiscKind::NoDisc: return noFileTracksMessage();
    case DiscKind::TooManyTracks: return tooManyFileTracksMessage();
    case DiscKind::Entries:
    case DiscKind::LongDisc: break;
    }
    std::vector<int> seconds = trackSeconds(list);
    return Tracks{std::move(seconds), std::move(list), count};
}

Read readInput(const PlanRequest& request)
{
    switch (request.input) {
    case Input::Times: return readTimes(request.operands);
    case Input::Cd: return readCd(request.operands.empty() ? std::string() : request.operands.front());
    case Input::Files: return readFiles(request.operands);
    }
    return noFileTracksMessage();
}

}  // namespace

CommandResult runPlanCommand(const std::vector<std::string>& arguments)
{
    CommandResult result;
    const CommandLine line = parseCommandLine(arguments);
    if (std::holds_alternative<ShowHelp>(line)) {
        result.out = helpText();
        return result;
    }
    if (std::holds_alternative<ShowVersion>(line)) {
        result.out = versionText();
        return result;
    }
    if (const auto* usage = std::get_if<UsageError>(&line)) {
        result.exitStatus = Failed;
        result.err = usageLines(usage->text);
        return result;
    }
    const PlanRequest& request = std::get<PlanRequest>(line);

    // The tapes asked for, or the ones the user keeps for the window.
    Lineup lineup;
    if (request.tapes) {
        if (const std::optional<TapeChoiceProblem> problem = checkTapeChoices(*request.tapes)) {
            result.exitStatus = Failed;
            result.err = usageLines(fill(_("--tapes： %1"), {lfLines(problem->message.text)}));
            return result;
        }
        lineup = lineupOf(*request.tapes);
    } else {
        const SavedTapes saved = readSavedTapes();
        if (saved.damaged) result.err += messageLines(unreadableTapesMessage(saved.file));
        lineup = lineupOf(saved.choices);
    }

    const Read read = readInput(request);
    if (const auto* message = std::get_if<Message>(&read)) {
        result.exitStatus = Failed;
        result.err += messageLines(*message);
        return result;
    }
    const Tracks& tracks = std::get<Tracks>(read);

    std::optional<LongDiscPlan> plan = planLongDisc(tracks.seconds, request.options, tracks.count, lineup);
    if (!plan) {
        result.exitStatus = NoTapeHolds;
        result.err += messageLines(lineupFailureMessage(lineup));
        return result;
    }

    const PlannedTape planned{std::move(*plan), tracks.seconds, tracks.titles, request.options, lineup};
    switch (request.output) {
    case Output::Plan: result.out = planText(planned); break;
    case Output::Report: result.out = reportText(planned, request.crlf); break;
    case Output::Json: result.out = planJson(planned); break;
    }
    return result;
}

}  // namespace vantoli::cli
