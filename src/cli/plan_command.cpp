#include "cli/plan_command.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <variant>

#include "cli/command_line.h"
#include "cli/deck_check_command.h"
#include "cli/file_check_command.h"
#include "cli/plan_output.h"
#include "cli/several_command.h"
#include "cli/side_render_command.h"
#include "cli/sound_commands.h"
#include "cli/tape_check_command.h"
#include "core/disc_kind.h"
#include "core/entry_reading.h"
#include "core/file_read_result.h"
#include "core/language.h"
#include "core/long_disc_plan.h"
#include "core/message.h"
#include "core/tape_document.h"
#include "core/tape_lineup.h"
#include "core/tape_model.h"
#include "core/track_caption.h"
#include "device/read_source.h"
#include "device/taglib_reader.h"
#include "device/tape_document_file.h"
#include "device/tape_settings_file.h"

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

// A drive, an image or files, read as the window reads them, with the same messages. Any disc or
// list of 1 to 99 tracks is read whole and planned as a long disc is.
Read readTracks(const Source& source)
{
    SourceTracks read = readSource(source, TagLibReader());
    if (auto* message = std::get_if<Message>(&read)) return std::move(*message);
    TrackList& list = std::get<TrackList>(read);
    std::vector<int> seconds = trackSeconds(list);
    const auto count = static_cast<std::int32_t>(list.tracks.size());
    return Tracks{std::move(seconds), std::move(list), count};
}

// As the window opens a tape: a long list is planned from its tracks, else the entries are read as the
// Run command reads them, with the tracks' titles.
Read readTape(const TapeDocument& document)
{
    const TapeModel tape = TapeModel::fromDocument(document, {});
    if (tape.isLongList()) {
        std::vector<int> seconds = trackSeconds(tape.tracks());
        return Tracks{std::move(seconds), tape.tracks(), static_cast<std::int32_t>(tape.tracks().tracks.size())};
    }
    Read read = readTimes({tape.entries().begin(), tape.entries().end()});
    // The tracks know which of their times were typed over the audio.
    if (auto* tracks = std::get_if<Tracks>(&read)) tracks->titles = tape.tracks();
    return read;
}

Read readInput(const PlanRequest& request, const std::optional<TapeDocument>& tape)
{
    switch (request.input) {
    case Input::Times: return readTimes(request.operands);
    case Input::Cd: return readTracks(DriveSource{request.operands.empty() ? std::string() : request.operands.front()});
    case Input::Files: return readTracks(FileSource{request.operands});
    case Input::Tape: return readTape(*tape);
    }
    return noFileTracksMessage();
}

}  // namespace

std::optional<Lineup> requestedLineup(const std::optional<std::vector<TapeChoice>>& tapes,
                                      const std::string& settingsFile, CommandResult& result)
{
    if (tapes) {
        if (const std::optional<TapeChoiceProblem> problem = checkTapeChoices(*tapes)) {
            result.exitStatus = Failed;
            result.err = usageLines(fill(_("--tapes： %1"), {lfLines(problem->message.text)}));
            return std::nullopt;
        }
        return lineupOf(*tapes);
    }
    const SavedTapes saved = readSavedTapes(settingsFile);
    if (const std::optional<Message> problem = savedTapesProblem(saved)) result.err += messageLines(*problem);
    return lineupOf(saved.choices);
}

