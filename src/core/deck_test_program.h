#pragma once
// The deck check's test program: the tones a deck records and plays back so that its speed, flutter,
// azimuth, levels, response and noise can be measured. One definition of its layout serves the writer
// and the analysis, which finds each part again by the marker before it.
//
// Every part is a marker (two tones, 1900 Hz and 2700 Hz at -16 dBFS each, lasting 0.3 s times the
// part's number), 0.5 s of silence, the part itself and 1 s of silence. The program starts with 1 s of
// silence. All tones sound on both channels in phase and fade in and out over 5 ms.

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace vantoli {

inline constexpr int DeckTestRate = 44100;

enum class DeckTestPart {
    Level = 1,     // 400 Hz, -10 dBFS, 10 s
    Speed = 2,     // 3150 Hz, -10 dBFS, 40 s
    Azimuth = 3,   // 1 kHz, -10 dBFS, 5 s (coarse); 0.5 s silence; 10 kHz, -20 dBFS, 10 s
    Response = 4,  // the ISO third-octave centres 31.5 Hz ... 16 kHz, 1 s each at -20 dBFS, 0.25 s apart
    Noise = 5,     // 10 s of silence
};
inline constexpr std::array<DeckTestPart, 5> DeckTestParts{DeckTestPart::Level, DeckTestPart::Speed,
                                                           DeckTestPart::Azimuth, DeckTestPart::Response,
                                                           DeckTestPart::Noise};

// The part's name in JSON and messages: "level", "speed", "azimuth", "response", "noise".
std::string_view deckTestPartName(DeckTestPart part);

namespace deck_test {
inline constexpr double MarkerLowHz = 1900;
inline constexpr double MarkerHighHz = 2700;
inline constexpr double MarkerDbfs = -16;
inline constexpr double MarkerUnitSeconds = 0.3;  // a part's marker lasts its number times this
inline constexpr double AfterMarkerSeconds = 0.5;
inline constexpr double AfterPartSeconds = 1.0;
inline constexpr double LeadSeconds = 1.0;
inline constexpr double FadeSeconds = 0.005;

inline constexpr double LevelHz = 400;
inline constexpr double LevelDbfs = -10;
inline constexpr double LevelSeconds = 10;
inline constexpr double SpeedHz = 3150;
inline constexpr double SpeedDbfs = -10;
inline constexpr double SpeedSeconds = 40;
inline constexpr double CoarseHz = 1000;
inline constexpr double CoarseDbfs = -10;
inline constexpr double CoarseSeconds = 5;
inline constexpr double AzimuthGapSeconds = 0.5;
inline constexpr double AzimuthHz = 10000;
inline constexpr double AzimuthDbfs = -20;
inline constexpr double AzimuthSeconds = 10;
inline constexpr double ResponseDbfs = -20;
inline constexpr double ResponseStepSeconds = 1.0;
inline constexpr double ResponseGapSeconds = 0.25;
inline constexpr double NoiseSeconds = 10;
// The ISO third-octave centres the response part steps through, in order.
inline constexpr std::array<double, 28> ResponseHz{31.5, 40,   50,   63,   80,   100,  125,   160,   200,  250,
                                                   315,  400,  500,  630,  800,  1000, 1250,  1600,  2000, 2500,
                                                   3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000};
}  // namespace deck_test

// How long the part itself lasts in the program (without its marker and the silences around it).
double deckTestPartSeconds(DeckTestPart part);
// How long the part's marker lasts.
double deckTestMarkerSeconds(DeckTestPart part);
// Where the part starts in the program, in seconds from the program's start (after its marker and the
// silence that follows it).
double deckTestPartStart(DeckTestPart part);
// The whole program's length in seconds.
double deckTestSeconds();

// One tone of the program: from `start` for `seconds`, on both channels.
struct DeckTestTone {
    double start = 0;
    double seconds = 0;
    double hz = 0;
    double dbfs = 0;
};
std::vector<DeckTestTone> deckTestTones();

// The program as interleaved stereo samples (-1 to 1) at DeckTestRate.
std::vector<float> deckTestProgram();
// The program as a deck would play it back: `frames` frames, the frame at time t (s) of channel c (0 left,
// 1 right) sounding what the program holds at warp(t, c), which must rise with t. A deck running fast
// by s plays warp(t, c) = (1 + s) t; flutter adds a wobble; a tilted head delays one channel.
std::vector<float> deckTestProgram(const std::function<double(double, int)>& warp, std::int64_t frames);

}  // namespace vantoli
