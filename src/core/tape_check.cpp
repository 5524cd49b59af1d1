#include "core/tape_check.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <numeric>

namespace vantoli {

void CheckSignal::sample(int channel, float value)
{
    std::int64_t& length = runLength_[channel];
    if (std::fabs(value) >= FullScale) {
        if (length++ == 0) runStart_[channel] = frames();
        return;
    }
    if (length >= FlatRunSamples) flats_.push_back({runStart_[channel], length});
    length = 0;
}

void CheckSignal::add(const float* interleaved, std::int64_t frames)
{
    for (std::int64_t i = 0; i < frames; ++i) {
        const float left = interleaved[2 * i];
        const float right = interleaved[2 * i + 1];
        sample(0, left);
        sample(1, right);
        mono_.push_back(0.5f * (left + right));
    }
}

void CheckSignal::add(const std::int16_t* interleaved, std::int64_t frames)
{
    constexpr float Scale = 1.0f / 32768.0f;
    for (std::int64_t i = 0; i < frames; ++i) {
        const float left = static_cast<float>(interleaved[2 * i]) * Scale;
        const float right = static_cast<float>(interleaved[2 * i + 1]) * Scale;
        sample(0, left);
        sample(1, right);
        mono_.push_back(0.5f * (left + right));
    }
}

std::vector<FrameStretch> CheckSignal::flats() const
{
    std::vector<FrameStretch> all = flats_;
    for (int channel = 0; channel < 2; ++channel)
        if (runLength_[channel] >= FlatRunSamples) all.push_back({runStart_[channel], runLength_[channel]});
    std::sort(all.begin(), all.end(), [](const FrameStretch& a, const FrameStretch& b) { return a.start < b.start; });
    return all;
}

namespace {

constexpr double Rate = static_cast<double>(SampleRate);
constexpr double SilentDb = -140.0;

double decibels(double power) { return 10.0 * std::log10(std::max(power, 1e-14)); }

double median(std::vector<double> values)
{
    if (values.empty()) return std::nan("");
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty()) return std::nan("");
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

// Cross-correlation of a short template against a longer stretch of the recording, through FFTW.
class Correlator {
public:
    explicit Correlator(int size)
        : size_(size),
          time_(fftwf_alloc_real(static_cast<std::size_t>(size))),
          spectrum_(fftwf_alloc_complex(static_cast<std::size_t>(size / 2 + 1))),
          product_(fftwf_alloc_complex(static_cast<std::size_t>(size / 2 + 1)))
    {
        forward_ = fftwf_plan_dft_r2c_1d(size_, time_, spectrum_, FFTW_ESTIMATE);
        backward_ = fftwf_plan_dft_c2r_1d(size_, product_, time_, FFTW_ESTIMATE);
    }
    ~Correlator()
    {
        fftwf_destroy_plan(forward_);
        fftwf_destroy_plan(backward_);
        fftwf_free(time_);
        fftwf_free(spectrum_);
        fftwf_free(product_);
    }
    Correlator(const Correlator&) = delete;
    Correlator& operator=(const Correlator&) = delete;

    int size() const { return size_; }

    // The spectrum of `count` samples (zero-padded to the size).
    std::vector<std::complex<float>> transform(const float* samples, std::size_t count)
    {
        std::fill(time_, time_ + size_, 0.0f);
        std::copy(samples, samples + std::min<std::size_t>(count, static_cast<std::size_t>(size_)), time_);
        fftwf_execute(forward_);
        const auto* bins = reinterpret_cast<const std::complex<float>*>(spectrum_);
        return {bins, bins + size_ / 2 + 1};
    }

