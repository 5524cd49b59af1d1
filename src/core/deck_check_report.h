#pragma once
// What the deck check measured, as values: the readings of each part of the test program found in a
// recording, the parts not found, their JSON (as vantoli-plan --deck-check --json writes it and the
// window reads it back), the figures as lines of text, and plain advice on what to fix.

#include <optional>
#include <string>
#include <vector>

#include "core/deck_test_program.h"

namespace vantoli {

struct DeckSpeed {
    double hz = 0;            // the 3150 Hz tone's mean frequency as played back
    double speedPercent = 0;  // how much faster than the program the deck plays
    double driftPercent = 0;  // the speed of the tone's last 5 s against its first 5 s
};

struct DeckWowFlutter {  // the tone's frequency deviation, in percent of its mean
    double weightedPeak = 0;    // weighted, exceeded 5 % of the time (a sine of peak P reads P)
    double weightedRms = 0;
    double unweightedPeak = 0;  // 0.5 to 200 Hz, exceeded 5 % of the time
};

struct DeckLevels {  // against the program's -10 dBFS
    double left = 0;
    double right = 0;
    double balance = 0;  // right - left
};

struct DeckAzimuth {
    double microseconds = 0;  // by how much the right channel trails the left
    double degrees = 0;       // the phase of the right channel behind the left at 10 kHz, -180 to 180
};

struct DeckBand {
    double hz = 0;
    double db = 0;  // against 400 Hz
};

struct DeckNoise {
    double dbfs = -150;           // 20 Hz to 20 kHz, unweighted
    double aWeightedDbfs = -150;
    std::optional<double> snrDb;  // the level tone against the noise, when both were found
    std::optional<double> snrADb;
};

struct DeckCheckResult {
    std::vector<DeckTestPart> missing;  // the parts not found in the recording, in program order
    std::optional<DeckSpeed> speed;
    std::optional<DeckWowFlutter> wowFlutter;
    std::optional<DeckLevels> levels;
    std::optional<DeckAzimuth> azimuth;
    std::vector<DeckBand> response;  // empty when the part was not found
    std::optional<double> upper3dbHz;  // none: the response holds up to the highest band
    std::optional<DeckNoise> noise;
};

// One JSON object on one line (no line end). Readings not made are left out; "missing" names the parts.
std::string deckCheckJson(const DeckCheckResult& result);
// The result from that JSON; nothing when the text is not such an object.
std::optional<DeckCheckResult> deckCheckFromJson(const std::string& text);

// The figures as readable lines, each ending in a line feed, in the program's language.
std::string deckCheckText(const DeckCheckResult& result);
// Plain advice, one sentence each: what is wrong and what it means; one sentence of all clear when
// nothing is.
std::vector<std::string> deckCheckAdvice(const DeckCheckResult& result);
// The message that names the parts not found.
std::string deckMissingText(const std::vector<DeckTestPart>& missing);

}  // namespace vantoli
