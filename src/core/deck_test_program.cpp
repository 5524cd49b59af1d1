#include "core/deck_test_program.h"

#include <cmath>
#include <numbers>

namespace vantoli {

namespace {

using namespace deck_test;

double amplitude(double dbfs) { return std::pow(10.0, dbfs / 20.0); }

std::int64_t frameAt(double seconds) { return std::llround(seconds * DeckTestRate); }

// Adds a tone to both channels from `start` for `seconds`, faded in and out.
void addTone(std::vector<float>& samples, double start, double seconds, double hz, double dbfs)
{
    const std::int64_t first = frameAt(start);
    const std::int64_t count = frameAt(seconds);
    const std::int64_t fade = frameAt(FadeSeconds);
    const double peak = amplitude(dbfs);
    for (std::int64_t i = 0; i < count; ++i) {
        double gain = 1.0;
        const std::int64_t edge = std::min(i, count - 1 - i);
        if (edge < fade) gain = 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(edge) / static_cast<double>(fade));
        const double value = peak * gain * std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / DeckTestRate);
        const auto at = static_cast<std::size_t>(2 * (first + i));
        samples[at] += static_cast<float>(value);
        samples[at + 1] += static_cast<float>(value);
    }
}

}  // namespace

std::string_view deckTestPartName(DeckTestPart part)
{
    switch (part) {
    case DeckTestPart::Level: return "level";
    case DeckTestPart::Speed: return "speed";
    case DeckTestPart::Azimuth: return "azimuth";
    case DeckTestPart::Response: return "response";
    case DeckTestPart::Noise: return "noise";
    }
    return "";
}

double deckTestPartSeconds(DeckTestPart part)
{
    switch (part) {
    case DeckTestPart::Level: return LevelSeconds;
    case DeckTestPart::Speed: return SpeedSeconds;
    case DeckTestPart::Azimuth: return CoarseSeconds + AzimuthGapSeconds + AzimuthSeconds;
    case DeckTestPart::Response:
        return static_cast<double>(ResponseHz.size()) * (ResponseStepSeconds + ResponseGapSeconds) - ResponseGapSeconds;
    case DeckTestPart::Noise: return NoiseSeconds;
    }
    return 0;
}

double deckTestMarkerSeconds(DeckTestPart part) { return MarkerUnitSeconds * static_cast<int>(part); }

double deckTestPartStart(DeckTestPart part)
{
    double at = LeadSeconds;
    for (DeckTestPart each : DeckTestParts) {
        at += deckTestMarkerSeconds(each) + AfterMarkerSeconds;
        if (each == part) return at;
        at += deckTestPartSeconds(each) + AfterPartSeconds;
    }
    return at;
}

double deckTestSeconds()
{
    const DeckTestPart last = DeckTestParts.back();
    return deckTestPartStart(last) + deckTestPartSeconds(last) + AfterPartSeconds;
}

std::vector<float> deckTestProgram()
{
    std::vector<float> samples(static_cast<std::size_t>(2 * frameAt(deckTestSeconds())), 0.0f);
    for (DeckTestPart part : DeckTestParts) {
        const double start = deckTestPartStart(part);
        const double marker = deckTestMarkerSeconds(part);
        addTone(samples, start - AfterMarkerSeconds - marker, marker, MarkerLowHz, MarkerDbfs);
        addTone(samples, start - AfterMarkerSeconds - marker, marker, MarkerHighHz, MarkerDbfs);
        switch (part) {
        case DeckTestPart::Level: addTone(samples, start, LevelSeconds, LevelHz, LevelDbfs); break;
        case DeckTestPart::Speed: addTone(samples, start, SpeedSeconds, SpeedHz, SpeedDbfs); break;
        case DeckTestPart::Azimuth:
            addTone(samples, start, CoarseSeconds, CoarseHz, CoarseDbfs);
            addTone(samples, start + CoarseSeconds + AzimuthGapSeconds, AzimuthSeconds, AzimuthHz, AzimuthDbfs);
            break;
        case DeckTestPart::Response:
            for (std::size_t i = 0; i < ResponseHz.size(); ++i)
                addTone(samples, start + static_cast<double>(i) * (ResponseStepSeconds + ResponseGapSeconds),
                        ResponseStepSeconds, ResponseHz[i], ResponseDbfs);
            break;
        case DeckTestPart::Noise: break;  // silence: what comes back is the deck's own noise
        }
    }
    return samples;
}

}  // namespace vantoli
