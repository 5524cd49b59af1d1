#include "cli/sound_commands.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>
#include <poll.h>
#include <unistd.h>

#include "audio/side_file.h"
#include "audio/sound_server.h"
#include "cli/side_render_command.h"
#include "cli/stop_signals.h"
#include "core/language.h"
#include "core/sound_report.h"
#include "core/text_encoding.h"

namespace vantoli::cli {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto Tick = std::chrono::milliseconds(40);  // 25 reports a second
constexpr std::int64_t LevelSpan = SampleRate * 40 / 1000;

// Lines from a file descriptor, read as they come without ever waiting longer than asked.
class LineReader {
public:
    explicit LineReader(int fd) : fd_(fd) {}

    // The next whole line (without its end), waiting up to `wait` for it; nothing when none came.
    std::optional<std::string> next(std::chrono::milliseconds wait)
    {
        const auto until = Clock::now() + wait;
        while (true) {
            if (const std::size_t end = buffer_.find('\n'); end != std::string::npos) {
                std::string line = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                return line;
            }
            if (fd_ < 0) {
                std::this_thread::sleep_until(until);
                return std::nullopt;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
            pollfd watched{fd_, POLLIN, 0};
            const int ready = ::poll(&watched, 1, static_cast<int>(std::max<long long>(0, left)));
            if (ready < 0 && errno == EINTR) {
                if (StopSignals::stopRequested()) return std::nullopt;
                continue;
            }
            if (ready <= 0) return std::nullopt;
            char block[4096];
            const ssize_t got = ::read(fd_, block, sizeof block);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) {
                fd_ = -1;  // the end of the commands: go on without them
                ended_ = true;
                if (!buffer_.empty()) buffer_ += '\n';
                continue;
            }
            buffer_.append(block, static_cast<std::size_t>(got));
        }
    }

