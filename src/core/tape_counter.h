#pragma once
// A deck's tape counter against time. The counter turns with the take-up reel, whose radius grows
// as tape winds onto it, so equal counts hold more and more tape: time from the side's start is
// t = a·θ + b·θ² for a counter reading θ (0 at the side's start). Two readings taken on a tape fix
// a and b.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/message.h"

namespace vantoli {

// "The counter read C at T seconds from the side's start."
struct CounterReading {
    int seconds = 0;
    int counter = 0;

    bool operator==(const CounterReading&) const = default;
};

using CounterReadings = std::pair<CounterReading, CounterReading>;

struct CounterCalibration {
    double a = 0;  // seconds per count at the start of the side
    double b = 0;  // seconds per count squared

    bool operator==(const CounterCalibration&) const = default;
};

// Why two readings give no calibration.
enum class CounterRefusal {
    NotAboveZero,   // a time or a count is not above zero
    SameTime,       // both readings at the same time
    SameCount,      // both readings at the same count
    CountsDown,     // the later time at the lower count
    RunsBackwards,  // the fit's counter would run backwards (or stand) before the later reading
};

// What is wrong with the readings as a calibration; nothing when they make one.
std::optional<CounterRefusal> counterRefusal(CounterReading first, CounterReading second);

// Fits t = a·θ + b·θ² through both readings, given in either order. Nothing when counterRefusal
// names a reason.
std::optional<CounterCalibration> calibrateCounter(CounterReading first, CounterReading second);

// The counter reading at `seconds` from the side's start, rounded to a whole number; 0 at or before
// the start, and 0 for a calibration calibrateCounter never gives.
int counterAt(const CounterCalibration& calibration, double seconds);

// Reads "T@C" (T in m:ss, C a whole count): one reading.
std::optional<CounterReading> parseCounterReading(std::string_view text);

// Reads "T1@C1,T2@C2", as given on the command line.
std::optional<CounterReadings> parseCounterReadings(std::string_view text);

// "m:ss@C,m:ss@C": the text parseCounterReadings reads back.
std::string counterReadingsText(const CounterReadings& readings);

// One line for the user on two readings: the fit and the counter at a few times along a side, or why
// the readings give none.
std::string counterFitText(CounterReading first, CounterReading second);
// The same for readings as typed: what they should look like when they could not be read.
std::string counterFitText(const std::optional<CounterReadings>& readings);

// The message for readings that cannot be used (`why`: the text counterFitText gives them).
Message counterReadingsMessage(const std::string& why);

}  // namespace vantoli
