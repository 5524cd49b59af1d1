#include "cli/side_render_command.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "audio/side_file.h"
#include "audio/side_render.h"
#include "core/language.h"
#include "core/text_encoding.h"

namespace vantoli::cli {

namespace {

using Json = nlohmann::ordered_json;

volatile std::sig_atomic_t stopRequested = 0;
extern "C" void requestStop(int) { stopRequested = 1; }

// Catches SIGINT and SIGTERM while it lives, so that a cancel removes the partial files.
class StopSignals {
public:
    StopSignals()
    {
        stopRequested = 0;
        struct sigaction action {};
        action.sa_handler = requestStop;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &oldInt_);
        sigaction(SIGTERM, &action, &oldTerm_);
    }
    ~StopSignals()
    {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
    }

private:
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
};

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

std::string messageOf(const audio::SoundError& error)
{
    return "vantoli-plan: " + fill(_("%1： %2"), {shownText(error.what), error.cause}) + "\n";
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

struct PreparedSide {
    const char* name;  // "A面"
    const char* file;  // "side-a"
    audio::SideRequest request;
    SideProgram program;
};

}  // namespace

std::optional<audio::SideRequest> sideRequest(const PlannedTape& planned, Input input, const std::string& cdSource,
                                              bool sideB, const DubbingSettings& settings, std::string& problem)
{
    audio::SideRequest side;
    side.gap = planned.options.gap;
    side.settings = settings;
    for (int number : sideB ? planned.longDisc.plan.sideB : planned.longDisc.plan.sideA) {
        const std::size_t slot = static_cast<std::size_t>(number - 1);
        audio::SideTrack track{number, {}, 0};
        if (slot < planned.titles.tracks.size()) {
            track.audio = planned.titles.tracks[slot].audio;
            track.plannedMilliseconds = planned.titles.tracks[slot].milliseconds;
        }
        if (input == Input::Cd) track.audio = {AudioSource::Kind::CdTrack, cdSource, 0, -1, number};
        if (track.audio.kind == AudioSource::Kind::None) {
            problem = "vantoli-plan: " + fill(_("トラック %1 には音がありません。"), {std::to_string(number)}) + "\n";
            return std::nullopt;
        }
        side.tracks.push_back(track);
    }
    return side;
}

std::string soundMessage(const audio::SoundError& error) { return messageOf(error); }

void renderSides(const PlannedTape& planned, const PlanRequest& request, const std::string& cdSource,
                 CommandResult& result)
{
    const RenderRequest& render = *request.render;
    const TapePlan& plan = planned.longDisc.plan;
    const auto fail = [&](int status, const std::string& message) {
        result.exitStatus = status;
        result.err += message;
    };
    if (request.input == Input::Times)
        return fail(Failed,
                    std::string("vantoli-plan: ") +
                        _("入力したタイムには音がありません。--render には CD か音声ファイルを指定してください。") +
                        "\n");

    audio::LoudnessCache cache;
    std::vector<PreparedSide> sides{{_("A面"), "side-a", {}, {}}, {_("B面"), "side-b", {}, {}}};
    for (PreparedSide& side : sides) {
        std::string problem;
        const std::optional<audio::SideRequest> made = sideRequest(
            planned, request.input, cdSource, side.file != std::string("side-a"), render.settings, problem);
        if (!made) return fail(Failed, problem);
        side.request = *made;
        auto prepared = audio::prepareSide(side.request, cache);
        if (auto* error = std::get_if<audio::SoundError>(&prepared)) return fail(Failed, messageOf(*error));
        side.program = std::get<SideProgram>(prepared);
        if (exceedsSide(side.program, plan.sideCapacity))
            result.err +=
                "vantoli-plan: " + fill(_("%1はリードインを含めるとテープの片面に収まりません。"), {side.name}) + "\n";
    }
    cache.save();

    std::error_code error;
    const std::filesystem::path folder(render.folder);
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error))
        return fail(Failed,
                    "vantoli-plan: " + fill(_("フォルダー %1 を作れません。"), {shownText(render.folder)}) + "\n");

    // Both sides are written beside their names and named only when both are complete.
    const StopSignals signals;
    std::vector<std::unique_ptr<audio::SideFile>> files;
    std::vector<std::filesystem::path> paths;
    for (PreparedSide& side : sides) {
        const std::filesystem::path path = folder / (std::string(side.file) + (render.wav ? ".wav" : ".flac"));
        paths.push_back(path);
        auto file = std::make_unique<audio::SideFile>();
        if (const std::string problem =
                file->open(path, render.wav ? audio::FileFormat::Wav : audio::FileFormat::Flac, side.program.frames);
            !problem.empty())
            return fail(Failed, "vantoli-plan: " + unwritten(path, problem));
        Progress progress(side.name, side.program.frames);
        const audio::SampleSink sink = [&](const std::int16_t* samples, std::int64_t frames) {
            if (stopRequested) return false;
            progress.advance(frames);
            return file->write(samples, frames);
        };
        try {
            if (audio::renderSide(side.request, side.program, 0, sink) == audio::RenderEnd::Stopped) {
                if (stopRequested)
                    return fail(Cancelled,
                                "vantoli-plan: " +
                                    fill(_("中止しました。%1 は書き出していません。"), {shownText(path.string())}) +
                                    "\n");
                return fail(Failed, "vantoli-plan: " + unwritten(path, file->error()));
            }
        } catch (const audio::SoundError& sound) {
            return fail(Failed, messageOf(sound));
        }
        files.push_back(std::move(file));
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i]->commit()) {
            for (std::size_t j = 0; j < i; ++j) std::filesystem::remove(paths[j], error);
            return fail(Failed, "vantoli-plan: " + unwritten(paths[i], files[i]->error()));
        }
    }

    if (request.output == Output::Json) {
        Json json = Json::parse(result.out);
        Json programs = Json::object();
        for (std::size_t i = 0; i < sides.size(); ++i) {
            Json side = programJson(sides[i].program);
            side["file"] = validUtf8(paths[i].string());
            programs[i == 0 ? "A" : "B"] = side;
        }
        json["render"] = programs;
        result.out = json.dump(2) + "\n";
    } else {
        for (std::size_t i = 0; i < sides.size(); ++i)
            result.out +=
                "\n" + programText(fill(_("＜%1のプログラム＞ %2"), {sides[i].name, shownText(paths[i].string())}),
                                   sides[i].program);
    }
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

