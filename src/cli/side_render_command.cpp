#include "cli/side_render_command.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "audio/side_file.h"
#include "audio/side_render.h"
#include "cli/stop_signals.h"
#include "core/dubbing_cues.h"
#include "core/language.h"
#include "core/message.h"
#include "core/tape_document.h"
#include "core/text_encoding.h"
#include "core/time_text.h"
#include "core/track_list.h"

namespace vantoli::cli {

namespace {

using Json = nlohmann::ordered_json;

// "m:ss.mmm" of a number of frames.
std::string timeText(std::int64_t frames)
{
    const std::int64_t milliseconds = frames * 1000 / SampleRate;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld.%03lld", static_cast<long long>(milliseconds / 60000),
                  static_cast<long long>(milliseconds / 1000 % 60), static_cast<long long>(milliseconds % 1000));
    return text;
}

std::string segmentName(const Segment& segment)
{
    switch (segment.kind) {
    case SegmentKind::Tone: return _("トーン");
    case SegmentKind::LeadIn: return _("リードイン");
    case SegmentKind::Gap: return _("ブランク");
    case SegmentKind::Track: return fill(_("トラック %1"), {std::to_string(segment.track)});
    }
    return {};
}

std::string kindName(SegmentKind kind)
{
    switch (kind) {
    case SegmentKind::Tone: return "tone";
    case SegmentKind::LeadIn: return "leadIn";
    case SegmentKind::Gap: return "gap";
    case SegmentKind::Track: return "track";
    }
    return {};
}

std::string gainText(double gainDb)
{
    char text[32];
    std::snprintf(text, sizeof text, "%+.2f dB", gainDb);
    return text;
}

std::string programText(const std::string& heading, const SideProgram& program)
{
    std::string out = heading + "\n" + _("        開始        長さ       ゲイン  内容") + "\n";
    for (const Segment& segment : program.segments) {
        char line[160];
        std::snprintf(line, sizeof line, "  %10s  %10s  %9s  ", timeText(segment.start).c_str(),
                      timeText(segment.frames).c_str(),
                      segment.kind == SegmentKind::Track ? gainText(segment.gainDb).c_str() : "");
        out += line + segmentName(segment) + '\n';
    }
    out += fill(_("  計 %1"), {timeText(program.frames)}) + "\n";
    return out;
}

Json programJson(const SideProgram& program)
{
    Json segments = Json::array();
    for (const Segment& segment : program.segments) {
        Json item{{"kind", kindName(segment.kind)}, {"start", segment.start}, {"frames", segment.frames}};
        if (segment.kind == SegmentKind::Track) {
            item["track"] = segment.track;
            item["gainDb"] = segment.gainDb;
        }
        segments.push_back(item);
    }
    return Json{{"frames", program.frames}, {"segments", segments}};
}

// Why a side's file could not be written, as a line.
std::string unwritten(const std::filesystem::path& path, const std::string& problem)
{
    return fill(_("%1 を書き出せません（%2）。"), {shownText(path.string()), problem}) + "\n";
}

// A progress line on a terminal: the side and how far it has come.
class Progress {
public:
    Progress(std::string side, std::int64_t frames) : side_(std::move(side)), frames_(frames), shown_(isatty(2) == 1) {}
    ~Progress()
    {
        if (shown_ && printed_) std::fputs("\r\033[K", stderr);
    }
    void advance(std::int64_t frames)
    {
        done_ += frames;
        if (!shown_ || frames_ <= 0) return;
        const int percent = static_cast<int>(done_ * 100 / frames_);
        if (percent == percent_) return;
        percent_ = percent;
        printed_ = true;
        std::fprintf(stderr, "\r%s %s / %s (%d%%)", side_.c_str(), timeText(done_).c_str(), timeText(frames_).c_str(),
                     percent);
        std::fflush(stderr);
    }

private:
    std::string side_;
    std::int64_t frames_;
    std::int64_t done_ = 0;
    int percent_ = -1;
    bool shown_;
    bool printed_ = false;
};

}  // namespace

