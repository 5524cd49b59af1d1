#include "core/deck_check.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "core/signal_filters.h"
#include "core/signal_flutter.h"
#include "core/signal_spectrum.h"

namespace vantoli {

namespace {

using namespace deck_test;
using signal::Tone;

constexpr double Pi = std::numbers::pi;
constexpr double MostSpeedError = 0.04;  // the search reaches 4 % either way
constexpr double FoundDbfs = -50;        // a tone weaker than this is not the program's
constexpr double WowSpread = 0.01;       // a tone's level is summed 1 % either side: wow spreads it

// One channel of the recording, or both mixed.
struct Recording {
    const std::vector<float>& samples;
    double rate;
    std::size_t frames() const { return samples.size() / 2; }
    double seconds() const { return static_cast<double>(frames()) / rate; }
    // Frames from `start` s for `length` s; nothing when the stretch is not wholly recorded.
    std::optional<std::pair<std::size_t, std::size_t>> stretch(double start, double length) const
    {
        if (start < 0 || length <= 0 || start + length > seconds()) return std::nullopt;
        return std::pair{static_cast<std::size_t>(start * rate), static_cast<std::size_t>(length * rate)};
    }
    Tone tone(int channel, double start, double length, double lowHz, double highHz) const
    {
        const auto at = stretch(start, length);
        if (!at) return {};
        return signal::strongestTone(samples.data() + 2 * at->first + static_cast<std::size_t>(channel), at->second,
                                     2, rate, lowHz, highHz, WowSpread);
    }
    std::vector<double> mono(std::size_t first, std::size_t count) const
    {
        std::vector<double> out(count);
        for (std::size_t i = 0; i < count; ++i)
            out[i] = 0.5 * (static_cast<double>(samples[2 * (first + i)]) + samples[2 * (first + i) + 1]);
        return out;
    }
};

// A marker found: which part follows, where the marker ends, and the speed its tones were played at.
struct Marker {
    DeckTestPart part;
    double endSeconds;
    double speed;
};

// The markers: stretches where both marker tones stand out together, told apart by their length.
std::vector<Marker> findMarkers(const Recording& recording)
{
    constexpr std::size_t Size = 2048, Hop = 512;
    const double binHz = recording.rate / Size;
    const std::vector<double> window = signal::hannWindow(Size);
    const std::size_t frames = recording.frames();
    struct Frame {
        bool marker = false;
        double bandPower = 0;
        double lowHz = 0;
    };
    std::vector<Frame> analysed;
    std::vector<double> input(Size);
    const auto band = [&](double hz) {
        return std::pair{static_cast<std::size_t>(std::floor(hz * (1 - MostSpeedError) / binHz)),
                         static_cast<std::size_t>(std::ceil(hz * (1 + MostSpeedError) / binHz))};
    };
    const auto [lowFirst, lowLast] = band(MarkerLowHz);
    const auto [highFirst, highLast] = band(MarkerHighHz);
    for (std::size_t start = 0; start + Size <= frames; start += Hop) {
        const std::vector<double> mono = recording.mono(start, Size);
        for (std::size_t i = 0; i < Size; ++i) input[i] = mono[i] * window[i];
        const std::vector<signal::Complex> bins = signal::realSpectrum(input);
        double total = 0, low = 0, high = 0;
        std::size_t peak = lowFirst;
        for (std::size_t k = 1; k < bins.size(); ++k) {
            const double power = std::norm(bins[k]);
            total += power;
            if (k >= lowFirst && k <= lowLast) {
                low += power;
                if (power > std::norm(bins[peak])) peak = k;
            }
            if (k >= highFirst && k <= highLast) high += power;
        }
        Frame frame;
        // Each marker tone at -16 dBFS gives a band power of about (Size / 4)^2 * 10^-1.6 / 4 ... a
        // stretch 30 dB weaker than the program's is still a marker.
        const double strong = std::pow(Size * 0.375 * 0.5, 2) * std::pow(10.0, (MarkerDbfs - 30) / 10);
        frame.marker = low > 0.3 * total && high > 0.3 * total && low > strong && high > strong;
        frame.bandPower = low + high;
        if (frame.marker && peak > lowFirst && peak < lowLast) {
            const double a = std::log(std::abs(bins[peak - 1]) + 1e-300), b = std::log(std::abs(bins[peak]) + 1e-300),
                         c = std::log(std::abs(bins[peak + 1]) + 1e-300);
            const double curvature = a - 2 * b + c;
            frame.lowHz = (static_cast<double>(peak) + (curvature < 0 ? std::clamp(0.5 * (a - c) / curvature, -0.5, 0.5) : 0)) * binHz;
        }
        analysed.push_back(frame);
    }
    std::vector<Marker> markers;
    const auto centre = [&](std::size_t i) { return (static_cast<double>(i * Hop) + Size / 2.0) / recording.rate; };
    for (std::size_t i = 0; i < analysed.size();) {
        if (!analysed[i].marker) {
            ++i;
            continue;
        }
        std::size_t end = i;
        double most = 0;
        while (end < analysed.size() && analysed[end].marker) most = std::max(most, analysed[end++].bandPower);
        // A marker cut by the start or the end of the recording is not measured.
        if (i > 0 && end < analysed.size()) {
            // The edges are where the band's power is half its plateau's: there the window's centre
            // crosses the edge of the tones.
            std::size_t first = i, last = end - 1;
            while (analysed[first].bandPower < 0.5 * most) ++first;
            while (analysed[last].bandPower < 0.5 * most) --last;
            const double length = centre(last) - centre(first);
            double hz = 0;
            int counted = 0;
            for (std::size_t j = first; j <= last; ++j)
                if (analysed[j].lowHz > 0) hz += analysed[j].lowHz, ++counted;
            const double number = length / MarkerUnitSeconds;
            const auto nearest = static_cast<int>(std::lround(number));
            if (counted > 0 && nearest >= 1 && nearest <= static_cast<int>(DeckTestParts.size()) &&
                std::abs(number - nearest) < 0.35)
                markers.push_back({static_cast<DeckTestPart>(nearest), centre(last) + 0.5 * Hop / recording.rate,
                                   hz / counted / MarkerLowHz});
        }
        i = end;
    }
    return markers;
}

struct Found {
    double start;  // where the part starts in the recording
    double speed;  // as its marker's tones were played
};

double bandDb(const Recording& recording, int channel, double start, double length, double hz)
{
    const double margin = std::max(hz * 0.01, 4 * recording.rate / (length * recording.rate));
    const Tone tone = recording.tone(channel, start, length, hz - margin, hz + margin);
    return tone.dbfs;
}

std::optional<DeckLevels> measureLevels(const Recording& recording, const Found& found)
{
    const double s = found.speed;
    const double start = found.start + 1 / s, length = (LevelSeconds - 2) / s;
    const Tone left = recording.tone(0, start, length, LevelHz * s * 0.98, LevelHz * s * 1.02);
    const Tone right = recording.tone(1, start, length, LevelHz * s * 0.98, LevelHz * s * 1.02);
    if (!left.found || !right.found || std::max(left.dbfs, right.dbfs) < FoundDbfs) return std::nullopt;
    return DeckLevels{left.dbfs - LevelDbfs, right.dbfs - LevelDbfs, right.dbfs - left.dbfs};
}

struct SpeedAndFlutter {
    DeckSpeed speed;
    DeckWowFlutter flutter;
};

std::optional<SpeedAndFlutter> measureSpeed(const Recording& recording, const Found& found)
{
    const double s = found.speed;
    const auto at = recording.stretch(found.start + 0.25 / s, (SpeedSeconds - 0.5) / s);
    if (!at) return std::nullopt;
    const Tone tone = recording.tone(0, found.start + 1 / s, 4 / s, SpeedHz * s * 0.98, SpeedHz * s * 1.02);
    if (!tone.found || tone.dbfs < FoundDbfs) return std::nullopt;
    const signal::FrequencyTrack track = signal::frequencyTrack(recording.mono(at->first, at->second), recording.rate,
                                                                tone.hz, 0.75);
    if (track.hz.empty()) return std::nullopt;
    SpeedAndFlutter result;
    result.speed.hz = track.meanHz;
    result.speed.speedPercent = 100 * (track.meanHz / SpeedHz - 1);
    const double length = static_cast<double>(track.hz.size()) / track.rate;
    const double first = signal::meanFrequency(track, 0, 5);
    const double last = signal::meanFrequency(track, length - 5, 5);
    result.speed.driftPercent = 100 * (last / first - 1);
    const signal::FlutterFigures figures = signal::flutterFigures(track);
    result.flutter = {figures.weightedPeak, figures.weightedRms, figures.unweightedPeak};
    return result;
}

// The right channel's phase behind the left's at the tone near `hz`; nothing when there is no tone.
std::optional<std::pair<double, double>> phaseBehind(const Recording& recording, double start, double length, double hz)
{
    const Tone left = recording.tone(0, start, length, hz * 0.98, hz * 1.02);
    const Tone right = recording.tone(1, start, length, hz * 0.98, hz * 1.02);
    if (!left.found || !right.found || std::max(left.dbfs, right.dbfs) < FoundDbfs - 10) return std::nullopt;
    // Both peaks in the same bin: the window's own phase is the same in both and cancels.
    if (std::abs(left.hz - right.hz) > recording.rate / (length * recording.rate)) return std::nullopt;
    return std::pair{std::arg(left.bin * std::conj(right.bin)), 0.5 * (left.hz + right.hz)};
}

std::optional<DeckAzimuth> measureAzimuth(const Recording& recording, const Found& found)
{
    const double s = found.speed;
    const auto coarse = phaseBehind(recording, found.start + 1 / s, (CoarseSeconds - 2) / s, CoarseHz * s);
    const double fineStart = found.start + (CoarseSeconds + AzimuthGapSeconds + 1) / s;
    const auto fine = phaseBehind(recording, fineStart, (AzimuthSeconds - 2) / s, AzimuthHz * s);
    if (!coarse || !fine) return std::nullopt;
    const double coarseSeconds = coarse->first / (2 * Pi * coarse->second);
    // The 10 kHz phase repeats every 100 µs: the turn nearest the coarse reading.
    const double turns = std::round(coarseSeconds * fine->second - fine->first / (2 * Pi));
    const double seconds = (fine->first + 2 * Pi * turns) / (2 * Pi * fine->second);
    return DeckAzimuth{seconds * 1e6, fine->first * 180 / Pi};
}

std::optional<std::pair<std::vector<DeckBand>, std::optional<double>>> measureResponse(const Recording& recording,
                                                                                      const Found& found)
{
    const double s = found.speed;
    std::vector<DeckBand> bands;
    std::vector<double> levels;
    for (std::size_t i = 0; i < ResponseHz.size(); ++i) {
        const double step = found.start + static_cast<double>(i) * (ResponseStepSeconds + ResponseGapSeconds) / s;
        const double start = step + 0.2 * ResponseStepSeconds / s, length = 0.6 * ResponseStepSeconds / s;
        if (!recording.stretch(start, length)) return std::nullopt;
        const double hz = ResponseHz[i] * s;
        levels.push_back(0.5 * (bandDb(recording, 0, start, length, hz) + bandDb(recording, 1, start, length, hz)));
    }
    const auto reference = std::find(ResponseHz.begin(), ResponseHz.end(), LevelHz) - ResponseHz.begin();
    const double at400 = levels[static_cast<std::size_t>(reference)];
    if (at400 < FoundDbfs) return std::nullopt;
    for (std::size_t i = 0; i < ResponseHz.size(); ++i) bands.push_back({ResponseHz[i], levels[i] - at400});
    // Where the treble has fallen 3 dB, between the bands on either side, on a scale of octaves.
    std::optional<double> upper;
    for (std::size_t i = 1; i < bands.size(); ++i) {
        if (bands[i].hz <= 1000 || bands[i].db > -3) continue;
        const double a = bands[i - 1].db, b = bands[i].db;
        const double part = a > -3 ? (a + 3) / (a - b) : 0;
        upper = bands[i - 1].hz * std::pow(bands[i].hz / bands[i - 1].hz, part);
        break;
    }
    return std::pair{bands, upper};
}

std::optional<DeckNoise> measureNoise(const Recording& recording, const Found& found)
{
    const double s = found.speed;
    const auto at = recording.stretch(found.start + 1 / s, (NoiseSeconds - 2) / s);
    if (!at) return std::nullopt;
    double plain = 0, weighted = 0;
    for (int channel = 0; channel < 2; ++channel) {
        const float* first = recording.samples.data() + 2 * at->first + static_cast<std::size_t>(channel);
        plain += 0.5 * signal::bandMeanSquare(first, at->second, 2, recording.rate, 20, 20000);
        weighted += 0.5 * signal::bandMeanSquare(first, at->second, 2, recording.rate, 20, 20000, signal::aWeightingPower);
    }
    // A silence with a tone in it is not the program's silence.
    const Tone tone = recording.tone(0, found.start + 1 / s, (NoiseSeconds - 2) / s, 20, 20000);
    if (tone.found && tone.dbfs > -40) return std::nullopt;
    DeckNoise noise;
    noise.dbfs = signal::powerDb(2 * plain);  // a full-scale sine reads 0 dBFS
    noise.aWeightedDbfs = signal::powerDb(2 * weighted);
    return noise;
}

}  // namespace

DeckCheckResult analyseDeckRecording(const std::vector<float>& samples, double rate)
{
    DeckCheckResult result;
    const Recording recording{samples, rate};
    std::map<DeckTestPart, Marker> markers;
    for (const Marker& marker : findMarkers(recording)) markers.try_emplace(marker.part, marker);

    const auto found = [&](DeckTestPart part) -> std::optional<Found> {
        const auto marker = markers.find(part);
        if (marker == markers.end()) return std::nullopt;
        return Found{marker->second.endSeconds + AfterMarkerSeconds / marker->second.speed, marker->second.speed};
    };
    // The speed tone gives the speed far more closely than a marker: the other parts are timed by it.
    std::optional<double> speed;
    if (const auto part = found(DeckTestPart::Speed)) {
        if (const auto measured = measureSpeed(recording, *part)) {
            result.speed = measured->speed;
            result.wowFlutter = measured->flutter;
            speed = measured->speed.hz / SpeedHz;
        }
    }
    const auto timed = [&](DeckTestPart part) -> std::optional<Found> {
        std::optional<Found> at = found(part);
        if (at && speed) {
            const Marker& marker = markers.at(part);
            at = Found{marker.endSeconds + AfterMarkerSeconds / *speed, *speed};
        }
        return at;
    };
    if (const auto part = timed(DeckTestPart::Level)) result.levels = measureLevels(recording, *part);
    if (const auto part = timed(DeckTestPart::Azimuth)) result.azimuth = measureAzimuth(recording, *part);
    if (const auto part = timed(DeckTestPart::Response)) {
        if (auto response = measureResponse(recording, *part)) {
            result.response = std::move(response->first);
            result.upper3dbHz = response->second;
        }
    }
    if (const auto part = timed(DeckTestPart::Noise)) result.noise = measureNoise(recording, *part);
    if (result.noise && result.levels) {
        const double tone = LevelDbfs + 0.5 * (result.levels->left + result.levels->right);
        result.noise->snrDb = tone - result.noise->dbfs;
        result.noise->snrADb = tone - result.noise->aWeightedDbfs;
    }

    if (!result.levels) result.missing.push_back(DeckTestPart::Level);
    if (!result.speed) result.missing.push_back(DeckTestPart::Speed);
    if (!result.azimuth) result.missing.push_back(DeckTestPart::Azimuth);
    if (result.response.empty()) result.missing.push_back(DeckTestPart::Response);
    if (!result.noise) result.missing.push_back(DeckTestPart::Noise);
    return result;
}

DeckLiveReading deckLiveReading(const float* samples, std::size_t frames, double rate)
{
    DeckLiveReading reading;
    reading.seconds = rate > 0 ? static_cast<double>(frames) / rate : 0;
    if (rate <= 0 || frames < static_cast<std::size_t>(0.5 * rate)) return reading;
    const auto half = static_cast<std::size_t>(0.5 * rate);
    const float* recent = samples + 2 * (frames - half);
    for (int channel = 0; channel < 2; ++channel) {
        double sum = 0;
        for (std::size_t i = 0; i < half; ++i) sum += std::pow(static_cast<double>(recent[2 * i + static_cast<std::size_t>(channel)]), 2);
        (channel == 0 ? reading.leftDbfs : reading.rightDbfs) = signal::powerDb(2 * sum / static_cast<double>(half));
    }
    const Tone tone = signal::strongestTone(recent, half, 2, rate, 20, 20000);
    const double total = signal::bandMeanSquare(recent, half, 2, rate, 20, 20000);
    // A tone stands out when it holds most of the power.
    if (!tone.found || std::pow(10.0, tone.dbfs / 10) / 2 < 0.7 * total || tone.dbfs < FoundDbfs) return reading;
    reading.toneHz = tone.hz;
    const std::pair<DeckTestPart, double> tones[] = {
        {DeckTestPart::Level, LevelHz}, {DeckTestPart::Speed, SpeedHz}, {DeckTestPart::Azimuth, CoarseHz},
        {DeckTestPart::Azimuth, AzimuthHz}};
    for (const auto& [part, hz] : tones) {
        if (std::abs(tone.hz / hz - 1) > MostSpeedError) continue;
        reading.part = part;
        reading.speedPercent = 100 * (tone.hz / hz - 1);
        if (part == DeckTestPart::Azimuth) {
            const Tone right = signal::strongestTone(recent + 1, half, 2, rate, hz * 0.96, hz * 1.04);
            const Tone left = signal::strongestTone(recent, half, 2, rate, hz * 0.96, hz * 1.04);
            reading.phaseDegrees = std::arg(left.bin * std::conj(right.bin)) * 180 / Pi;
        }
        if (part == DeckTestPart::Speed) {
            const std::size_t count = std::min(frames, static_cast<std::size_t>(7 * rate));
            const float* from = samples + 2 * (frames - count);
            std::vector<double> mono(count);
            for (std::size_t i = 0; i < count; ++i) mono[i] = 0.5 * (static_cast<double>(from[2 * i]) + from[2 * i + 1]);
            const signal::FrequencyTrack track = signal::frequencyTrack(mono, rate, tone.hz, 0.5);
            if (!track.hz.empty()) {
                reading.speedPercent = 100 * (track.meanHz / hz - 1);
                const std::vector<double> deviation = signal::unweightedDeviation(track);
                // 50 values a second, the last 5 s.
                const auto step = static_cast<std::size_t>(std::max(1.0, track.rate / 50));
                reading.flutterRate = track.rate / static_cast<double>(step);
                const std::size_t keep = static_cast<std::size_t>(5 * track.rate);
                for (std::size_t i = deviation.size() > keep ? deviation.size() - keep : 0; i < deviation.size(); i += step)
                    reading.flutter.push_back(deviation[i]);
            }
        }
        break;
    }
    return reading;
}

std::string deckLiveJson(const DeckLiveReading& reading)
{
    nlohmann::json out = {{"seconds", std::round(reading.seconds * 100) / 100},
                          {"left", std::round(reading.leftDbfs * 10) / 10},
                          {"right", std::round(reading.rightDbfs * 10) / 10}};
    if (reading.toneHz) out["toneHz"] = std::round(*reading.toneHz * 100) / 100;
    if (reading.part) out["part"] = std::string(deckTestPartName(*reading.part));
    if (reading.speedPercent) out["speedPercent"] = std::round(*reading.speedPercent * 1000) / 1000;
    if (reading.phaseDegrees) out["phaseDegrees"] = std::round(*reading.phaseDegrees * 10) / 10;
    if (!reading.flutter.empty()) {
        nlohmann::json trace = nlohmann::json::array();
        for (double value : reading.flutter) trace.push_back(std::round(value * 10000) / 10000);
        out["flutter"] = trace;
        out["flutterRate"] = reading.flutterRate;
    }
    return out.dump();
}

}  // namespace vantoli
