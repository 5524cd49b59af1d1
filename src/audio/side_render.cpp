#include "audio/side_render.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <numbers>

#include <ebur128.h>

#include "core/language.h"

namespace vantoli::audio {

namespace {

constexpr std::int64_t Chunk = 4096;  // frames handed to the sink at a time

std::unique_ptr<SoundSource> openOrThrow(const AudioSource& audio)
{
    auto opened = openSound(audio);
    if (auto* error = std::get_if<SoundError>(&opened)) throw *error;
    return std::move(std::get<std::unique_ptr<SoundSource>>(opened));
}

// The album a track belongs to when loudness is matched by album: the folder of a file, the disc of a
// CD track.
std::string albumOf(const AudioSource& audio)
{
    if (audio.kind == AudioSource::Kind::File) return std::filesystem::path(audio.path).parent_path().string();
    return "cd:" + audio.path;
}

// Triangular dither of one step's width either side, from a small fast generator (xorshift).
class Dither {
public:
    float next() { return uniform() - uniform(); }

private:
    float uniform()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<float>(state_ >> 40) / static_cast<float>(1 << 24);
    }
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

std::int16_t clamped(float value) { return static_cast<std::int16_t>(std::clamp(std::lrint(value), -32768L, 32767L)); }

class Renderer {
public:
    explicit Renderer(const SampleSink& sink) : sink_(sink) {}

    bool silence(std::int64_t frames)
    {
        std::fill(out_, out_ + Chunk * Channels, std::int16_t{0});
        while (frames > 0) {
            const std::int64_t take = std::min(frames, Chunk);
            if (!sink_(out_, take)) return false;
            frames -= take;
        }
        return true;
    }

    // The tone from `phase` frames into it, for `frames` frames.
    bool tone(const CalibrationTone& tone, std::int64_t phase, std::int64_t frames)
    {
        const double amplitude = std::pow(10.0, std::clamp(tone.dbfs, -20.0, 0.0) / 20.0) * 32767.0;
        const double step = 2 * std::numbers::pi * tone.hertz / SampleRate;
        const std::int64_t period = SampleRate;  // a whole number of cycles in a second at 400 Hz and 1 kHz
        while (frames > 0) {
            const std::int64_t take = std::min(frames, Chunk);
            for (std::int64_t i = 0; i < take; ++i) {
                const auto value = static_cast<std::int16_t>(
                    std::lrint(amplitude * std::sin(step * static_cast<double>((phase + i) % period))));
                out_[i * 2] = out_[i * 2 + 1] = value;
            }
            if (!sink_(out_, take)) return false;
            phase += take;
            frames -= take;
        }
        return true;
    }

    // The track's frames `skip`.. of the segment; what the source lacks at the end is silence.
    bool track(const SideTrack& track, const Segment& segment, std::int64_t skip)
    {
        std::unique_ptr<SoundSource> sound = openOrThrow(track.audio);
        const float factor = static_cast<float>(std::pow(10.0, segment.gainDb / 20.0) * 32768.0);
        const bool dither = segment.gainDb != 0;
        // A raised track never goes past the ceiling, whatever the measurement said: the gain was chosen to
        // keep its true peak there, so for a measurement that holds nothing is touched.
        const float limit = segment.gainDb > 0 ? static_cast<float>(std::pow(10.0, TruePeakCeilingDbtp / 20.0) * 32768.0)
                                               : 32768.0f;
        std::int64_t at = 0;
        bool ended = false;
        while (at < segment.frames) {
            const std::int64_t take = std::min(Chunk, segment.frames - at);
            const std::int64_t got = ended ? 0 : sound->read(in_, take);
            if (got < take) {
                ended = true;
                if (segment.frames - (at + got) > LengthTolerance) throw shortError(track, at + got, segment);
                std::fill(in_ + got * Channels, in_ + take * Channels, 0.0f);
            }
            if (at + take > skip) {
                const std::int64_t first = std::max<std::int64_t>(0, skip - at);
                for (std::int64_t i = first * Channels; i < take * Channels; ++i)
                    out_[i] = clamped(std::clamp(in_[i] * factor, -limit, limit) + (dither ? dither_.next() : 0.0f));
                if (!sink_(out_ + first * Channels, take - first)) return false;
            }
            at += take;
        }
        // A source that runs on for more than the tolerance is not the track that was planned.
        if (!ended) {
            std::int64_t more = 0;
            while (more <= LengthTolerance) {
                const std::int64_t got = sound->read(in_, Chunk);
                if (got == 0) break;
                more += got;
            }
            if (more > LengthTolerance)
                throw SoundError{soundName(track.audio), _("長さが予定と違います（予定より長い）")};
        }
        return true;
    }

private:
    static SoundError shortError(const SideTrack& track, std::int64_t got, const Segment& segment)
    {
        return SoundError{soundName(track.audio),
                          fill(_("途中で終わっています（%1 秒／%2 秒）"),
                               {std::to_string(got / SampleRate), std::to_string(segment.frames / SampleRate)})};
    }

