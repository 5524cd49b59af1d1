#pragma once
// A deck's tape counter against time. The counter turns with the take-up reel, whose radius grows
// as tape winds onto it, so equal counts hold more and more tape: time from the side's start is
// t = a·θ + b·θ² for a counter reading θ (0 at the side's start). Two readings taken on a tape fix
// a and b.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vantoli {

// "The counter read C at T seconds from the side's start."
struct CounterReading {
    int seconds = 0;
    int counter = 0;

    bool operator==(const CounterReading&) const = default;
};

struct CounterCalibration {
    double a = 0;  // seconds per count at the start of the side
    double b = 0;  // seconds per count squared

    bool operator==(const CounterCalibration&) const = default;
};

// Fits t = a·θ + b·θ² through both readings. Nothing when the readings cannot come from a counter
// that counts up as the tape plays: a time or a count that is not above zero, two readings at the
// same count, a later time at a lower count, or a fit whose counter would run backwards (or stand)
// anywhere before the later reading.
std::optional<CounterCalibration> calibrateCounter(CounterReading first, CounterReading second);

// The counter reading at `seconds` from the side's start, rounded to a whole number.
int counterAt(const CounterCalibration& calibration, double seconds);

// Reads "T1@C1,T2@C2" (T in m:ss, C a whole count), as given on the command line.
std::optional<std::pair<CounterReading, CounterReading>> parseCounterReadings(std::string_view text);

// "m:ss@C,m:ss@C": the text parseCounterReadings reads back.
std::string counterReadingsText(const std::pair<CounterReading, CounterReading>& readings);

}  // namespace vantoli
