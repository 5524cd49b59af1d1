#include "core/dubbing_cues.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/language.h"
#include "core/time_text.h"

namespace vantoli {

namespace {

const std::vector<int>& sideNumbers(const MadePlan& made, TapeSide side)
{
    return side == TapeSide::A ? made.plan.sideA : made.plan.sideB;
}

const Track* trackOf(const MadePlan& made, int number)
{
    if (number < 1 || static_cast<std::size_t>(number) > made.titles.tracks.size()) return nullptr;
    return &made.titles.tracks[static_cast<std::size_t>(number) - 1];
}

std::int64_t trackFrames(const MadePlan& made, int number)
{
    if (const Track* track = trackOf(made, number)) {
        const AudioSource& audio = track->audio;
        if (audio.kind == AudioSource::Kind::File && audio.endFrame >= audio.startFrame)
            return (audio.endFrame - audio.startFrame) * SamplesPerCdFrame;
        if (track->milliseconds > 0) return framesOfMilliseconds(track->milliseconds);
    }
    if (number < 1 || static_cast<std::size_t>(number) > made.trackSeconds.size()) return 0;
    return std::int64_t{std::max(0, made.trackSeconds[static_cast<std::size_t>(number) - 1])} * SampleRate;
}

// Whole seconds still to go until `frame` from `at`, counted up: 4.2 s to go shows 5.
std::int64_t secondsUntil(std::int64_t frame, std::int64_t at) { return (frame - at + SampleRate - 1) / SampleRate; }

}  // namespace

SideTracks sideTracks(const MadePlan& made, TapeSide side)
{
    SideTracks tracks;
    for (const int number : sideNumbers(made, side)) {
        tracks.numbers.push_back(number);
        tracks.frames.push_back(trackFrames(made, number));
    }
    return tracks;
}

SideProgram dubbingProgram(const MadePlan& made, TapeSide side, double leadInSeconds)
{
    const SideTracks tracks = sideTracks(made, side);
    DubbingSettings settings;
    settings.leadInSeconds = leadInSeconds;
    return sideProgram(tracks.frames, tracks.numbers, made.gap > 0, settings);
}

bool sideHasAudio(const MadePlan& made, TapeSide side)
{
    const std::vector<int>& numbers = sideNumbers(made, side);
    return !numbers.empty() && std::all_of(numbers.begin(), numbers.end(), [&](int number) {
        const Track* track = trackOf(made, number);
        return track && track->playsAudio();
    });
}

bool sideHasTracks(const MadePlan& made, TapeSide side) { return !sideNumbers(made, side).empty(); }

namespace {

// The first seconds of a timed track still say to start it, for a user who looked away at the count.
constexpr std::int64_t StartNowFrames = 2 * SampleRate;

// Track 3 「Title」, or track 3 when the source names no title.
std::string trackName(const MadePlan& made, int number)
{
    const Track* track = trackOf(made, number);
    if (!track || track->title.empty()) return fill(_("トラック %1"), {std::to_string(number)});
    return fill(_("トラック %1「%2」"), {std::to_string(number), track->title});
}

std::string endCue(const MadePlan& made, TapeSide side)
{
    return side == TapeSide::A && sideHasTracks(made, TapeSide::B) ? _("テープを裏返して…") : _("ダビング終了");
}

}  // namespace

std::string dubbingCue(const MadePlan& made, const SideProgram& program, std::int64_t frame, TapeSide side,
                       CueMode mode)
{
    const bool timer = mode == CueMode::Timer;
    const std::optional<Segment> now = segmentAt(program, std::max<std::int64_t>(0, frame));
    if (!now) return endCue(made, side);
    const auto nextTrack = std::find_if(program.segments.begin(), program.segments.end(), [&](const Segment& s) {
        return s.kind == SegmentKind::Track && s.start >= now->start + now->frames;
    });
    if (now->kind == SegmentKind::Track) {
        const std::string name = trackName(made, now->track);
        if (!timer) return fill(_("%1を再生中"), {name});
        if (frame - now->start < StartNowFrames) return fill(_("CD プレーヤーで%1を今すぐ再生"), {name});
        const std::string left = clockText(now->start + now->frames - frame + SampleRate - 1);
        if (nextTrack == program.segments.end())
            return fill(_("%1が終わったら CD プレーヤーを止める（あと %2）"), {name, left});
        if (nextTrack->start == now->start + now->frames)
            return fill(_("%1が終わったらすぐ%2を再生（あと %3）"), {name, trackName(made, nextTrack->track), left});
        return fill(_("%1が終わったら CD プレーヤーを一時停止（あと %2）"), {name, left});
    }
    // Lead-in, gap or tone: count down to the next track.
    if (nextTrack == program.segments.end()) return endCue(made, side);
    const std::string name = trackName(made, nextTrack->track);
    const std::string seconds = std::to_string(secondsUntil(nextTrack->start, frame));
    if (timer)
        return fill(now->kind == SegmentKind::Gap ? _("CD プレーヤーで%1を %2 秒後に再生")
                                                  : _("録音開始 — CD プレーヤーで%1を %2 秒後に再生"),
                    {name, seconds});
    return fill(now->kind == SegmentKind::Gap ? _("ブランク — %1まで %2 秒") : _("録音開始 — %1まで %2 秒"),
                {name, seconds});
}

std::vector<std::int16_t> countDownSound(int seconds, bool beep)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(std::max(0, seconds)) * SampleRate * 2, 0);
    if (!beep) return samples;
    constexpr std::int64_t BeepFrames = SampleRate / 10;
    constexpr double Fade = SampleRate / 200;
    for (std::int64_t s = 0; s < seconds; ++s)
        for (std::int64_t f = 0; f < BeepFrames; ++f) {
            const double ramp = static_cast<double>(f);
            const double envelope = std::min({1.0, ramp / Fade, static_cast<double>(BeepFrames - f) / Fade});
            const auto v = static_cast<std::int16_t>(
                std::lround(0.25 * 32767 * envelope * std::sin(2 * std::numbers::pi * 880 * ramp / SampleRate)));
            const auto at = static_cast<std::size_t>(s * SampleRate + f) * 2;
            samples[at] = samples[at + 1] = v;
        }
    return samples;
}

