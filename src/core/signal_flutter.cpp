#include "core/signal_flutter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/signal_filters.h"
#include "core/signal_spectrum.h"

namespace vantoli::signal {

namespace {

constexpr double HalfBandHz = 1000;
constexpr double TrackRate = 4000;  // wide enough for flutter up to 200 Hz and the weighting's shelf

std::vector<double> deviationPercent(const FrequencyTrack& track)
{
    std::vector<double> deviation(track.hz.size());
    for (std::size_t i = 0; i < deviation.size(); ++i) deviation[i] = 100 * (track.hz[i] / track.meanHz - 1);
    return deviation;
}

}  // namespace

FrequencyTrack frequencyTrack(const std::vector<double>& samples, double rate, double toneHz, double trimSeconds)
{
    FrequencyTrack track;
    // A length of many small factors keeps the transform fast.
    std::vector<double> whole(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(samples.size() - samples.size() % 4096));
    const Baseband band = basebandTone(whole, rate, toneHz, HalfBandHz, TrackRate);
    const auto trim = static_cast<std::size_t>(trimSeconds * band.rate);
    if (band.samples.size() < 2 * trim + 16) return track;
    track.rate = band.rate;
    const std::size_t first = trim, last = band.samples.size() - trim;
    track.hz.reserve(last - first);
    double turned = 0;  // radians
    for (std::size_t i = first; i < last; ++i) {
        const double step = std::arg(band.samples[i + 1] * std::conj(band.samples[i]));
        turned += step;
        track.hz.push_back(band.shiftHz + step * band.rate / (2 * std::numbers::pi));
    }
    track.meanHz = band.shiftHz + turned * band.rate / (2 * std::numbers::pi) / static_cast<double>(last - first);
    return track;
}

double meanFrequency(const FrequencyTrack& track, double fromSeconds, double seconds)
{
    const auto first = static_cast<std::size_t>(std::clamp(fromSeconds * track.rate, 0.0, static_cast<double>(track.hz.size())));
    const auto last = static_cast<std::size_t>(
        std::clamp((fromSeconds + seconds) * track.rate, static_cast<double>(first), static_cast<double>(track.hz.size())));
    if (last == first) return track.meanHz;
    double sum = 0;
    for (std::size_t i = first; i < last; ++i) sum += track.hz[i];
    return sum / static_cast<double>(last - first);
}

double exceededLevel(const std::vector<double>& values, double fraction)
{
    if (values.empty()) return 0;
    std::vector<double> magnitudes(values.size());
    std::transform(values.begin(), values.end(), magnitudes.begin(), [](double v) { return std::abs(v); });
    const auto at = static_cast<std::ptrdiff_t>(
        std::clamp((1 - fraction) * static_cast<double>(magnitudes.size()), 0.0, static_cast<double>(magnitudes.size() - 1)));
    std::nth_element(magnitudes.begin(), magnitudes.begin() + at, magnitudes.end());
    return magnitudes[static_cast<std::size_t>(at)];
}

std::vector<double> unweightedDeviation(const FrequencyTrack& track)
{
    std::vector<double> deviation = deviationPercent(track);
    const std::size_t n = deviation.size();
    if (n < 16) return deviation;
    // A straight line through the deviation (a slow drift) would leak into the band as the transform
    // wraps the track round: it is taken off first.
    double sumT = 0, sumD = 0, sumTT = 0, sumTD = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto t = static_cast<double>(i);
        sumT += t, sumD += deviation[i], sumTT += t * t, sumTD += t * deviation[i];
    }
    const double count = static_cast<double>(n);
    const double slope = (count * sumTD - sumT * sumD) / (count * sumTT - sumT * sumT);
    const double offset = (sumD - slope * sumT) / count;
    for (std::size_t i = 0; i < n; ++i) deviation[i] -= offset + slope * static_cast<double>(i);
    std::vector<Complex> bins = realSpectrum(deviation);
    const double binHz = track.rate / count;
    for (std::size_t k = 0; k < bins.size(); ++k) {
        const double hz = static_cast<double>(k) * binHz;
        if (hz < 0.5 || hz > 200) bins[k] = 0;
    }
    return realSignal(bins, n);
}

FlutterFigures flutterFigures(const FrequencyTrack& track)
{
    FlutterFigures figures;
    if (track.hz.empty() || track.meanHz <= 0) return figures;
    constexpr double SettleSeconds = 3;
    const auto settle = static_cast<std::size_t>(SettleSeconds * track.rate);
    std::vector<double> weighted = deviationPercent(track);
    std::vector<Biquad> weighting = flutterWeighting(track.rate);
    runCascade(weighting, weighted);
    if (weighted.size() > settle + 16) {
        weighted.erase(weighted.begin(), weighted.begin() + static_cast<std::ptrdiff_t>(settle));
        figures.weightedPeak = exceededLevel(weighted, 0.05);
        double sum = 0;
        for (double value : weighted) sum += value * value;
        figures.weightedRms = std::sqrt(sum / static_cast<double>(weighted.size()));
    }
    std::vector<double> unweighted = unweightedDeviation(track);
    // The band's edges ring at the ends of the track.
    const auto edge = static_cast<std::size_t>(1.0 * track.rate);
    if (unweighted.size() > 2 * edge + 16)
        figures.unweightedPeak = exceededLevel(
            std::vector<double>(unweighted.begin() + static_cast<std::ptrdiff_t>(edge),
                                unweighted.end() - static_cast<std::ptrdiff_t>(edge)),
            0.05);
    return figures;
}

}  // namespace vantoli::signal