std::variant<SideRequest, std::string> planSideRequest(const PlannedTape& planned, Input input,
                                                      const std::string& cdSource, TapeSide side,
                                                      const DubbingSettings& settings)
{
    const TapePlan& plan = planned.longDisc.plan;
    SideRequest made = sideRequestOf(side == TapeSide::A ? plan.sideA : plan.sideB, planned.titles,
                                     planned.options.gap, settings);
    for (SideTrack& track : made.tracks) {
        const std::size_t slot = static_cast<std::size_t>(track.number - 1);
        // A time typed over the audio plans the side; the audio would play something else.
        if (input != Input::Cd && slot < planned.titles.tracks.size() && slot < planned.seconds.size() &&
            planned.titles.tracks[slot].timeTyped)
            return "vantoli-plan: " +
                   fill(_("トラック %1 のタイム %2 は音声の長さ %3 と違うため、%4を書き出せません。"),
                        {std::to_string(track.number), minutesSecondsText(planned.seconds[slot]),
                         minutesSecondsText(planned.titles.tracks[slot].milliseconds / 1000),
                         side == TapeSide::A ? _("A面") : _("B面")}) +
                   "\n";
        if (input == Input::Cd) track.audio = {AudioSource::Kind::CdTrack, cdSource, 0, -1, track.number};
        if (track.audio.kind == AudioSource::Kind::None)
            return "vantoli-plan: " + fill(_("トラック %1 には音がありません。"), {std::to_string(track.number)}) + "\n";
    }
    return made;
}

std::optional<audio::SideRequest> sideRequest(const PlannedTape& planned, Input input, const std::string& cdSource,
                                              bool sideB, const DubbingSettings& settings, std::string& problem)
{
    auto made = planSideRequest(planned, input, cdSource, sideB ? TapeSide::B : TapeSide::A, settings);
    if (auto* message = std::get_if<std::string>(&made)) {
        problem = *message;
        return std::nullopt;
    }
    return std::get<SideRequest>(made);
}

std::string soundMessage(const audio::SoundError& error) { return messageOf(error); }

std::optional<std::vector<WrittenSide>> writeSides(std::vector<SideToWrite> sides, const RenderRequest& render,
                                                   CommandResult& result)
{
    const auto fail = [&](int status, const std::string& message) -> std::optional<std::vector<WrittenSide>> {
        result.exitStatus = status;
        result.err += message;
        return std::nullopt;
    };
    audio::LoudnessCache cache;
    std::vector<SideProgram> programs;
    for (const SideToWrite& side : sides) {
        auto prepared = audio::prepareSide(side.request, cache);
        if (auto* error = std::get_if<audio::SoundError>(&prepared)) return fail(Failed, messageOf(*error));
        programs.push_back(std::get<SideProgram>(prepared));
        if (exceedsSide(programs.back(), side.sideCapacity))
            result.err +=
                "vantoli-plan: " + fill(_("%1はリードインを含めるとテープの片面に収まりません。"), {side.name}) + "\n";
    }
    cache.save();

    std::error_code error;
    const std::filesystem::path folder(render.folder);
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error))
        return fail(Failed, "vantoli-plan: " + fill(_("フォルダー %1 を作れません。"), {shownText(render.folder)}) + "\n");

    // What a render that was killed left here goes first; a running one holds its files.
    const std::string extension = render.wav ? ".wav" : ".flac";
    std::vector<std::string> names;
    for (const SideToWrite& side : sides)
        for (const char* kind : {".flac", ".wav"}) names.push_back(side.file + kind);
    if (const std::vector<std::string> leftovers = audio::removeLeftoverParts(folder, names); !leftovers.empty())
        result.err += "vantoli-plan: " +
                      fill(_("前の書き出しが残した途中のファイルを消しました：%1"),
                           {shownText(shortList(leftovers, 5, ", "))}) +
                      "\n";

    // Every side is written beside its name and named only when all are complete.
    const StopSignals signals;
    std::vector<std::unique_ptr<audio::SideFile>> files;
    std::vector<WrittenSide> written;
    for (std::size_t i = 0; i < sides.size(); ++i) {
        const SideToWrite& side = sides[i];
        const std::filesystem::path path = folder / (side.file + extension);
        written.push_back({path, programs[i]});
        auto file = std::make_unique<audio::SideFile>();
        if (const std::string problem =
                file->open(path, render.wav ? audio::FileFormat::Wav : audio::FileFormat::Flac, programs[i].frames);
            !problem.empty())
            return fail(Failed, "vantoli-plan: " + unwritten(path, problem));
        Progress progress(side.name, programs[i].frames);
        const audio::SampleSink sink = [&](const std::int16_t* samples, std::int64_t frames) {
            if (StopSignals::stopRequested()) return false;
            progress.advance(frames);
            return file->write(samples, frames);
        };
        const auto rendered = audio::renderSide(side.request, programs[i], 0, sink);
        if (const auto* sound = std::get_if<audio::SoundError>(&rendered)) return fail(Failed, messageOf(*sound));
        if (std::get<audio::RenderEnd>(rendered) == audio::RenderEnd::Stopped) {
            if (StopSignals::stopRequested())
                return fail(Cancelled,
                            "vantoli-plan: " +
                                fill(_("中止しました。%1 は書き出していません。"), {shownText(path.string())}) + "\n");
            return fail(Failed, "vantoli-plan: " + unwritten(path, file->error()));
        }
        if (!file->finish()) return fail(Failed, "vantoli-plan: " + unwritten(path, file->error()));
        files.push_back(std::move(file));
    }
    std::vector<audio::SideFile*> finished;
    for (const auto& file : files) finished.push_back(file.get());
    if (const auto failure = audio::SideFile::publish(finished))
        return fail(Failed, "vantoli-plan: " + unwritten(written[failure->index].path, failure->error));
    return written;
}