    // c[k] = sum over n of template[n] * region[k + n], for every k (valid while k + template fits).
    const float* correlate(const std::vector<std::complex<float>>& region,
                           const std::vector<std::complex<float>>& pattern)
    {
        auto* out = reinterpret_cast<std::complex<float>*>(product_);
        const float scale = 1.0f / static_cast<float>(size_);
        for (std::size_t i = 0; i < region.size(); ++i) out[i] = region[i] * std::conj(pattern[i]) * scale;
        fftwf_execute(backward_);
        return time_;
    }

private:
    int size_;
    float* time_;
    fftwf_complex* spectrum_;
    fftwf_complex* product_;
    fftwf_plan forward_;
    fftwf_plan backward_;
};

// A stretch of the program laid out as it would sound at a given speed, without resampling: short
// pieces of the program placed where the tape would play them. Within a piece the speed's error is
// a fraction of a millisecond, so the pieces still match the recording sample for sample.
struct Pattern {
    std::vector<float> samples;
    double energy = 0;
    double centre = 0;  // where the program's centre of the stretch lands in `samples`
};

constexpr std::int64_t PieceFrames = 512;

Pattern warpedPattern(const std::vector<float>& program, std::int64_t start, std::int64_t frames, double rate)
{
    // `rate`: recording frames per program frame (1 / (1 + speed)).
    Pattern pattern;
    const auto length = static_cast<std::size_t>(std::llround(static_cast<double>(frames) * rate));
    pattern.samples.assign(length, 0.0f);
    for (std::int64_t piece = 0; piece * PieceFrames < frames; ++piece) {
        const auto from = static_cast<std::size_t>(std::llround(static_cast<double>(piece * PieceFrames) * rate));
        const auto to = std::min<std::size_t>(
            length,
            static_cast<std::size_t>(std::llround(static_cast<double>((piece + 1) * PieceFrames) * rate)));
        for (std::size_t i = from; i < to; ++i) {
            const std::int64_t source = start + piece * PieceFrames + static_cast<std::int64_t>(i - from);
            if (source >= start + frames || source >= static_cast<std::int64_t>(program.size())) break;
            pattern.samples[i] = program[static_cast<std::size_t>(source)];
        }
    }
    for (float sample : pattern.samples) pattern.energy += static_cast<double>(sample) * sample;
    pattern.centre = static_cast<double>(frames) / 2.0 * rate;
    return pattern;
}

struct Match {
    double lag = 0;  // where the pattern's first sample lies in the recording (fractional)
    double score = -1;  // normalised correlation, 1 for a perfect copy at any level
};

// The best place of `pattern` (spectrum `patternSpectrum`) in the recording from `from` on, looking at
// lags 0 to `lags` - 1; the region's spectrum is `regionSpectrum`.
Match bestMatch(Correlator& correlator, const std::vector<std::complex<float>>& regionSpectrum,
                const std::vector<std::complex<float>>& patternSpectrum, const Pattern& pattern,
                const std::vector<float>& recording, std::int64_t from, std::int64_t lags)
{
    const float* c = correlator.correlate(regionSpectrum, patternSpectrum);
    const auto length = static_cast<std::int64_t>(pattern.samples.size());
    const auto total = static_cast<std::int64_t>(recording.size());
    // The recording's energy under the pattern at each lag, slid along.
    double energy = 0;
    for (std::int64_t n = from; n < std::min(total, from + length); ++n)
        energy += static_cast<double>(recording[static_cast<std::size_t>(n)]) * recording[static_cast<std::size_t>(n)];
    Match best;
    std::int64_t bestLag = -1;
    for (std::int64_t k = 0; k < lags && from + k + length <= total; ++k) {
        if (k > 0) {
            const double out = recording[static_cast<std::size_t>(from + k - 1)];
            const double in = recording[static_cast<std::size_t>(from + k + length - 1)];
            energy += in * in - out * out;
        }
        // Near-silence matches nothing: its correlation is the transform's rounding.
        if (energy < pattern.energy * 1e-4) continue;
        const double score = c[k] / std::sqrt(energy * pattern.energy);
        if (score > best.score) {
            best.score = score;
            bestLag = k;
        }
    }
    if (bestLag < 0) return best;
    double offset = 0;
    if (bestLag > 0 && bestLag + 1 < lags) {
        const double a = c[bestLag - 1], b = c[bestLag], d = c[bestLag + 1];
        const double curve = a - 2 * b + d;
        if (curve < 0) offset = std::clamp(0.5 * (a - d) / curve, -0.5, 0.5);
    }
    best.lag = static_cast<double>(from + bestLag) + offset;
    return best;
}

// Where each moment of the program is in the recording, from matched anchors (program frame,
// recording frame), both increasing; straight lines between them, the end anchors' speed beyond.
class TapeMap {
public:
    explicit TapeMap(std::vector<std::pair<double, double>> anchors) : anchors_(std::move(anchors))
    {
        headSlope_ = slope(0, std::min<std::size_t>(anchors_.size(), 16));
        tailSlope_ = slope(anchors_.size() - std::min<std::size_t>(anchors_.size(), 16), anchors_.size());
    }

