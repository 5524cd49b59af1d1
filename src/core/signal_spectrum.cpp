#include "core/signal_spectrum.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numbers>

namespace vantoli::signal {

namespace {

// FFTW's planner is not thread-safe; plans are made and destroyed under one lock.
std::mutex& plannerLock()
{
    static std::mutex lock;
    return lock;
}

fftw_complex* asFftw(Complex* data) { return reinterpret_cast<fftw_complex*>(data); }

void execute(fftw_plan plan)
{
    fftw_execute(plan);
    const std::lock_guard lock(plannerLock());
    fftw_destroy_plan(plan);
}

}  // namespace

std::vector<Complex> realSpectrum(const std::vector<double>& samples)
{
    std::vector<double> input = samples;  // FFTW may overwrite its input while planning
    std::vector<Complex> bins(samples.size() / 2 + 1);
    if (samples.empty()) return bins;
    fftw_plan plan;
    {
        const std::lock_guard lock(plannerLock());
        plan = fftw_plan_dft_r2c_1d(static_cast<int>(input.size()), input.data(), asFftw(bins.data()), FFTW_ESTIMATE);
    }
    std::copy(samples.begin(), samples.end(), input.begin());
    execute(plan);
    return bins;
}

std::vector<double> realSignal(const std::vector<Complex>& bins, std::size_t n)
{
    std::vector<Complex> input = bins;  // a complex-to-real transform destroys its input
    input.resize(n / 2 + 1);
    std::vector<double> output(n);
    if (n == 0) return output;
    fftw_plan plan;
    {
        const std::lock_guard lock(plannerLock());
        plan = fftw_plan_dft_c2r_1d(static_cast<int>(n), asFftw(input.data()), output.data(), FFTW_ESTIMATE);
    }
    std::copy(bins.begin(), bins.begin() + static_cast<std::ptrdiff_t>(std::min(bins.size(), input.size())),
              input.begin());
    execute(plan);
    for (double& value : output) value /= static_cast<double>(n);
    return output;
}

std::vector<Complex> complexSignal(const std::vector<Complex>& bins)
{
    std::vector<Complex> input = bins;
    std::vector<Complex> output(bins.size());
    if (bins.empty()) return output;
    fftw_plan plan;
    {
        const std::lock_guard lock(plannerLock());
        plan = fftw_plan_dft_1d(static_cast<int>(bins.size()), asFftw(input.data()), asFftw(output.data()),
                                FFTW_BACKWARD, FFTW_ESTIMATE);
    }
    std::copy(bins.begin(), bins.end(), input.begin());
    execute(plan);
    for (Complex& value : output) value /= static_cast<double>(bins.size());
    return output;
}

std::vector<double> hannWindow(std::size_t n)
{
    std::vector<double> window(n);
    for (std::size_t i = 0; i < n; ++i)
        window[i] = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n));
    return window;
}

double powerDb(double ratio) { return ratio > 1e-15 ? 10 * std::log10(ratio) : -150; }

namespace {

struct Windowed {
    std::vector<Complex> bins;
    double windowPower = 0;  // the sum of the window's squares
};

Windowed windowedSpectrum(const float* samples, std::size_t count, std::size_t stride)
{
    const std::vector<double> window = hannWindow(count);
    std::vector<double> input(count);
    Windowed result;
    for (std::size_t i = 0; i < count; ++i) {
        input[i] = static_cast<double>(samples[i * stride]) * window[i];
        result.windowPower += window[i] * window[i];
    }
    result.bins = realSpectrum(input);
    return result;
}

}  // namespace