void renderSides(const PlannedTape& planned, const PlanRequest& request, const std::string& cdSource,
                 CommandResult& result)
{
    const RenderRequest& render = *request.render;
    if (request.input == Input::Times) {
        result.exitStatus = Failed;
        result.err += std::string("vantoli-plan: ") +
                      _("入力したタイムには音がありません。--render には CD か音声ファイルを指定してください。") + "\n";
        return;
    }
    std::vector<SideToWrite> sides;
    for (const TapeSide side : {TapeSide::A, TapeSide::B}) {
        auto made = planSideRequest(planned, request.input, cdSource, side, render.settings);
        if (const auto* message = std::get_if<std::string>(&made)) {
            result.exitStatus = Failed;
            result.err += *message;
            return;
        }
        sides.push_back({side == TapeSide::A ? _("A面") : _("B面"), side == TapeSide::A ? "side-a" : "side-b",
                         std::get<SideRequest>(made), planned.longDisc.plan.sideCapacity});
    }
    const std::optional<std::vector<WrittenSide>> written = writeSides(sides, render, result);
    if (!written) return;

    if (request.output == Output::Json) {
        Json json = Json::parse(result.out);
        Json programs = Json::object();
        for (std::size_t i = 0; i < written->size(); ++i) programs[i == 0 ? "A" : "B"] = writtenSideJson((*written)[i]);
        json["render"] = programs;
        result.out = json.dump(2) + "\n";
    } else {
        for (std::size_t i = 0; i < written->size(); ++i) result.out += writtenSideText(sides[i].name, (*written)[i]);
    }
}

nlohmann::ordered_json writtenSideJson(const WrittenSide& side)
{
    Json json = programJson(side.program);
    json["file"] = validUtf8(side.path.string());
    return json;
}

std::string writtenSideText(const std::string& name, const WrittenSide& side)
{
    return "\n" + programText(fill(_("＜%1のプログラム＞ %2"), {name, shownText(side.path.string())}), side.program);
}

