#include "support/synthetic_side.h"

#include <algorithm>
#include <cmath>

namespace vantoli::test {

namespace {
constexpr double NoteSeconds = 1.5;  // a note sounds this long at most
}

SyntheticSide::SyntheticSide(const SideProgram& layout, unsigned seed, int harmonics)
    : harmonics_(harmonics), frames_(layout.frames)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> step(0.08, 0.3), pitch(std::log(110.0), std::log(880.0)),
        loudness(0.06, 0.2), decay(0.15, 0.6);
    for (const Segment& segment : layout.segments) {
        if (segment.kind != SegmentKind::Track) continue;
        const double start = static_cast<double>(segment.start) / SampleRate;
        const double end = static_cast<double>(segment.start + segment.frames) / SampleRate;
        // Each track has a loudness of its own, with a quieter and a louder half.
        const double trackGain = std::uniform_real_distribution<double>(0.5, 1.0)(random);
        for (double at = start; at < end - 0.05; at += step(random)) {
            const double swell = at < (start + end) / 2 ? 0.6 : 1.0;
            notes_.push_back({at, end, std::exp(pitch(random)), loudness(random) * trackGain * swell, decay(random)});
        }
    }
}

float SyntheticSide::at(double seconds) const
{
    const auto first = std::lower_bound(notes_.begin(), notes_.end(), seconds - NoteSeconds,
                                        [](const Note& note, double t) { return note.start < t; });
    double sum = 0;
    for (auto note = first; note != notes_.end() && note->start <= seconds; ++note) {
        if (seconds >= note->end) continue;
        const double age = seconds - note->start;
        if (age >= NoteSeconds) continue;
        const double attack = std::min(1.0, age / 0.005);
        const double envelope = note->amplitude * attack * std::exp(-age / note->decay);
        double tone = 0;
        for (int h = 1; h <= harmonics_; ++h) tone += std::sin(2 * M_PI * h * note->hertz * age) / h;
        sum += envelope * tone;
    }
    return static_cast<float>(sum);
}

std::vector<float> SyntheticSide::frames() const
{
    std::vector<float> out(static_cast<std::size_t>(frames_));
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = at(static_cast<double>(i) / SampleRate);
    return out;
}

std::vector<float> recordingOf(const SyntheticSide& side, std::int64_t sideFrames, std::int64_t frames,
                               const std::function<double(double)>& programSecondsAt)
{
    const double sideSeconds = static_cast<double>(sideFrames) / SampleRate;
    std::vector<float> out(static_cast<std::size_t>(std::max<std::int64_t>(frames, 0)));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double seconds = programSecondsAt(static_cast<double>(i) / SampleRate);
        out[i] = seconds >= 0 && seconds < sideSeconds ? side.at(seconds) : 0.0f;
    }
    return out;
}

CheckSignal checkSignalOf(const std::vector<float>& mono)
{
    CheckSignal signal;
    signal.reserve(static_cast<std::int64_t>(mono.size()));
    std::vector<float> stereo(2 * 65536);
    for (std::size_t at = 0; at < mono.size(); at += 65536) {
        const std::size_t count = std::min<std::size_t>(65536, mono.size() - at);
        for (std::size_t i = 0; i < count; ++i) stereo[2 * i] = stereo[2 * i + 1] = mono[at + i];
        signal.add(stereo.data(), static_cast<std::int64_t>(count));
    }
    return signal;
}

}  // namespace vantoli::test