    double recordingAt(double programFrame) const { return along(programFrame, false); }
    double programAt(double recordingFrame) const { return along(recordingFrame, true); }

    // The mean speed: program frames per recording frame, least squares over every anchor.
    double programPerRecording() const { return 1.0 / slope(0, anchors_.size()); }

private:
    // Recording frames per program frame, fitted over anchors [from, to).
    double slope(std::size_t from, std::size_t to) const
    {
        if (to - from < 2) return 1.0;
        double meanX = 0, meanY = 0;
        for (std::size_t i = from; i < to; ++i) {
            meanX += anchors_[i].first;
            meanY += anchors_[i].second;
        }
        const auto count = static_cast<double>(to - from);
        meanX /= count;
        meanY /= count;
        double xy = 0, xx = 0;
        for (std::size_t i = from; i < to; ++i) {
            xy += (anchors_[i].first - meanX) * (anchors_[i].second - meanY);
            xx += (anchors_[i].first - meanX) * (anchors_[i].first - meanX);
        }
        return xx > 0 ? xy / xx : 1.0;
    }

    double along(double value, bool inverse) const
    {
        const auto key = [inverse](const std::pair<double, double>& anchor) {
            return inverse ? anchor.second : anchor.first;
        };
        const auto other = [inverse](const std::pair<double, double>& anchor) {
            return inverse ? anchor.first : anchor.second;
        };
        const auto& front = anchors_.front();
        const auto& back = anchors_.back();
        if (value <= key(front))
            return other(front) + (value - key(front)) * (inverse ? 1.0 / headSlope_ : headSlope_);
        if (value >= key(back)) return other(back) + (value - key(back)) * (inverse ? 1.0 / tailSlope_ : tailSlope_);
        const auto next = std::upper_bound(anchors_.begin(), anchors_.end(), value,
                                           [&](double v, const std::pair<double, double>& a) { return v < key(a); });
        const auto& b = *next;
        const auto& a = *(next - 1);
        const double span = key(b) - key(a);
        const double t = span > 0 ? (value - key(a)) / span : 0.0;
        return other(a) + t * (other(b) - other(a));
    }