namespace {

// Writes all of `bytes` to `out`; false when the reader has gone (EPIPE) or the write fails.
bool writeAll(int out, const void* bytes, std::size_t size)
{
    const auto* at = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t written = ::write(out, at, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        at += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

std::string readAllOf(std::FILE* in)
{
    std::string text;
    char buffer[65536];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, in)) text.append(buffer, got);
    return text;
}

CommandResult streamSide(std::FILE* in, int out)
{
    CommandResult result;
    // A reader that closes the pipe gives EPIPE on the next write instead of killing the process.
    std::signal(SIGPIPE, SIG_IGN);
    auto parsed = parseStreamRequest(readAllOf(in));
    if (const auto* bad = std::get_if<RequestError>(&parsed)) {
        result.exitStatus = Failed;
        result.err = "vantoli-plan: " + fill(_("--stream の要求： %1。"), {bad->text}) + "\n";
        return result;
    }
    const StreamRequest& request = std::get<StreamRequest>(parsed);

    const audio::SampleSink sink = [out](const std::int16_t* samples, std::int64_t frames) {
        return writeAll(out, samples, static_cast<std::size_t>(frames) * 2 * sizeof(std::int16_t));
    };
    if (request.what == StreamWhat::CountDown) {  // the beeps alone, for a side timed on a CD player
        const auto frames = static_cast<std::int64_t>(std::llround(request.countDownSeconds * 44100));
        const std::vector<std::int16_t> beeps = countDownSound(frames, request.beep);
        sink(beeps.data(), frames);
        return result;
    }
    auto prepared = prepareSound(request);
    std::optional<audio::SoundError> error;
    if (auto* failed = std::get_if<audio::SoundError>(&prepared))
        error = *failed;
    else
        error = playSound(request, std::get<PreparedSound>(prepared), sink);
    if (error) {
        result.exitStatus = SourceFailed;
        result.err = messageOf(*error);
    }
    return result;
}

std::variant<PreparedSound, audio::SoundError> prepareSound(const StreamRequest& request)
{
    PreparedSound prepared;
    if (request.what == StreamWhat::Tone || request.what == StreamWhat::CountDown) return prepared;
    audio::LoudnessCache cache;
    auto side = audio::prepareSide(request.side, cache);
    cache.save();
    if (auto* error = std::get_if<audio::SoundError>(&side)) return *error;
    prepared.program = std::get<SideProgram>(side);
    prepared.from = request.startFrame;
    if (request.what == StreamWhat::Loudest) {
        const auto found = audio::loudestStart(request.side, prepared.program);
        if (const auto* error = std::get_if<audio::SoundError>(&found)) return *error;
        prepared.from = std::get<std::int64_t>(found);
        prepared.loopFrames = std::max<std::int64_t>(0, std::min(audio::LoudestFrames, prepared.program.frames - prepared.from));
    }
    return prepared;
}

std::optional<audio::SoundError> playSound(const StreamRequest& request, const PreparedSound& prepared,
                                           const audio::SampleSink& sink)
{
    if (request.what == StreamWhat::Tone) {
        audio::renderTone(request.side.settings.tone, sink);
        return std::nullopt;
    }
    if (request.what == StreamWhat::CountDown) return std::nullopt;  // sounded ahead, as for a side
    if (request.what == StreamWhat::Side) {
        const auto rendered = audio::renderSide(request.side, prepared.program, prepared.from, sink);
        if (const auto* error = std::get_if<audio::SoundError>(&rendered)) return *error;
        return std::nullopt;
    }
    // The loudest 10 s, again and again until the reader stops.
    if (prepared.loopFrames <= 0) return std::nullopt;
    while (true) {
        std::int64_t left = prepared.loopFrames;
        const audio::SampleSink stretch = [&](const std::int16_t* samples, std::int64_t frames) {
            const std::int64_t take = std::min(frames, left);
            left -= take;
            return sink(samples, take) && left > 0;
        };
        const auto rendered = audio::renderSide(request.side, prepared.program, prepared.from, stretch);
        if (const auto* error = std::get_if<audio::SoundError>(&rendered)) return *error;
        if (left > 0) return std::nullopt;  // the reader went away
    }
}

std::string messageOf(const audio::SoundError& error)
{
    return "vantoli-plan: " + fill(_("%1： %2"), {shownText(error.what), error.cause}) + "\n";
}

}  // namespace vantoli::cli
