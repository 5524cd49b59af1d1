#include "core/side_program.h"

#include <algorithm>
#include <cmath>

namespace vantoli {

namespace {

double powerOf(double lufs) { return std::isfinite(lufs) ? std::pow(10.0, lufs / 10.0) : 0.0; }

void append(SideProgram& program, Segment segment) {
    if (segment.frames <= 0) return;
    segment.start = program.frames;
    program.frames += segment.frames;
    program.segments.push_back(segment);
}

}  // namespace

const char* loudnessName(Loudness loudness)
{
    switch (loudness) {
    case Loudness::Off: return "off";
    case Loudness::Track: return "track";
    case Loudness::Album: return "album";
    }
    return "off";
}

std::optional<Loudness> loudnessOfName(std::string_view name)
{
    for (const Loudness loudness : {Loudness::Off, Loudness::Track, Loudness::Album})
        if (name == loudnessName(loudness)) return loudness;
    return std::nullopt;
}

SideProgram sideProgram(const std::vector<std::int64_t>& trackFrames, const std::vector<int>& trackNumbers, bool gap,
                        const DubbingSettings& settings) {
    SideProgram program;
    append(program, {.kind = SegmentKind::Tone, .frames = framesOfSeconds(std::max(0.0, settings.tone.seconds))});
    const double leadIn = std::clamp(settings.leadInSeconds, 0.0, MaxLeadInSeconds);
    append(program, {.kind = SegmentKind::LeadIn, .frames = framesOfSeconds(leadIn)});
    const std::size_t count = std::min(trackFrames.size(), trackNumbers.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && gap) append(program, {.kind = SegmentKind::Gap, .frames = GapSeconds * SampleRate});
        // A track of no length still holds its place, so that its number shows while its neighbours play.
        const Segment track{.kind = SegmentKind::Track,
                            .frames = std::max<std::int64_t>(0, trackFrames[i]),
                            .track = trackNumbers[i],
                            .index = static_cast<int>(i)};
        if (track.frames == 0) {
            Segment empty = track;
            empty.start = program.frames;
            program.segments.push_back(empty);
        } else {
            append(program, track);
        }
    }
    return program;
}

std::optional<Segment> segmentAt(const SideProgram& program, std::int64_t frame) {
    if (frame < 0) return std::nullopt;
    const auto after = std::upper_bound(program.segments.begin(), program.segments.end(), frame,
                                        [](std::int64_t f, const Segment& s) { return f < s.start + s.frames; });
    if (after == program.segments.end()) return std::nullopt;
    return *after;
}

bool exceedsSide(const SideProgram& program, int sideCapacitySeconds) {
    std::int64_t onTape = program.frames;
    for (const Segment& segment : program.segments)
        if (segment.kind == SegmentKind::Tone) onTape -= segment.frames;
    return onTape > static_cast<std::int64_t>(sideCapacitySeconds) * SampleRate;
}

double loudnessGainDb(double integratedLufs, double truePeakDbtp)
{
    if (!std::isfinite(integratedLufs)) return 0;
    double gain = LoudnessTargetLufs - integratedLufs;
    if (std::isfinite(truePeakDbtp)) gain = std::min(gain, TruePeakCeilingDbtp - truePeakDbtp);
    return gain;
}

namespace {

constexpr double AbsoluteGateLufs = -70.0;
// The power of bin i's middle: the blocks of a bin count as if they all sat there.
double binPower(int bin) { return powerOf(AbsoluteGateLufs + (bin + 0.5) / 100.0); }

}  // namespace

void addBlock(BlockHistogram& histogram, double lufs)
{
    if (!std::isfinite(lufs) || lufs < AbsoluteGateLufs) return;
    ++histogram[std::min(BlockBins - 1, static_cast<int>((lufs - AbsoluteGateLufs) * 100.0))];
}

void addBlocks(BlockHistogram& into, const BlockHistogram& more)
{
    for (const auto& [bin, count] : more) into[bin] += count;
}

double gatedLoudness(const BlockHistogram& histogram)
{
    const auto meanAbove = [&](int lowest) {
        double power = 0;
        std::int64_t blocks = 0;
        for (auto it = histogram.lower_bound(lowest); it != histogram.end(); ++it) {
            power += binPower(it->first) * static_cast<double>(it->second);
            blocks += it->second;
        }
        return blocks > 0 ? 10.0 * std::log10(power / static_cast<double>(blocks)) : -INFINITY;
    };
    const double ungated = meanAbove(0);
    if (!std::isfinite(ungated)) return -INFINITY;
    const double relativeGate = ungated - 10.0;
    // The first bin whose blocks reach the relative gate (a bin counts from its middle).
    const int lowest = std::max(0, static_cast<int>(std::ceil((relativeGate - AbsoluteGateLufs) * 100.0 - 0.5)));
    return meanAbove(lowest);
}

std::size_t loudestStretch(const std::vector<double>& blockLufs, std::size_t stretchBlocks)
{
    if (stretchBlocks == 0 || blockLufs.size() <= stretchBlocks) return 0;
    // A running sum of power over the stretch; recomputed now and then so that rounding cannot drift.
    double sum = 0;
    for (std::size_t i = 0; i < stretchBlocks; ++i) sum += powerOf(blockLufs[i]);
    double best = sum;
    std::size_t bestStart = 0;
    for (std::size_t start = 1; start + stretchBlocks <= blockLufs.size(); ++start) {
        sum += powerOf(blockLufs[start + stretchBlocks - 1]) - powerOf(blockLufs[start - 1]);
        if (start % 1024 == 0) {
            sum = 0;
            for (std::size_t i = start; i < start + stretchBlocks; ++i) sum += powerOf(blockLufs[i]);
        }
        if (sum > best * (1 + 1e-12)) {
            best = sum;
            bestStart = start;
        }
    }
    return bestStart;
}

}  // namespace vantoli