Tone strongestTone(const float* samples, std::size_t count, std::size_t stride, double rate, double lowHz,
                   double highHz, double spread)
{
    Tone tone;
    if (count < 64 || rate <= 0) return tone;
    const Windowed spectrum = windowedSpectrum(samples, count, stride);
    const auto& bins = spectrum.bins;
    const double binHz = rate / static_cast<double>(count);
    const auto first = static_cast<std::ptrdiff_t>(std::max(2.0, std::floor(lowHz / binHz)));
    const auto last = static_cast<std::ptrdiff_t>(
        std::min(static_cast<double>(bins.size()) - 3, std::ceil(highHz / binHz)));
    if (last < first) return tone;
    std::ptrdiff_t peak = first;
    for (std::ptrdiff_t k = first; k <= last; ++k)
        if (std::norm(bins[static_cast<std::size_t>(k)]) > std::norm(bins[static_cast<std::size_t>(peak)])) peak = k;
    const auto at = [&](std::ptrdiff_t k) { return bins[static_cast<std::size_t>(k)]; };
    // The Hann window's peak is nearly Gaussian in log magnitude: a parabola through three bins.
    const double a = std::log(std::abs(at(peak - 1)) + 1e-300);
    const double b = std::log(std::abs(at(peak)) + 1e-300);
    const double c = std::log(std::abs(at(peak + 1)) + 1e-300);
    const double curvature = a - 2 * b + c;
    const double offset = curvature < 0 ? std::clamp(0.5 * (a - c) / curvature, -0.5, 0.5) : 0.0;
    double power = 0;
    const auto reach = std::max<std::ptrdiff_t>(3, static_cast<std::ptrdiff_t>(std::ceil(static_cast<double>(peak) * spread)));
    for (std::ptrdiff_t k = std::max<std::ptrdiff_t>(1, peak - reach);
         k <= std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(bins.size()) - 1, peak + reach); ++k)
        power += std::norm(at(k));
    tone.found = true;
    tone.hz = (static_cast<double>(peak) + offset) * binHz;
    // A sine of peak A gives 4 * sum |X|^2 / (n * sum w^2) = A^2 over its positive bins.
    tone.dbfs = powerDb(4 * power / (static_cast<double>(count) * spectrum.windowPower));
    tone.bin = at(peak);
    return tone;
}

double bandMeanSquare(const float* samples, std::size_t count, std::size_t stride, double rate, double lowHz,
                      double highHz, const std::function<double(double)>& weight)
{
    if (count < 64 || rate <= 0) return 0;
    const Windowed spectrum = windowedSpectrum(samples, count, stride);
    const double binHz = rate / static_cast<double>(count);
    double power = 0;
    for (std::size_t k = 1; k < spectrum.bins.size(); ++k) {
        const double hz = static_cast<double>(k) * binHz;
        if (hz < lowHz || hz > highHz) continue;
        power += std::norm(spectrum.bins[k]) * (weight ? weight(hz) : 1.0);
    }
    return 2 * power / (static_cast<double>(count) * spectrum.windowPower);
}

Baseband basebandTone(const std::vector<double>& samples, double rate, double centreHz, double halfBandHz,
                      double outputRate)
{
    Baseband result;
    const std::size_t n = samples.size();
    if (n < 16 || rate <= 0) return result;
    const std::vector<Complex> bins = realSpectrum(samples);
    const double binHz = rate / static_cast<double>(n);
    const auto centre = static_cast<std::ptrdiff_t>(std::llround(centreHz / binHz));
    const auto half = static_cast<std::ptrdiff_t>(std::ceil(halfBandHz / binHz));
    const auto size = static_cast<std::ptrdiff_t>(std::max<double>(2.0 * static_cast<double>(half) + 2,
                                                                   std::round(outputRate / binHz)));
    std::vector<Complex> shifted(static_cast<std::size_t>(size));
    for (std::ptrdiff_t j = -half; j <= half; ++j) {
        const std::ptrdiff_t k = centre + j;
        if (k <= 0 || k >= static_cast<std::ptrdiff_t>(bins.size())) continue;
        shifted[static_cast<std::size_t>((j + size) % size)] = bins[static_cast<std::size_t>(k)];
    }
    result.samples = complexSignal(shifted);
    result.rate = static_cast<double>(size) * binHz;
    result.shiftHz = static_cast<double>(centre) * binHz;
    return result;
}

}  // namespace vantoli::signal