CommandResult runPlanCommand(const std::vector<std::string>& arguments, const std::string& settingsFile)
{
    if (std::optional<CommandResult> deck = runDeckCommand(arguments)) return std::move(*deck);
    CommandResult result;
    const CommandLine line = parseCommandLine(arguments);
    if (std::holds_alternative<ShowHelp>(line)) {
        result.out = helpText() + deckHelpText();
        return result;
    }
    if (const auto* set = std::get_if<SeveralRequest>(&line)) return runSeveralCommand(*set, settingsFile);
    if (std::holds_alternative<CheckFiles>(line)) return checkFiles(stdin, stdout);
    if (std::holds_alternative<StreamSide>(line)) return streamSide(stdin, 1);
    if (const auto* play = std::get_if<PlayStream>(&line)) return playRequestedSide(play->play, 0, 1);
    if (const auto* check = std::get_if<CheckStream>(&line)) return checkRequestedSide(*check, stdin);
    if (std::holds_alternative<ListDevices>(line)) return listDevices();
    if (const auto* record = std::get_if<RecordRequest>(&line)) return recordInput(*record, 0, 1);
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

    // A tape brings its options and tapes; options or tapes given here plan it otherwise.
    std::optional<TapeDocument> tape;
    PlanOptions options = request.options;
    if (request.input == Input::Tape) {
        const ParsedTapeDocument parsed = readTapeDocumentFile(request.operands.front());
        if (const auto* error = std::get_if<DocumentError>(&parsed)) {
            result.exitStatus = Failed;
            result.err = messageLines(documentErrorMessage(*error, request.operands.front()));
            return result;
        }
        tape = std::get<TapeDocument>(parsed);
        if (!request.optionsGiven) options = tape->options;
    }

    // The tapes asked for, the tape's own, or the ones the user keeps for the window.
    Lineup lineup;
    if (tape && !request.tapes) {
        lineup = tape->lineup;
    } else if (const std::optional<Lineup> requested = requestedLineup(request.tapes, settingsFile, result)) {
        lineup = *requested;
    } else {
        return result;
    }

    const Read read = readInput(request, tape);
    if (const auto* message = std::get_if<Message>(&read)) {
        result.exitStatus = Failed;
        result.err += messageLines(*message);
        return result;
    }
    const Tracks& tracks = std::get<Tracks>(read);

    std::optional<LongDiscPlan> plan = planLongDisc(tracks.seconds, options, tracks.count, lineup);
    if (!plan) {
        result.exitStatus = NoTapeHolds;
        result.err += messageLines(lineupFailureMessage(lineup));
        return result;
    }

    const PlannedTape planned{std::move(*plan), tracks.seconds, tracks.titles, options, lineup};
    if (request.play) {
        const std::string cdSource = request.operands.empty() ? std::string() : request.operands.front();
        if (request.input == Input::Times) {
            result.exitStatus = Failed;
            result.err += std::string(Program) +
                          _("入力したタイムには音がありません。--play には CD か音声ファイルを指定してください。") + "\n";
            return result;
        }
        DubbingSettings settings = request.play->settings;
        // A tape brings its own dubbing settings unless they are given here.
        if (tape && !request.play->settingsGiven) settings = tape->dubbing;
        auto side = planSideRequest(planned, request.input, cdSource, request.play->side, settings);
        if (const auto* message = std::get_if<std::string>(&side)) {
            result.exitStatus = Failed;
            result.err += *message;
            return result;
        }
        StreamRequest stream;
        stream.side = std::get<SideRequest>(side);
        stream.countDownSeconds = request.play->countDownSeconds;
        stream.beep = request.play->beep;
        CommandResult played = playSide(stream, *request.play, 0, 1);
        played.err = result.err + played.err;
        return played;
    }
    if (request.check) {
        // A tape brings the settings it was dubbed with, unless others are given.
        PlanRequest checking = request;
        if (tape && !checking.check->settingsGiven) checking.check->settings = tape->dubbing;
        checkTapeSide(planned, checking, request.operands.empty() ? std::string() : request.operands.front(), result);
        return result;
    }
    switch (request.output) {
    case Output::Plan: result.out = planText(planned); break;
    case Output::Report: result.out = reportText(planned, request.crlf); break;
    case Output::Json: result.out = planJson(planned); break;
    }
    if (request.render) {
        renderSides(planned, request, request.operands.empty() ? std::string() : request.operands.front(), result);
        // A render that failed leaves no plan on standard output, only why it failed.
        if (result.exitStatus != 0) result.out.clear();
    }
    return result;
}

}  // namespace vantoli::cli