    std::vector<std::pair<double, double>> anchors_;
    double headSlope_ = 1.0;
    double tailSlope_ = 1.0;
};

constexpr std::int64_t AcquireFrames = 4096;
constexpr std::int64_t TrackFrames = 8192;
constexpr std::int64_t AnchorStep = 2 * SampleRate;
constexpr double AcquireStepPercent = 0.5;
constexpr double MinAcquireScore = 0.4;
constexpr double MinTrackScore = 0.5;
constexpr double SearchBeforeSeconds = 120.0;  // how long the recording may run before the side starts
constexpr double QuietDb = -50.0;              // a template quieter than this says nothing

double energyOf(const std::vector<float>& signal, std::int64_t start, std::int64_t frames)
{
    double energy = 0;
    for (std::int64_t i = start; i < start + frames && i < static_cast<std::int64_t>(signal.size()); ++i)
        energy += static_cast<double>(signal[static_cast<std::size_t>(i)]) * signal[static_cast<std::size_t>(i)];
    return energy;
}

bool inTrack(const SideProgram& layout, std::int64_t start, std::int64_t frames)
{
    for (const Segment& segment : layout.segments)
        if (segment.kind == SegmentKind::Track && start < segment.start + segment.frames &&
            start + frames > segment.start)
            return true;
    return false;
}

struct Acquired {
    double programCentre = 0;
    double recordingCentre = 0;
    double rate = 1;  // recording frames per program frame
};

// Finds one loud stretch of the first 20 s of music anywhere near the recording's start, trying
// speeds from 3 % slow to 3 % fast.
std::optional<Acquired> acquire(const std::vector<float>& program, const std::vector<float>& recording,
                                const SideProgram& layout)
{
    std::int64_t musicStart = -1;
    for (const Segment& segment : layout.segments)
        if (segment.kind == SegmentKind::Track) {
            musicStart = segment.start;
            break;
        }
    if (musicStart < 0) return std::nullopt;
    // The loudest candidate of the first 20 s.
    std::int64_t best = -1;
    double bestEnergy = 0;
    const auto programFrames = static_cast<std::int64_t>(program.size());
    for (std::int64_t at = musicStart; at + AcquireFrames <= std::min(programFrames, musicStart + 20 * SampleRate);
         at += SampleRate / 4) {
        if (!inTrack(layout, at, AcquireFrames)) continue;
        const double energy = energyOf(program, at, AcquireFrames);
        if (energy > bestEnergy) {
            bestEnergy = energy;
            best = at;
        }
    }
    if (best < 0 || decibels(bestEnergy / AcquireFrames) < QuietDb) return std::nullopt;

    Correlator correlator(32768);
    std::vector<Pattern> patterns;
    std::vector<std::vector<std::complex<float>>> spectra;
    std::vector<double> rates;
    for (double percent = -MaxSpeedPercent; percent <= MaxSpeedPercent + 1e-9; percent += AcquireStepPercent) {
        const double rate = 1.0 / (1.0 + percent / 100.0);
        patterns.push_back(warpedPattern(program, best, AcquireFrames, rate));
        spectra.push_back(correlator.transform(patterns.back().samples.data(), patterns.back().samples.size()));
        rates.push_back(rate);
    }
    std::size_t longest = 0;
    for (const Pattern& pattern : patterns) longest = std::max(longest, pattern.samples.size());
    const auto recordingFrames = static_cast<std::int64_t>(recording.size());
    const double latest = static_cast<double>(best) * (1.0 + MaxSpeedPercent / 100.0) + SearchBeforeSeconds * Rate;
    const std::int64_t end = std::min(recordingFrames, static_cast<std::int64_t>(latest) + correlator.size());
    const std::int64_t step = correlator.size() - static_cast<std::int64_t>(longest);
    Match found;
    std::size_t foundPattern = 0;
    for (std::int64_t from = 0; from < end; from += step) {
        const std::size_t count = static_cast<std::size_t>(std::min<std::int64_t>(correlator.size(), recordingFrames - from));
        const auto region = correlator.transform(recording.data() + from, count);
        for (std::size_t p = 0; p < patterns.size(); ++p) {
            const Match match = bestMatch(correlator, region, spectra[p], patterns[p], recording, from, step);
            if (match.score > found.score) {
                found = match;
                foundPattern = p;
            }
        }
    }
    if (found.score < MinAcquireScore) return std::nullopt;
    return Acquired{static_cast<double>(best) + AcquireFrames / 2.0, found.lag + patterns[foundPattern].centre,
                    rates[foundPattern]};
}

// Follows the tape from the acquired anchor to both ends of the side, an anchor every 2 s of music.
std::vector<std::pair<double, double>> follow(const std::vector<float>& program, const std::vector<float>& recording,
                                              const SideProgram& layout, const Acquired& acquired)
{
    Correlator correlator(16384);
    const auto programFrames = static_cast<std::int64_t>(program.size());
    const auto recordingFrames = static_cast<std::int64_t>(recording.size());
    std::vector<std::pair<double, double>> forward{{acquired.programCentre, acquired.recordingCentre}};
    std::vector<std::pair<double, double>> backward;

    const auto run = [&](int direction, std::vector<std::pair<double, double>>& found) {
        std::vector<std::pair<double, double>> recent{{acquired.programCentre, acquired.recordingCentre}};
        double rate = acquired.rate;
        for (std::int64_t centre = static_cast<std::int64_t>(acquired.programCentre) + direction * AnchorStep;
             centre - TrackFrames / 2 >= 0 && centre + TrackFrames / 2 <= programFrames; centre += direction * AnchorStep) {
            const std::int64_t start = centre - TrackFrames / 2;
            if (!inTrack(layout, start, TrackFrames)) continue;
            if (decibels(energyOf(program, start, TrackFrames) / TrackFrames) < QuietDb) continue;
            // Where the last anchors say it should be.
            const auto& last = recent.back();
            const double predicted = last.second + (static_cast<double>(centre) - last.first) * rate;
            const Pattern pattern = warpedPattern(program, start, TrackFrames, rate);
            const auto length = static_cast<std::int64_t>(pattern.samples.size());
            const std::int64_t lags = correlator.size() - length;
            const auto from = static_cast<std::int64_t>(std::llround(predicted - pattern.centre)) - lags / 2;
            if (from < 0 || from + correlator.size() > recordingFrames) continue;
            const auto region = correlator.transform(recording.data() + from, static_cast<std::size_t>(correlator.size()));
            const auto spectrum = correlator.transform(pattern.samples.data(), pattern.samples.size());
            const Match match = bestMatch(correlator, region, spectrum, pattern, recording, from, lags);
            if (match.score < MinTrackScore) continue;
            const double at = match.lag + pattern.centre;
            if (std::fabs(at - predicted) > static_cast<double>(lags) / 2 - 2) continue;
            found.emplace_back(static_cast<double>(centre), at);
            recent.emplace_back(static_cast<double>(centre), at);
            if (recent.size() > 8) recent.erase(recent.begin());
            // The local speed, from the recent anchors (a straight line through them).
            if (recent.size() >= 3) {
                const auto& first = recent.front();
                const auto& latest = recent.back();
                if (latest.first != first.first) rate = (latest.second - first.second) / (latest.first - first.first);
            }
        }
    };
    run(+1, forward);
    run(-1, backward);
    std::reverse(backward.begin(), backward.end());
    backward.insert(backward.end(), forward.begin(), forward.end());
    // Anchors that would make the tape run backwards are mismatches.
    std::vector<std::pair<double, double>> anchors;
    for (const auto& anchor : backward)
        if (anchors.empty() || anchor.second > anchors.back().second) anchors.push_back(anchor);
    return anchors;
}

// A first-order low-pass: the level is compared below the treble, which a tape is allowed to lose.
std::vector<float> lowPassed(const std::vector<float>& signal)
{
    constexpr double CornerHz = 1500.0;
    const auto alpha = static_cast<float>(1.0 - std::exp(-2.0 * M_PI * CornerHz / Rate));
    std::vector<float> out(signal.size());
    float state = 0;
    for (std::size_t i = 0; i < signal.size(); ++i) {
        state += alpha * (signal[i] - state);
        out[i] = state;
    }
    return out;
}

constexpr std::int64_t BlockFrames = 110;       // about 2.5 ms, the resolution of dropouts
constexpr std::int64_t ProgramStepFrames = 11;  // the program's energy is summed at this step

// The program's energy from its start to any frame, at a fine step.
class ProgramEnergy {
public:
    explicit ProgramEnergy(const std::vector<float>& filtered)
    {
        sums_.reserve(filtered.size() / ProgramStepFrames + 2);
        sums_.push_back(0);
        double sum = 0;
        for (std::size_t i = 0; i < filtered.size(); ++i) {
            sum += static_cast<double>(filtered[i]) * filtered[i];
            if ((i + 1) % ProgramStepFrames == 0) sums_.push_back(sum);
        }
        if (filtered.size() % ProgramStepFrames != 0) sums_.push_back(sum);
        frames_ = static_cast<double>(filtered.size());
    }
    double upTo(double frame) const
    {
        frame = std::clamp(frame, 0.0, frames_);
        const double at = frame / ProgramStepFrames;
        const auto index = std::min(static_cast<std::size_t>(at), sums_.size() - 2);
        const double fraction = at - static_cast<double>(index);
        return sums_[index] + fraction * (sums_[index + 1] - sums_[index]);
    }
    double frames() const { return frames_; }

private:
    std::vector<double> sums_;
    double frames_ = 0;
};

const Segment* segmentOf(const SideProgram& layout, double frame)
{
    for (const Segment& segment : layout.segments)
        if (frame >= static_cast<double>(segment.start) && frame < static_cast<double>(segment.start + segment.frames))
            return &segment;
    return nullptr;
}

// Each block of the recording: its level and the program's where the tape played it.
struct Block {
    double tapeDb = SilentDb;
    double programDb = SilentDb;
    double programFrame = -1;  // the program's frame at the block's middle; < 0 outside the side
    int track = -1;            // index of the track segment, -1 outside one
};

struct Run {
    std::size_t first = 0;
    std::size_t last = 0;
};

std::vector<Run> mergedRuns(const std::vector<bool>& marked, std::size_t bridge)
{
    std::vector<Run> runs;
    for (std::size_t i = 0; i < marked.size(); ++i) {
        if (!marked[i]) continue;
        if (!runs.empty() && i - runs.back().last <= bridge + 1)
            runs.back().last = i;
        else
            runs.push_back({i, i});
    }
    return runs;
}

}  // namespace

std::variant<TapeCheck, TapeCheckFailure> checkTape(const CheckSignal& recording, const CheckSignal& program,
                                                    const SideProgram& layout)
{
    const std::vector<float>& tape = recording.mono();
    const std::vector<float>& side = program.mono();
    const std::optional<Acquired> acquired = acquire(side, tape, layout);
    if (!acquired) {
        bool music = false;
        for (const Segment& segment : layout.segments) music = music || segment.kind == SegmentKind::Track;
        return music ? TapeCheckFailure::NotFound : TapeCheckFailure::NoMusic;
    }
    std::vector<std::pair<double, double>> anchors = follow(side, tape, layout, *acquired);
    // One match alone may be chance; a side's music matches again and again.
    if (anchors.size() < 3) return TapeCheckFailure::NotFound;
    const TapeMap map(std::move(anchors));

    TapeCheck check;
    check.recordingSeconds = static_cast<double>(tape.size()) / Rate;
    check.offsetSeconds = map.recordingAt(0) / Rate;
    check.speedPercent = (map.programPerRecording() - 1.0) * 100.0;

    // The levels, block by block of the recording.
    const ProgramEnergy energy(lowPassed(side));
    std::vector<Block> blocks(static_cast<std::size_t>(recording.frames() / BlockFrames));
    {
        const std::vector<float> filtered = lowPassed(tape);
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            Block& block = blocks[b];
            const auto start = static_cast<std::int64_t>(b) * BlockFrames;
            double sum = 0;
            for (std::int64_t i = start; i < start + BlockFrames; ++i)
                sum += static_cast<double>(filtered[static_cast<std::size_t>(i)]) * filtered[static_cast<std::size_t>(i)];
            block.tapeDb = decibels(sum / BlockFrames);
            const double from = map.programAt(static_cast<double>(start));
            const double to = map.programAt(static_cast<double>(start + BlockFrames));
            if (from < 0 || to > energy.frames() || to <= from) continue;
            block.programFrame = 0.5 * (from + to);
            block.programDb = decibels((energy.upTo(to) - energy.upTo(from)) / (to - from));
            if (const Segment* segment = segmentOf(layout, block.programFrame); segment && segment->kind == SegmentKind::Track)
                block.track = segment->index;
        }
    }

