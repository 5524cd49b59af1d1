#include "core/deck_test_program.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vantoli {

namespace {

using namespace deck_test;

double amplitude(double dbfs) { return std::pow(10.0, dbfs / 20.0); }

std::int64_t frameAt(double seconds) { return std::llround(seconds * DeckTestRate); }

// The tone's value at `t` seconds of the program, faded in and out; 0 outside it.
double toneAt(const DeckTestTone& tone, double t)
{
    const double into = t - tone.start;
    if (into < 0 || into >= tone.seconds) return 0;
    const double edge = std::min(into, tone.seconds - into);
    const double gain = edge < FadeSeconds ? 0.5 - 0.5 * std::cos(std::numbers::pi * edge / FadeSeconds) : 1.0;
    return amplitude(tone.dbfs) * gain * std::sin(2 * std::numbers::pi * tone.hz * into);
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

std::vector<DeckTestTone> deckTestTones()
{
    std::vector<DeckTestTone> tones;
    for (DeckTestPart part : DeckTestParts) {
        const double start = deckTestPartStart(part);
        const double marker = deckTestMarkerSeconds(part);
        tones.push_back({start - AfterMarkerSeconds - marker, marker, MarkerLowHz, MarkerDbfs});
        tones.push_back({start - AfterMarkerSeconds - marker, marker, MarkerHighHz, MarkerDbfs});
        switch (part) {
        case DeckTestPart::Level: tones.push_back({start, LevelSeconds, LevelHz, LevelDbfs}); break;
        case DeckTestPart::Speed: tones.push_back({start, SpeedSeconds, SpeedHz, SpeedDbfs}); break;
        case DeckTestPart::Azimuth:
            tones.push_back({start, CoarseSeconds, CoarseHz, CoarseDbfs});
            tones.push_back({start + CoarseSeconds + AzimuthGapSeconds, AzimuthSeconds, AzimuthHz, AzimuthDbfs});
            break;
        case DeckTestPart::Response:
            for (std::size_t i = 0; i < ResponseHz.size(); ++i)
                tones.push_back({start + static_cast<double>(i) * (ResponseStepSeconds + ResponseGapSeconds),
                                 ResponseStepSeconds, ResponseHz[i], ResponseDbfs});
            break;
        case DeckTestPart::Noise: break;  // silence: what comes back is the deck's own noise
        }
    }
    return tones;
}

std::vector<float> deckTestProgram()
{
    return deckTestProgram([](double t, int) { return t; }, frameAt(deckTestSeconds()));
}

std::vector<float> deckTestProgram(const std::function<double(double, int)>& warp, std::int64_t frames)
{
    std::vector<float> samples(static_cast<std::size_t>(2 * std::max<std::int64_t>(0, frames)), 0.0f);
    const std::vector<DeckTestTone> tones = deckTestTones();
    for (int channel = 0; channel < 2; ++channel) {
        // The tones sound in order of their start: those that may sound at the time reached are kept.
        std::size_t next = 0;
        std::vector<const DeckTestTone*> sounding;
        for (std::int64_t i = 0; i < frames; ++i) {
            const double t = warp(static_cast<double>(i) / DeckTestRate, channel);
            while (next < tones.size() && tones[next].start <= t) sounding.push_back(&tones[next++]);
            std::erase_if(sounding, [&](const DeckTestTone* tone) { return t >= tone->start + tone->seconds; });
            double value = 0;
            for (const DeckTestTone* tone : sounding) value += toneAt(*tone, t);
            samples[static_cast<std::size_t>(2 * i + channel)] = static_cast<float>(value);
        }
    }
    return samples;
}

}  // namespace vantoli