// The request's mistake, for a message and exit status 2.
struct BadRequest {
    std::string text;
};

struct StreamRequest {
    audio::SideRequest side;
    std::string what = "side";
    std::int64_t startFrame = 0;
};

template <typename T>
T member(const Json& json, const char* key, T fallback)
{
    if (!json.contains(key)) return fallback;
    try {
        return json.at(key).get<T>();
    } catch (const Json::exception&) {
        throw BadRequest{fill(_("「%1」の値が違います"), {key})};
    }
}

StreamRequest readRequest(const Json& json)
{
    if (!json.is_object()) throw BadRequest{_("要求が JSON のオブジェクトではありません")};
    StreamRequest request;
    request.side.gap = member(json, "gap", true);
    DubbingSettings& settings = request.side.settings;
    settings.leadInSeconds = member(json, "leadInSeconds", 2.0);
    if (settings.leadInSeconds < 0 || settings.leadInSeconds > MaxLeadInSeconds)
        throw BadRequest{_("「leadInSeconds」は 0 から 30 までです")};
    if (json.contains("tone")) {
        const Json& tone = json.at("tone");
        if (!tone.is_object()) throw BadRequest{_("「tone」の値が違います")};
        settings.tone.seconds = member(tone, "seconds", 0.0);
        settings.tone.hertz = member(tone, "hertz", 1000);
        settings.tone.dbfs = member(tone, "dbfs", -12.0);
        if (settings.tone.seconds < 0 || (settings.tone.hertz != 400 && settings.tone.hertz != 1000) ||
            settings.tone.dbfs < -20 || settings.tone.dbfs > 0)
            throw BadRequest{_("「tone」の値が違います（400 か 1000 Hz、-20 から 0 dBFS）")};
    }
    const std::string loudness = member<std::string>(json, "loudness", "off");
    if (loudness == "off")
        settings.loudness = Loudness::Off;
    else if (loudness == "track")
        settings.loudness = Loudness::Track;
    else if (loudness == "album")
        settings.loudness = Loudness::Album;
    else
        throw BadRequest{_("「loudness」は off、track、album のどれかです")};
    request.what = member<std::string>(json, "what", "side");
    if (request.what != "side" && request.what != "tone" && request.what != "loudest")
        throw BadRequest{_("「what」は side、tone、loudest のどれかです")};
    request.startFrame = member<std::int64_t>(json, "startFrame", 0);
    if (request.startFrame < 0) throw BadRequest{_("「startFrame」が負です")};
    if (!json.contains("tracks") || !json.at("tracks").is_array()) throw BadRequest{_("「tracks」がありません")};
    for (const Json& item : json.at("tracks")) {
        if (!item.is_object()) throw BadRequest{_("「tracks」の要素がオブジェクトではありません")};
        audio::SideTrack track;
        track.number = member(item, "number", 0);
        track.plannedMilliseconds = member<std::int64_t>(item, "milliseconds", 0);
        const std::string kind = member<std::string>(item, "kind", "file");
        track.audio.path = member<std::string>(item, "path", "");
        if (kind == "file") {
            track.audio.kind = AudioSource::Kind::File;
            track.audio.startFrame = member<std::int64_t>(item, "startFrame", 0);
            track.audio.endFrame = member<std::int64_t>(item, "endFrame", -1);
            if (track.audio.path.empty()) throw BadRequest{_("ファイルのトラックに「path」がありません")};
            if (track.audio.startFrame < 0 ||
                (track.audio.endFrame >= 0 && track.audio.endFrame <= track.audio.startFrame))
                throw BadRequest{_("「startFrame」と「endFrame」の値が違います")};
        } else if (kind == "cd") {
            track.audio.kind = AudioSource::Kind::CdTrack;
            track.audio.cdTrack = member(item, "cdTrack", 0);
            if (track.audio.cdTrack < 1 || track.audio.cdTrack > 99)
                throw BadRequest{_("「cdTrack」は 1 から 99 までです")};
        } else {
            throw BadRequest{_("「kind」は file か cd です")};
        }
        request.side.tracks.push_back(track);
    }
    if (request.what != "tone" && request.side.tracks.empty()) throw BadRequest{_("「tracks」が空です")};
    return request;
}

}  // namespace