    // Whether the commands have ended (their writer closed its end).
    bool ended() const { return ended_ && buffer_.empty(); }

private:
    int fd_;
    std::string buffer_;
    bool ended_ = false;
};

// Writes a report line; false when the reader has gone.
bool report(int out, const SoundReport& line)
{
    const std::string text = soundReportLine(line) + "\n";
    const char* at = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(out, at, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        at += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// The progress line on a terminal: what sounds now, the time gone and left.
class ProgressLine {
public:
    explicit ProgressLine(bool shown) : shown_(shown) {}
    ~ProgressLine() { clear(); }
    void show(const std::string& text)
    {
        if (!shown_ || text == last_) return;
        last_ = text;
        std::fprintf(stderr, "\r\033[K%s", text.c_str());
        std::fflush(stderr);
    }
    void clear()
    {
        if (!shown_ || last_.empty()) return;
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
        last_.clear();
    }

private:
    bool shown_;
    std::string last_;
};

std::string progressText(const SoundReport& cue, std::int64_t frame, const SideProgram& program, TapeSide side,
                         bool paused)
{
    std::string now;
    switch (cue.cue) {
    case SoundCue::CountDown: now = fill(_("カウントダウン %1"), {std::to_string(cue.seconds)}); break;
    case SoundCue::Tone: now = _("トーン"); break;
    case SoundCue::LeadIn: now = _("リードイン"); break;
    case SoundCue::Gap: now = _("ブランク"); break;
    case SoundCue::Track: now = fill(_("トラック %1"), {std::to_string(cue.track)}); break;
    case SoundCue::End: now = _("終わり"); break;
    }
    const std::int64_t at = std::clamp<std::int64_t>(frame, 0, program.frames);
    std::string text = fill(_("%1  %2  経過 %3 ／ 残り %4"), {side == TapeSide::A ? _("A面") : _("B面"), now,
                                                               clockText(at), clockText(program.frames - at)});
    if (paused) text += "  " + std::string(_("（一時停止中）"));
    return text;
}

}  // namespace

namespace {

CommandResult playWith(const StreamRequest& request, const PlayRequest& play, LineReader& commands, int out)
{
    CommandResult result;
    std::signal(SIGPIPE, SIG_IGN);
    const auto failWith = [&](const audio::SoundError& error) {
        result.exitStatus = SoundFailed;
        result.err += messageOf(error);
        if (play.json)
            report(out, SoundReport{SoundEvent::Error, 0, {}, SoundCue::End, 0, 0,
                                    fill(_("%1： %2"), {shownText(error.what), error.cause})});
        return result;
    };

    auto prepared = prepareSound(request);
    if (const auto* error = std::get_if<audio::SoundError>(&prepared)) return failWith(*error);
    const PreparedSound& sound = std::get<PreparedSound>(prepared);
    const std::int64_t countDown = framesOfSeconds(request.countDownSeconds);

    audio::Playback playback;
    if (auto error = playback.open(play.device, "Vantoli")) return failWith(*error);
    const StopSignals signals;

    // The count-down and the sound, made on a thread of their own as fast as the buffer takes them.
    std::mutex failedMutex;
    std::optional<audio::SoundError> sourceFailed;
    std::thread producer([&] {
        const std::vector<std::int16_t> ahead = countDownSound(countDown, request.beep);
        if (!ahead.empty() && !playback.write(ahead.data(), countDown)) return;
        const audio::SampleSink sink = [&](const std::int16_t* samples, std::int64_t frames) {
            return playback.write(samples, frames);
        };
        if (auto error = playSound(request, sound, sink)) {
            const std::lock_guard lock(failedMutex);
            sourceFailed = error;
            return;
        }
        playback.finish();
    });
    const auto failure = [&]() -> std::optional<audio::SoundError> {
        if (auto error = playback.failure()) return error;
        const std::lock_guard lock(failedMutex);
        return sourceFailed;
    };

    const bool side = request.what == StreamWhat::Side;
    ProgressLine progress(!play.json && isatty(2) == 1);
    std::optional<SoundReport> lastCue;
    bool going = true;
    auto next = Clock::now();
    const auto frameNow = [&] {
        const std::int64_t played = playback.playedFrames() - countDown;
        return side ? played + sound.from : played;
    };
    // Reports go out from this thread; a reader that does not read holds it here, never the sound.
    const auto send = [&](const SoundReport& line) {
        if (play.json && !report(out, line)) going = false;  // the front end went away: stop
    };
    while (going) {
        // Commands until the next report is due.
        next += Tick;
        while (const auto command = commands.next(std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::max(Clock::duration::zero(), next - Clock::now())))) {
            if (*command == "stop") going = false;
            if ((*command == "pause" || *command == "resume") && playback.paused() != (*command == "pause")) {
                const bool pausing = *command == "pause";
                playback.setPaused(pausing);
                send(SoundReport{pausing ? SoundEvent::Paused : SoundEvent::Resumed, frameNow(), {}, SoundCue::End, 0,
                                 0, {}});
            }
            if (!going) break;
        }
        if (!going) break;
        // A front end that closes the commands has gone (ended or crashed): nobody is dubbing any more.
        if (play.requestOnInput && commands.ended()) break;
        if (StopSignals::stopRequested()) {
            result.exitStatus = Cancelled;
            break;
        }
        if (auto error = failure()) {
            progress.clear();
            playback.stop();
            producer.join();
            return failWith(*error);
        }
        const bool drained = playback.drained();
        const std::int64_t played = playback.playedFrames();
        std::int64_t frame = frameNow();
        if (drained && side) frame = std::max(frame, sound.program.frames);
        SoundReport cue;
        if (side)
            cue = cueAt(sound.program, frame);
        else if (frame < 0)
            cue = cueAt({}, frame);
        else
            cue = SoundReport{SoundEvent::Cue, frame, {}, SoundCue::Tone, 0, 0, {}};
        // The end sounds once everything has played: until then the side's last frames are still in the
        // server's hands.
        if (cue.cue == SoundCue::End && !drained && lastCue) cue = *lastCue;
        if (!lastCue || !sameCue(*lastCue, cue)) {
            cue.frame = frame;
            send(cue);
        }
        lastCue = cue;
        send(SoundReport{SoundEvent::Level, frame, playback.levelBefore(played, LevelSpan), SoundCue::End, 0, 0, {}});
        if (side) progress.show(progressText(cue, frame, sound.program, play.side, playback.paused()));
        if (drained) break;
    }
    progress.clear();
    playback.stop();
    producer.join();
    if (result.exitStatus == Cancelled) result.err += std::string("vantoli-plan: ") + _("再生を中止しました。") + "\n";
    return result;
}

}  // namespace

CommandResult playSide(const StreamRequest& request, const PlayRequest& play, int in, int out)
{
    LineReader commands(in);
    return playWith(request, play, commands, out);
}

CommandResult playRequestedSide(const PlayRequest& play, int in, int out)
{
    CommandResult result;
    LineReader lines(in);
    // The request comes first, at once; a minute without it is a front end that has hung.
    std::optional<std::string> text;
    for (int waited = 0; !text && waited < 600 && !StopSignals::stopRequested(); ++waited)
        text = lines.next(std::chrono::milliseconds(100));
    if (!text) {
        result.exitStatus = Failed;
        result.err = std::string("vantoli-plan: ") + _("--play --request=- の要求が標準入力にありません。") + "\n";
        return result;
    }
    auto parsed = parseStreamRequest(*text);
    if (const auto* bad = std::get_if<RequestError>(&parsed)) {
        result.exitStatus = Failed;
        result.err = "vantoli-plan: " + fill(_("--play の要求： %1。"), {bad->text}) + "\n";
        return result;
    }
    return playWith(std::get<StreamRequest>(parsed), play, lines, out);
}

CommandResult recordInput(const RecordRequest& record, int in, int out)
{
    CommandResult result;
    std::signal(SIGPIPE, SIG_IGN);
    const auto failWith = [&](const std::string& what, const std::string& cause) {
        result.exitStatus = SoundFailed;
        result.err += "vantoli-plan: " + fill(_("%1： %2"), {shownText(what), cause}) + "\n";
        if (record.json)
            report(out, SoundReport{SoundEvent::Error, 0, {}, SoundCue::End, 0, 0,
                                    fill(_("%1： %2"), {shownText(what), cause})});
        return result;
    };

    audio::SideFile file;
    if (const std::string problem = file.open(record.file, audio::FileFormat::Wav, 0); !problem.empty())
        return failWith(record.file, problem);
    const std::int64_t limit = record.seconds > 0 ? framesOfSeconds(record.seconds) : -1;

    std::mutex mutex;
    audio::LevelHistory levels;
    std::string writeFailed;
    bool complete = false;
    audio::Recording recording;
    const auto take = [&](const std::int16_t* samples, std::int64_t frames) {
        const std::lock_guard lock(mutex);
        if (complete || !writeFailed.empty()) return;
        if (limit >= 0) frames = std::min(frames, limit - levels.frames());
        if (frames > 0 && !file.write(samples, frames)) writeFailed = file.error();
        levels.add(samples, frames);
        if (limit >= 0 && levels.frames() >= limit) complete = true;
    };
    if (auto error = recording.open(record.device, "Vantoli", take)) {
        file.discard();
        return failWith(error->what, error->cause);
    }
    const StopSignals signals;
    ProgressLine progress(!record.json && isatty(2) == 1);
    LineReader commands(in);
    auto next = Clock::now();
    while (true) {
        next += Tick;
        bool stop = false;
        while (const auto command = commands.next(std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::max(Clock::duration::zero(), next - Clock::now()))))
            if (*command == "stop") stop = true;
        if (StopSignals::stopRequested()) stop = true;  // Ctrl+C ends the recording, which is kept
        if (auto error = recording.failure()) {
            recording.stop();
            file.discard();
            return failWith(error->what, error->cause);
        }
        std::int64_t frames = 0;
        StereoLevel level;
        {
            const std::lock_guard lock(mutex);
            if (!writeFailed.empty()) {
                const std::string cause = writeFailed;
                recording.stop();
                file.discard();
                return failWith(record.file, cause);
            }
            frames = levels.frames();
            level = levels.before(frames, LevelSpan);
            stop = stop || complete;
        }
        if (record.json && !report(out, SoundReport{SoundEvent::Level, frames, level, SoundCue::End, 0, 0, {}}))
            stop = true;
        progress.show(fill(_("録音中 %1"), {clockText(frames)}));
        if (stop) break;
    }
    recording.stop();
    progress.clear();
    std::int64_t frames = 0;
    {
        const std::lock_guard lock(mutex);
        frames = levels.frames();
    }
    if (!file.commit()) return failWith(record.file, file.error());
    if (record.json) report(out, SoundReport{SoundEvent::Cue, frames, {}, SoundCue::End, 0, 0, {}});
    return result;
}

CommandResult listDevices()
{
    CommandResult result;
    auto devices = audio::listSoundDevices();
    if (const auto* error = std::get_if<audio::SoundError>(&devices)) {
        result.exitStatus = SoundFailed;
        result.err = messageOf(*error);
        return result;
    }
    result.out = soundDevicesJson(std::get<SoundDevices>(devices)) + "\n";
    return result;
}

}  // namespace vantoli::cli
