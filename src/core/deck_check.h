#pragma once
// The deck check's analysis: a recording of the test program as a deck played it back, in which each
// part is found by its marker, measured, and reported (core/deck_check_report.h). The recording may
// start and end anywhere and run up to 3 % fast or slow; parts not found are named.

#include <cstddef>
#include <optional>
#include <vector>

#include "core/deck_check_report.h"

namespace vantoli {

// `samples`: interleaved stereo (-1 to 1) at `rate`.
DeckCheckResult analyseDeckRecording(const std::vector<float>& samples, double rate);

// What the window shows while the tape plays: read from the last seconds of what has been recorded.
struct DeckLiveReading {
    std::optional<double> toneHz;           // the strongest tone, when one stands out
    std::optional<DeckTestPart> part;       // the part whose tone it is
    std::optional<double> speedPercent;     // the tone against the program's
    std::vector<double> flutter;            // the 3150 Hz tone's deviation in percent (0.5-200 Hz), last 5 s
    double flutterRate = 0;                 // values a second in `flutter`
    std::optional<double> phaseDegrees;     // right behind left, at the 1 kHz or 10 kHz tone
    double leftDbfs = -150;                 // the last 0.5 s, RMS as dBFS of a sine
    double rightDbfs = -150;
    double seconds = 0;                     // how much has been recorded
};
DeckLiveReading deckLiveReading(const float* samples, std::size_t frames, double rate);
// One JSON object on one line.
std::string deckLiveJson(const DeckLiveReading& reading);

}  // namespace vantoli
