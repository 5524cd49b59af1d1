#pragma once
// Spectra and tones of sampled signals, over FFTW3: the transforms themselves, the strongest tone in a
// stretch of signal (its frequency, level and phase), the power of a band, and a tone brought down to
// a complex baseband for its instantaneous frequency. Shared by the deck check and the tape check.

#include <complex>
#include <cstddef>
#include <functional>
#include <vector>

namespace vantoli::signal {

using Complex = std::complex<double>;

// The spectrum of a real signal: n / 2 + 1 bins, unscaled (FFTW's forward transform).
std::vector<Complex> realSpectrum(const std::vector<double>& samples);
// The real signal of `bins` (n / 2 + 1 of them) of length n, scaled back (the inverse of realSpectrum).
std::vector<double> realSignal(const std::vector<Complex>& bins, std::size_t n);
// The inverse complex transform, scaled by 1 / size.
std::vector<Complex> complexSignal(const std::vector<Complex>& bins);

// The Hann window of n points.
std::vector<double> hannWindow(std::size_t n);

struct Tone {
    bool found = false;
    double hz = 0;        // interpolated between the bins
    double dbfs = -150;   // the level a sine of this amplitude has: 20 log10(peak)
    Complex bin;          // the peak bin, whose argument is the tone's phase at the stretch's start
};

// The strongest tone between lowHz and highHz in `count` samples from `samples` (every `stride`-th
// value, so one channel of interleaved sound can be read in place), through a Hann window. Its level
// is summed over the three bins on each side of the peak, so that it does not depend on where the
// tone falls between bins, and further, to `spread` of the tone's frequency either side, for a tone
// whose frequency wanders (a tape's wow); found when the stretch is long enough to resolve the band.
Tone strongestTone(const float* samples, std::size_t count, std::size_t stride, double rate, double lowHz,
                   double highHz, double spread = 0);

// The mean square of `count` samples (every `stride`-th) in the band lowHz to highHz, each bin weighted by
// `weight(hz)` (a power gain; none: 1), through a Hann window.
double bandMeanSquare(const float* samples, std::size_t count, std::size_t stride, double rate, double lowHz,
                      double highHz, const std::function<double(double)>& weight = {});

// A tone brought down to baseband: the band centreHz ± halfBandHz of `samples`, shifted by shiftHz (the
// bin nearest centreHz) and sampled at `rate`, as complex values whose argument turns at the tone's
// frequency minus shiftHz.
struct Baseband {
    std::vector<Complex> samples;
    double rate = 0;
    double shiftHz = 0;
};
Baseband basebandTone(const std::vector<double>& samples, double rate, double centreHz, double halfBandHz,
                      double outputRate);

// Decibels of a power ratio and of an amplitude ratio, with a floor for silence.
double powerDb(double ratio);

}  // namespace vantoli::signal
