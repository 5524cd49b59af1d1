#pragma once
// A test tone's instantaneous frequency, and the wow and flutter read from it as a meter reads them:
// the deviation in percent of the mean, weighted (AES6 / IEC 60386) or band-limited to 0.5-200 Hz,
// and the level it exceeds 5 % of the time ("two-sigma"). Shared by the deck check and the tape check.

#include <vector>

namespace vantoli::signal {

struct FrequencyTrack {
    std::vector<double> hz;  // the tone's frequency at each sample, at `rate`
    double rate = 0;
    double meanHz = 0;  // from the phase turned over the whole track
};

// The frequency of the tone near `toneHz` in `samples` (one channel at `rate`), from the phase of the
// band toneHz ± 1 kHz brought down to baseband; `trimSeconds` are left off at each end, where the band's
// filter has not settled. Empty when too little remains.
FrequencyTrack frequencyTrack(const std::vector<double>& samples, double rate, double toneHz, double trimSeconds);

// The mean frequency of the track from `fromSeconds` for `seconds`.
double meanFrequency(const FrequencyTrack& track, double fromSeconds, double seconds);

struct FlutterFigures {
    double weightedPeak = 0;  // percent
    double weightedRms = 0;
    double unweightedPeak = 0;
};
// The figures of a track at least 8 s long; the weighting's first 3 s are left to settle.
FlutterFigures flutterFigures(const FrequencyTrack& track);

// The deviation in percent of the mean, band-limited to 0.5-200 Hz (linear drift removed first).
std::vector<double> unweightedDeviation(const FrequencyTrack& track);

// The level |values| exceed `fraction` of the time.
double exceededLevel(const std::vector<double>& values, double fraction);

}  // namespace vantoli::signal