    const SampleSink& sink_;
    float in_[Chunk * Channels] = {};
    std::int16_t out_[Chunk * Channels] = {};
    Dither dither_;
};

}  // namespace

std::variant<SideProgram, SoundError> prepareSide(const SideRequest& request, LoudnessCache& cache)
{
    try {
        std::vector<std::int64_t> frames;
        std::vector<int> numbers;
        // Every measurement the side needs at once, so that the files are measured side by side: its
        // tracks, and for an album's gain the album's tracks elsewhere on the tape.
        std::vector<AudioSource> measuring;
        std::vector<AudioSource> elsewhere;
        if (request.settings.loudness != Loudness::Off) {
            for (const SideTrack& track : request.tracks) measuring.push_back(track.audio);
            if (request.settings.loudness == Loudness::Album)
                for (const AudioSource& audio : request.albumTracks) {
                    const bool onSide = std::any_of(request.tracks.begin(), request.tracks.end(),
                                                    [&](const SideTrack& track) { return track.audio == audio; });
                    const bool ofSideAlbum = std::any_of(request.tracks.begin(), request.tracks.end(),
                                                         [&](const SideTrack& track) {
                                                             return albumOf(track.audio) == albumOf(audio);
                                                         });
                    if (!onSide && ofSideAlbum) elsewhere.push_back(audio);
                }
            measuring.insert(measuring.end(), elsewhere.begin(), elsewhere.end());
        }
        const std::vector<TrackLoudness> measured = cache.measureAll(measuring);
        const std::vector<TrackLoudness> loudness(measured.begin(),
                                                  measured.begin() + static_cast<std::ptrdiff_t>(
                                                                         measuring.size() - elsewhere.size()));
        for (const SideTrack& track : request.tracks) {
            const std::int64_t length = openOrThrow(track.audio)->frames();
            if (track.plannedMilliseconds > 0 &&
                std::llabs(length - framesOfMilliseconds(track.plannedMilliseconds)) > LengthTolerance)
                return SoundError{soundName(track.audio), fill(_("長さが予定と違います（%1 秒、予定は %2 秒）"),
                                                               {std::to_string(length / SampleRate),
                                                                std::to_string(track.plannedMilliseconds / 1000)})};
            frames.push_back(length);
            numbers.push_back(track.number);
        }
        SideProgram program = sideProgram(frames, numbers, request.gap, request.settings);
        if (request.settings.loudness == Loudness::Off) return program;

        // One gain per track, or per album: the album's loudness from its tracks', held by its loudest peak.
        std::vector<double> gains(request.tracks.size());
        if (request.settings.loudness == Loudness::Track) {
            for (std::size_t i = 0; i < gains.size(); ++i)
                gains[i] = loudnessGainDb(loudness[i].integratedLufs, loudness[i].truePeakDbtp);
        } else {
            // Each album of the side measured as one gated measurement over all of its tracks on the
            // tape (and on this side, should the tape's list lack one), held by its loudest peak: the same
            // gain on whichever side a track lands. The side's own tracks are measured already.
            std::map<std::string, std::pair<BlockHistogram, double>> albums;
            const auto add = [&albums](const std::string& album, const TrackLoudness& measured) {
                auto& [blocks, peak] = albums.try_emplace(album, BlockHistogram{}, -INFINITY).first->second;
                addBlocks(blocks, measured.blocks);
                peak = std::max(peak, measured.truePeakDbtp);
            };
            for (std::size_t i = 0; i < gains.size(); ++i) add(albumOf(request.tracks[i].audio), loudness[i]);
            for (std::size_t i = 0; i < elsewhere.size(); ++i)
                add(albumOf(elsewhere[i]), measured[loudness.size() + i]);
            for (std::size_t i = 0; i < gains.size(); ++i) {
                const auto& [blocks, peak] = albums[albumOf(request.tracks[i].audio)];
                gains[i] = loudnessGainDb(gatedLoudness(blocks), peak);
            }
        }
        for (Segment& segment : program.segments) {
            if (segment.kind != SegmentKind::Track || segment.index < 0) continue;
            // A track already within 0.005 dB of its gain (shown as +0.00 dB) keeps its samples bit for bit.
            const double gain = gains[static_cast<std::size_t>(segment.index)];
            segment.gainDb = std::abs(gain) < 0.005 ? 0.0 : gain;
        }
        return program;
    } catch (const SoundError& error) {
        return error;
    }
}

namespace {

RenderEnd renderOrThrow(const SideRequest& request, const SideProgram& program, std::int64_t from,
                        const SampleSink& sink)
{
    Renderer renderer(sink);
    for (const Segment& segment : program.segments) {
        if (segment.frames <= 0 || segment.start + segment.frames <= from) continue;
        const std::int64_t skip = std::max<std::int64_t>(0, from - segment.start);
        bool going = true;
        switch (segment.kind) {
        case SegmentKind::Tone: going = renderer.tone(request.settings.tone, skip, segment.frames - skip); break;
        case SegmentKind::LeadIn:
        case SegmentKind::Gap: going = renderer.silence(segment.frames - skip); break;
        case SegmentKind::Track:
            going = renderer.track(request.tracks.at(static_cast<std::size_t>(segment.index)), segment, skip);
            break;
        }
        if (!going) return RenderEnd::Stopped;
    }
    return RenderEnd::Done;
}

}  // namespace

std::variant<RenderEnd, SoundError> renderSide(const SideRequest& request, const SideProgram& program,
                                               std::int64_t from, const SampleSink& sink)
{
    try {
        return renderOrThrow(request, program, from, sink);
    } catch (const SoundError& error) {
        return error;
    }
}

void renderTone(const CalibrationTone& tone, const SampleSink& sink)
{
    Renderer renderer(sink);
    for (std::int64_t phase = 0; renderer.tone(tone, phase, SampleRate); phase += SampleRate) {
    }
}

std::variant<std::int64_t, SoundError> loudestStart(const SideRequest& request, const SideProgram& program)
{
    std::int64_t from = 0;
    for (const Segment& segment : program.segments)
        if (segment.kind == SegmentKind::Tone) from = segment.start + segment.frames;
    constexpr std::int64_t Block = SampleRate * 4 / 10;
    ebur128_state* meter = ebur128_init(Channels, SampleRate, EBUR128_MODE_M);
    if (!meter) return SoundError{"", _("ラウドネスを測れません")};
    std::vector<double> blocks;
    std::int64_t inBlock = 0;
    const SampleSink measure = [&](const std::int16_t* samples, std::int64_t frames) {
        while (frames > 0) {
            const std::int64_t take = std::min(frames, Block - inBlock);
            ebur128_add_frames_short(meter, samples, static_cast<std::size_t>(take));
            samples += take * Channels;
            frames -= take;
            inBlock += take;
            if (inBlock == Block) {
                double lufs = -HUGE_VAL;
                ebur128_loudness_momentary(meter, &lufs);
                blocks.push_back(std::isfinite(lufs) ? lufs : -INFINITY);
                inBlock = 0;
            }
        }
        return true;
    };
    const auto rendered = renderSide(request, program, from, measure);
    ebur128_destroy(&meter);
    if (const auto* error = std::get_if<SoundError>(&rendered)) return *error;
    const std::int64_t start = from + static_cast<std::int64_t>(loudestStretch(blocks, LoudestFrames / Block)) * Block;
    return std::clamp<std::int64_t>(start, 0, std::max<std::int64_t>(0, program.frames - LoudestFrames));
}

}  // namespace vantoli::audio