    // The noise floor: the recording where the program is silent (lead-in, gaps, before the side).
    {
        std::vector<double> quiet, all;
        for (const Block& block : blocks) {
            all.push_back(block.tapeDb);
            if (block.programDb < -90) quiet.push_back(block.tapeDb);
        }
        check.noiseFloorDb = quiet.size() >= 40 ? median(quiet) : percentile(all, 0.01);
    }

    // Each track's level: the median difference over its louder blocks.
    std::vector<const Segment*> trackSegments;
    for (const Segment& segment : layout.segments)
        if (segment.kind == SegmentKind::Track) trackSegments.push_back(&segment);
    std::vector<double> top(trackSegments.size(), SilentDb);
    std::vector<std::optional<double>> level(trackSegments.size());
    {
        std::vector<std::vector<double>> programLevels(trackSegments.size());
        for (const Block& block : blocks)
            if (block.track >= 0) programLevels[static_cast<std::size_t>(block.track)].push_back(block.programDb);
        for (std::size_t t = 0; t < trackSegments.size(); ++t)
            if (!programLevels[t].empty()) top[t] = percentile(programLevels[t], 0.99);
        std::vector<std::vector<double>> differences(trackSegments.size());
        for (const Block& block : blocks) {
            if (block.track < 0) continue;
            const auto t = static_cast<std::size_t>(block.track);
            if (block.programDb >= top[t] - 20 && block.programDb > check.noiseFloorDb + 15)
                differences[t].push_back(block.tapeDb - block.programDb);
        }
        for (std::size_t t = 0; t < trackSegments.size(); ++t)
            if (differences[t].size() >= 20) level[t] = median(differences[t]);
    }
    std::vector<double> knownLevels;
    for (const auto& value : level)
        if (value) knownLevels.push_back(*value);
    const double sideLevel = knownLevels.empty() ? 0.0 : median(knownLevels);

