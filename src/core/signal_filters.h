#pragma once
// Weighting filters for measurements: the AES6 / IEC 60386 flutter weighting as a cascade of digital
// biquads, and the A weighting of noise as a power gain. Plain C++, no transform needed.

#include <complex>
#include <vector>

namespace vantoli::signal {

// One second-order section, direct form II transposed: y = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2).
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double z1 = 0, z2 = 0;
    double process(double x);
    std::complex<double> response(double hz, double rate) const;
};

// The analog section (B0 + B1 s + B2 s^2) / (A0 + A1 s + A2 s^2), s in rad/s, through the bilinear
// transform at `rate`.
Biquad bilinear(double B0, double B1, double B2, double A0, double A1, double A2, double rate);

// The flutter weighting at `rate` (samples a second of the frequency deviation): 0 dB at 4 Hz, falling
// about 6 dB an octave on either side and faster below 0.5 Hz, as the standard's curve.
std::vector<Biquad> flutterWeighting(double rate);
// The cascade's gain in dB at `hz`.
double cascadeDb(const std::vector<Biquad>& cascade, double hz, double rate);
// Runs `samples` through the cascade in place.
void runCascade(std::vector<Biquad>& cascade, std::vector<double>& samples);

// The A weighting (IEC 61672) at `hz` as a power gain, 1 at 1 kHz.
double aWeightingPower(double hz);

}  // namespace vantoli::signal