CommandResult streamSide(std::FILE* in, int out)
{
    CommandResult result;
    // A reader that closes the pipe gives EPIPE on the next write instead of killing the process.
    std::signal(SIGPIPE, SIG_IGN);
    std::string text;
    char buffer[65536];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, in)) text.append(buffer, got);

    StreamRequest request;
    try {
        request = readRequest(Json::parse(text));
    } catch (const Json::exception&) {
        result.exitStatus = Failed;
        result.err = std::string("vantoli-plan: ") + _("--stream の要求を JSON として読めません。") + "\n";
        return result;
    } catch (const BadRequest& bad) {
        result.exitStatus = Failed;
        result.err = "vantoli-plan: " + fill(_("--stream の要求： %1。"), {bad.text}) + "\n";
        return result;
    }

    const audio::SampleSink sink = [out](const std::int16_t* samples, std::int64_t frames) {
        return writeAll(out, samples, static_cast<std::size_t>(frames) * 2 * sizeof(std::int16_t));
    };
    try {
        if (request.what == "tone") {
            CalibrationTone tone = request.side.settings.tone;
            audio::renderTone(tone, sink);
            return result;
        }
        audio::LoudnessCache cache;
        auto prepared = audio::prepareSide(request.side, cache);
        cache.save();
        if (auto* error = std::get_if<audio::SoundError>(&prepared)) {
            result.exitStatus = SourceFailed;
            result.err = messageOf(*error);
            return result;
        }
        const SideProgram& program = std::get<SideProgram>(prepared);
        if (request.what == "side") {
            audio::renderSide(request.side, program, request.startFrame, sink);
            return result;
        }
        // The loudest 10 s, again and again until the reader stops.
        const std::int64_t start = audio::loudestStart(request.side, program);
        const std::int64_t length = std::min(audio::LoudestFrames, program.frames - start);
        if (length <= 0) return result;
        while (true) {
            std::int64_t left = length;
            const audio::SampleSink stretch = [&](const std::int16_t* samples, std::int64_t frames) {
                const std::int64_t take = std::min(frames, left);
                left -= take;
                return sink(samples, take) && left > 0;
            };
            audio::renderSide(request.side, program, start, stretch);
            if (left > 0) return result;  // the reader went away
        }
    } catch (const audio::SoundError& error) {
        result.exitStatus = SourceFailed;
        result.err = messageOf(error);
    }
    return result;
}

}  // namespace vantoli::cli