std::string clockText(std::int64_t frames)
{
    if (frames < 0) return "-";
    return minutesSecondsText(frames / SampleRate);
}

StereoLevel stereoLevel(const std::int16_t* interleaved, std::size_t frames)
{
    double peak[2] = {0, 0};
    double squares[2] = {0, 0};
    for (std::size_t f = 0; f < frames; ++f)
        for (int c = 0; c < 2; ++c) {
            const double v = interleaved[2 * f + static_cast<std::size_t>(c)] / 32768.0;
            peak[c] = std::max(peak[c], std::abs(v));
            squares[c] += v * v;
        }
    const auto db = [](double amplitude) {
        return amplitude > 0 ? std::max(MinLevelDb, 20 * std::log10(amplitude)) : MinLevelDb;
    };
    StereoLevel level;
    ChannelLevel* channels[2] = {&level.left, &level.right};
    for (int c = 0; c < 2; ++c) {
        channels[c]->peakDb = db(peak[c]);
        channels[c]->rmsDb = frames ? db(std::sqrt(squares[c] / static_cast<double>(frames))) : MinLevelDb;
    }
    return level;
}

double PeakHold::update(double peakDb, std::int64_t ms)
{
    const std::int64_t since = ms - heldAt_;
    const double fallen = since <= HoldMs ? held_ : held_ - 20.0 * static_cast<double>(since - HoldMs) / 1000.0;
    if (peakDb >= fallen) {
        held_ = peakDb;
        heldAt_ = ms;
        return held_;
    }
    return std::max(MinLevelDb, fallen);
}

std::vector<std::int16_t> countDownSound(std::int64_t frames, bool beep)
{
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(std::max<std::int64_t>(0, frames)) * PcmChannels, 0);
    if (!beep) return pcm;
    constexpr std::int64_t BeepFrames = SampleRate / 10;
    constexpr std::int64_t Fade = SampleRate / 200;
    for (std::int64_t start = frames - SampleRate; start >= 0; start -= SampleRate)
        for (std::int64_t f = 0; f < BeepFrames && start + f < frames; ++f) {
            const double envelope = std::min({1.0, static_cast<double>(f) / Fade, static_cast<double>(BeepFrames - f) / Fade});
            const auto v = static_cast<std::int16_t>(
                std::lround(0.25 * 32767 * envelope * std::sin(2 * std::numbers::pi * 880 * static_cast<double>(f) / SampleRate)));
            const auto at = static_cast<std::size_t>(start + f) * PcmChannels;
            pcm[at] = pcm[at + 1] = v;
        }
    return pcm;
}

Message noPlanForDubbingMessage()
{
    return Message{_("ダビング"),
                   _("まだ構成案がありません。\r"
                     "トラックのタイムを入力して［実行］を押し、構成案を作ってから選んでください。"),
                   MessageIcon::Information};
}

Message dubbingFailedMessage(const std::string& detail)
{
    return Message{_("ダビング"), _("音を再生できませんでした。\r") + detail, MessageIcon::Exclamation};
}

}  // namespace vantoli
