#include "cli/tape_check_command.h"

#include <cstdio>
#include <variant>

#include "audio/file_sound.h"
#include "audio/side_render.h"
#include "cli/level_plot.h"
#include "cli/side_render_command.h"
#include "core/language.h"
#include "core/stream_request.h"
#include "core/tape_check.h"
#include "core/tape_check_text.h"

namespace vantoli::cli {

namespace {

// The recording, whatever FFmpeg reads, as 44.1 kHz stereo.
std::variant<CheckSignal, audio::SoundError> readRecording(const std::string& path)
{
    auto opened = audio::openFileSound(path, 0, -1);
    if (auto* error = std::get_if<audio::SoundError>(&opened)) return *error;
    audio::SoundSource& source = *std::get<std::unique_ptr<audio::SoundSource>>(opened);
    CheckSignal signal;
    signal.reserve(source.frames());
    std::vector<float> samples(2 * 65536);
    try {
        while (const std::int64_t frames = source.read(samples.data(), 65536)) signal.add(samples.data(), frames);
    } catch (const audio::SoundError& error) {
        return error;
    }
    return signal;
}

}  // namespace

namespace {

void fail(CommandResult& result, const std::string& message)
{
    result.exitStatus = Failed;
    result.err += message;
    result.out.clear();
}

// Checks the recording against the side, rendered as --render writes it, sample for sample.
void checkRecordedSide(const audio::SideRequest& side, const TapeCheckRequest& asked, bool json, CommandResult& result)
{
    const std::string sideName = asked.sideB ? _("B面") : _("A面");
    if (side.tracks.empty()) return fail(result, "vantoli-plan: " + fill(_("%1にはトラックがありません。"), {sideName}) + "\n");

    audio::LoudnessCache cache;
    auto prepared = audio::prepareSide(side, cache);
    cache.save();
    if (auto* error = std::get_if<audio::SoundError>(&prepared)) return fail(result, soundMessage(*error));
    const SideProgram& layout = std::get<SideProgram>(prepared);
    CheckSignal program;
    program.reserve(layout.frames);
    try {
        audio::renderSide(side, layout, 0, [&](const std::int16_t* samples, std::int64_t frames) {
            program.add(samples, frames);
            return true;
        });
    } catch (const audio::SoundError& error) {
        return fail(result, soundMessage(error));
    }

    auto recording = readRecording(asked.recording);
    if (auto* error = std::get_if<audio::SoundError>(&recording)) return fail(result, soundMessage(*error));

    const auto checked = checkTape(std::get<CheckSignal>(recording), program, layout);
    if (const auto* failure = std::get_if<TapeCheckFailure>(&checked))
        return fail(result, "vantoli-plan: " +
                                (*failure == TapeCheckFailure::NoMusic
                                     ? fill(_("%1には聞き取れる音がありません。"), {sideName})
                                     : fill(_("録音 %1 に面の音が見つかりません。"), {shownText(asked.recording)})) +
                                "\n");
    const TapeCheck& check = std::get<TapeCheck>(checked);

    if (!asked.plot.empty()) {
        double level = 0;
        int known = 0;
        for (const TrackOnTape& track : check.tracks)
            if (track.levelDb) {
                level += *track.levelDb;
                ++known;
            }
        if (const std::string why = writeLevelPlot(check, known ? level / known : 0.0, asked.plot); !why.empty())
            return fail(result,
                        "vantoli-plan: " + fill(_("%1 を書き出せません（%2）。"), {shownText(asked.plot), why}) + "\n");
    }
    result.out = json ? tapeCheckJson(check, asked.sideB, false) : tapeCheckLines(check, asked.sideB);
}

}  // namespace

void checkTapeSide(const PlannedTape& planned, const PlanRequest& request, const std::string& cdSource,
                   CommandResult& result)
{
    const TapeCheckRequest& asked = *request.check;
    if (request.input == Input::Times)
        return fail(result, std::string("vantoli-plan: ") +
                                _("入力したタイムには音がありません。--check-tape には CD か音声ファイルを指定してください。") +
                                "\n");
    std::string problem;
    const std::optional<audio::SideRequest> side =
        sideRequest(planned, request.input, cdSource, asked.sideB, asked.settings, problem);
    if (!side) return fail(result, problem);
    checkRecordedSide(*side, asked, request.output == Output::Json, result);
}

CommandResult checkRequestedSide(const CheckStream& stream, std::FILE* in)
{
    CommandResult result;
    auto parsed = parseStreamRequest(readAllOf(in));
    if (const auto* bad = std::get_if<RequestError>(&parsed)) {
        fail(result, "vantoli-plan: " + fill(_("--check-tape の要求： %1。"), {bad->text}) + "\n");
        return result;
    }
    const StreamRequest& request = std::get<StreamRequest>(parsed);
    if (request.what != StreamWhat::Side) {
        fail(result, "vantoli-plan: " + fill(_("--check-tape の要求： %1。"), {_("面を指定してください")}) + "\n");
        return result;
    }
    checkRecordedSide(request.side, stream.check, stream.json, result);
    return result;
}

}  // namespace vantoli::cli