    // Blocks whose program is loud enough that a fall of DropoutDb still stands above the hiss.
    std::vector<bool> low(blocks.size(), false), held(blocks.size(), false);
    std::vector<double> below(blocks.size(), 0);
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const Block& block = blocks[b];
        if (block.programFrame < 0) continue;
        const double reference =
            block.track >= 0 && level[static_cast<std::size_t>(block.track)] ? *level[static_cast<std::size_t>(block.track)] : sideLevel;
        const double expected = block.programDb + reference;
        if (expected < check.noiseFloorDb + DropoutDb + 6) continue;
        below[b] = expected - block.tapeDb;
        low[b] = below[b] >= DropoutDb;
        held[b] = below[b] < DropoutDb - 1.5;
    }

    // The end: the last block where the tape still held the program; music after it is cut.
    {
        std::int64_t lastHeld = -1;
        for (std::size_t b = 0; b < blocks.size(); ++b)
            if (held[b]) lastHeld = static_cast<std::int64_t>(b);
        // The program's last frame that would stand above this tape's hiss.
        double lastMusic = -1;
        for (double frame = energy.frames() - BlockFrames; frame >= 0; frame -= BlockFrames) {
            const double db = decibels((energy.upTo(frame + BlockFrames) - energy.upTo(frame)) / BlockFrames);
            if (db + sideLevel >= check.noiseFloorDb + DropoutDb + 6) {
                lastMusic = frame + BlockFrames;
                break;
            }
        }
        double cutAt = map.programAt(static_cast<double>(tape.size()));
        if (lastHeld >= 0) cutAt = std::min(cutAt, map.programAt(static_cast<double>((lastHeld + 1) * BlockFrames)));
        if (lastMusic >= 0 && lastMusic - cutAt > 0.5 * Rate) {
            check.cutSeconds = (static_cast<double>(side.size()) - cutAt) / Rate;
            check.cutAtSeconds = map.recordingAt(cutAt) / Rate;
            const Segment* segment = segmentOf(layout, cutAt);
            for (const Segment& candidate : layout.segments)
                if (candidate.kind == SegmentKind::Track && candidate.start + candidate.frames > cutAt) {
                    segment = &candidate;
                    break;
                }
            check.cutTrack = segment ? segment->track : 0;
            for (std::size_t b = 0; b < blocks.size(); ++b)
                if (blocks[b].programFrame >= cutAt) low[b] = held[b] = false;
        }
    }

    // Clipping: flat tops in the recording, and tracks whose loudest passages stop rising.
    const std::vector<FrameStretch> flats = recording.flats();
    for (std::size_t i = 0; i < flats.size();) {
        std::int64_t start = flats[i].start, end = flats[i].start + flats[i].frames;
        std::size_t j = i + 1;
        while (j < flats.size() && flats[j].start <= end + SampleRate / 20) {
            end = std::max(end, flats[j].start + flats[j].frames);
            ++j;
        }
        check.clipped.push_back({static_cast<double>(start) / Rate, static_cast<double>(end - start) * 1000.0 / Rate,
                                 ClipKind::FlatTop});
        i = j;
    }
    std::vector<bool> clippedBlocks(blocks.size(), false);
    for (const ClippedStretch& stretch : check.clipped) {
        const auto first = static_cast<std::size_t>(std::max(0.0, stretch.atSeconds * Rate / BlockFrames - 2));
        const auto last = static_cast<std::size_t>((stretch.atSeconds + stretch.milliseconds / 1000) * Rate / BlockFrames + 2);
        for (std::size_t b = first; b <= last && b < blocks.size(); ++b) clippedBlocks[b] = true;
    }
    {
        std::vector<bool> squashed(blocks.size(), false);
        for (std::size_t t = 0; t < trackSegments.size(); ++t) {
            std::vector<double> loud, moderate;
            for (const Block& block : blocks) {
                if (block.track != static_cast<int>(t)) continue;
                const double d = block.tapeDb - block.programDb;
                if (block.programDb >= top[t] - 4) loud.push_back(d);
                if (block.programDb >= top[t] - 24 && block.programDb < top[t] - 10 &&
                    block.programDb > check.noiseFloorDb + 15)
                    moderate.push_back(d);
            }
            if (loud.size() < 20 || moderate.size() < 20) continue;
            const double normal = median(moderate);
            if (normal - median(loud) < 1.5) continue;
            for (std::size_t b = 0; b < blocks.size(); ++b)
                if (blocks[b].track == static_cast<int>(t) && blocks[b].programDb >= top[t] - 4 &&
                    blocks[b].tapeDb - blocks[b].programDb < normal - 1.5 && !clippedBlocks[b])
                    squashed[b] = true;
        }
        for (const Run& run : mergedRuns(squashed, static_cast<std::size_t>(0.1 * Rate / BlockFrames))) {
            const double ms = static_cast<double>((run.last + 1 - run.first) * BlockFrames) * 1000.0 / Rate;
            if (ms < 20) continue;
            check.clipped.push_back({static_cast<double>(run.first * BlockFrames) / Rate, ms, ClipKind::Saturation});
            for (std::size_t b = run.first; b <= run.last; ++b) clippedBlocks[b] = true;
        }
        std::sort(check.clipped.begin(), check.clipped.end(),
                  [](const ClippedStretch& a, const ClippedStretch& b) { return a.atSeconds < b.atSeconds; });
    }

    // Dropouts: runs of low blocks, across a few blocks too quiet to tell, ended by a block that held.
    {
        constexpr std::size_t Bridge = 4;
        std::size_t b = 0;
        while (b < blocks.size()) {
            if (!low[b] || clippedBlocks[b]) {
                ++b;
                continue;
            }
            std::size_t last = b, gap = 0, next = b + 1;
            for (; next < blocks.size(); ++next) {
                if (low[next] && !clippedBlocks[next]) {
                    last = next;
                    gap = 0;
                } else if (held[next] || clippedBlocks[next] || ++gap > Bridge) {
                    break;
                }
            }
            std::vector<double> depths;
            const std::size_t inner = last - b + 1 >= 5 ? 1 : 0;
            for (std::size_t i = b + inner; i + inner <= last; ++i)
                if (low[i]) depths.push_back(below[i]);
            const double ms = static_cast<double>((last + 1 - b) * BlockFrames) * 1000.0 / Rate;
            if (ms >= DropoutMilliseconds * 0.74 && !depths.empty())
                check.dropouts.push_back({static_cast<double>(b * BlockFrames) / Rate, ms, median(depths)});
            b = last + 1;
        }
    }

    // The tracks where the tape has them.
    for (std::size_t t = 0; t < trackSegments.size(); ++t) {
        TrackOnTape track;
        track.track = trackSegments[t]->track;
        track.startSeconds = map.recordingAt(static_cast<double>(trackSegments[t]->start)) / Rate;
        track.levelDb = level[t];
        check.tracks.push_back(track);
    }

    // The picture's levels, as compared (below the treble).
    {
        const auto blocksPerPoint = static_cast<std::size_t>(LevelStepFrames / BlockFrames);
        for (std::size_t b = 0; b + blocksPerPoint <= blocks.size(); b += blocksPerPoint) {
            double programPower = 0, tapePower = 0;
            bool inside = true;
            for (std::size_t i = b; i < b + blocksPerPoint; ++i) {
                programPower += std::pow(10.0, blocks[i].programDb / 10);
                tapePower += std::pow(10.0, blocks[i].tapeDb / 10);
                inside = inside && blocks[i].programFrame >= 0;
            }
            const auto count = static_cast<double>(blocksPerPoint);
            check.levels.push_back({static_cast<float>(static_cast<double>(b * BlockFrames) / Rate),
                                    inside ? static_cast<float>(std::max(-120.0, decibels(programPower / count))) : -120.0f,
                                    static_cast<float>(std::max(-120.0, decibels(tapePower / count)))});
        }
    }
    return check;
}

}  // namespace vantoli
