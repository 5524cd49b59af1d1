#pragma once
// Sound built with a known answer for the measurement tests: the test program resampled with
// libswresample (a deck running fast or slow by an exact ratio), a first-order treble roll-off applied
// through the spectrum, channel gains and seeded white hiss.

#include <vector>

namespace vantoli::test {

// Interleaved stereo `samples` taken as sampled at `inRate` and resampled to `outRate`: played back at
// inRate / outRate of their speed.
std::vector<float> resampledStereo(const std::vector<float>& samples, int inRate, int outRate);

// Each channel through a first-order low-pass of corner `cornerHz` (|H| = 1 / sqrt(1 + (f / fc)^2), no
// phase), at `rate`.
void rollOffTreble(std::vector<float>& samples, double rate, double cornerHz);

// Left and right scaled by their gains, and white Gaussian hiss of RMS `hissRms` added (seeded).
void scaleAndAddHiss(std::vector<float>& samples, double leftGain, double rightGain, double hissRms, unsigned seed = 7);

}  // namespace vantoli::test
