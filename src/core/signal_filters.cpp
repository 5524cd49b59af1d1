#include "core/signal_filters.h"

#include <cmath>
#include <numbers>

namespace vantoli::signal {

double Biquad::process(double x)
{
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
}

std::complex<double> Biquad::response(double hz, double rate) const
{
    const std::complex<double> z1inv = std::polar(1.0, -2 * std::numbers::pi * hz / rate);
    const std::complex<double> z2inv = z1inv * z1inv;
    return (b0 + b1 * z1inv + b2 * z2inv) / (1.0 + a1 * z1inv + a2 * z2inv);
}

Biquad bilinear(double B0, double B1, double B2, double A0, double A1, double A2, double rate)
{
    const double k = 2 * rate;
    const double a0 = A0 + A1 * k + A2 * k * k;
    Biquad section;
    section.b0 = (B0 + B1 * k + B2 * k * k) / a0;
    section.b1 = (2 * B0 - 2 * B2 * k * k) / a0;
    section.b2 = (B0 - B1 * k + B2 * k * k) / a0;
    section.a1 = (2 * A0 - 2 * A2 * k * k) / a0;
    section.a2 = (A0 - A1 * k + A2 * k * k) / a0;
    return section;
}

std::vector<Biquad> flutterWeighting(double rate)
{
    // Poles and zeros fitted to the standard's table from 0.2 to 200 Hz (largest deviation 0.5 dB): a
    // band-pass of first order at 1.2075 Hz and 10.911 Hz around 4 Hz, a second-order high-pass at
    // 0.46606 Hz (Q 0.60642) for the steeper fall below 0.5 Hz, and a shelf (zero at 253.02 Hz, pole at
    // 721.13 Hz) that eases the fall above 100 Hz.
    const auto w = [](double hz) { return 2 * std::numbers::pi * hz; };
    const double w1 = w(1.2075117764702132), w2 = w(10.911300240572563);
    const double w3 = w(0.46606491316754994), q3 = 0.6064164366682652;
    const double wz = w(253.01654773665877), wp = w(721.1252562510247);
    std::vector<Biquad> cascade{
        bilinear(0, 1 / w1, 0, 1, 1 / w1 + 1 / w2, 1 / (w1 * w2), rate),
        bilinear(0, 0, 1 / (w3 * w3), 1, 1 / (w3 * q3), 1 / (w3 * w3), rate),
        bilinear(1, 1 / wz, 0, 1, 1 / wp, 0, rate),
    };
    // 0 dB at 4 Hz.
    const double gain = std::pow(10.0, -cascadeDb(cascade, 4.0, rate) / 20);
    cascade.front().b0 *= gain;
    cascade.front().b1 *= gain;
    cascade.front().b2 *= gain;
    return cascade;
}

double cascadeDb(const std::vector<Biquad>& cascade, double hz, double rate)
{
    std::complex<double> h = 1.0;
    for (const Biquad& section : cascade) h *= section.response(hz, rate);
    return 20 * std::log10(std::abs(h));
}

void runCascade(std::vector<Biquad>& cascade, std::vector<double>& samples)
{
    for (Biquad& section : cascade)
        for (double& value : samples) value = section.process(value);
}

double aWeightingPower(double hz)
{
    const double f2 = hz * hz;
    const double ra = 12194.0 * 12194.0 * f2 * f2 /
                      ((f2 + 20.6 * 20.6) * std::sqrt((f2 + 107.7 * 107.7) * (f2 + 737.9 * 737.9)) *
                       (f2 + 12194.0 * 12194.0));
    // +2.00 dB puts 1 kHz at 0 dB.
    return ra * ra * std::pow(10.0, 2.0 / 10);
}

}  // namespace vantoli::signal
