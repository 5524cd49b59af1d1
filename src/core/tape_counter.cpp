#include "core/tape_counter.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/time_text.h"

namespace vantoli {

std::optional<CounterCalibration> calibrateCounter(CounterReading first, CounterReading second) {
    if (first.seconds > second.seconds) std::swap(first, second);
    if (first.seconds <= 0 || first.counter <= 0 || second.seconds <= first.seconds ||
        second.counter <= first.counter)
        return std::nullopt;
    const double t1 = first.seconds, t2 = second.seconds;
    const double c1 = first.counter, c2 = second.counter;
    CounterCalibration fit;
    fit.b = (t2 / c2 - t1 / c1) / (c2 - c1);
    fit.a = t1 / c1 - fit.b * c1;
    // The counter must run forwards all the way to the later reading: dt/dθ = a + 2bθ above zero.
    if (fit.a <= 0 || fit.a + 2 * fit.b * c2 <= 0) return std::nullopt;
    return fit;
}

int counterAt(const CounterCalibration& calibration, double seconds) {
    if (seconds <= 0) return 0;
    // The root of bθ² + aθ − t = 0 that starts at 0, written so that b = 0 needs no case of its own.
    const double discriminant = std::max(0.0, calibration.a * calibration.a + 4 * calibration.b * seconds);
    const double theta = 2 * seconds / (calibration.a + std::sqrt(discriminant));
    return static_cast<int>(std::lround(theta));
}

namespace {

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    if (text.empty() || text.size() > 6) return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

// "m:ss@C"
std::optional<CounterReading> counterReading(std::string_view text) {
    const auto at = text.find('@');
    if (at == std::string_view::npos) return std::nullopt;
    const std::string_view time = text.substr(0, at);
    const auto colon = time.find(':');
    if (colon == std::string_view::npos || time.size() - colon - 1 != 2) return std::nullopt;
    const auto minutes = wholeNumber(time.substr(0, colon));
    const auto seconds = wholeNumber(time.substr(colon + 1));
    const auto counter = wholeNumber(text.substr(at + 1));
    if (!minutes || !seconds || !counter || *seconds > 59 || *minutes > 999) return std::nullopt;
    return CounterReading{*minutes * 60 + *seconds, *counter};
}

}  // namespace

std::optional<std::pair<CounterReading, CounterReading>> parseCounterReadings(std::string_view text) {
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto first = counterReading(text.substr(0, comma));
    const auto second = counterReading(text.substr(comma + 1));
    if (!first || !second) return std::nullopt;
    return std::pair{*first, *second};
}

std::string counterReadingsText(const std::pair<CounterReading, CounterReading>& readings) {
    const auto one = [](const CounterReading& reading) {
        return minutesSecondsText(reading.seconds) + "@" + std::to_string(reading.counter);
    };
    return one(readings.first) + "," + one(readings.second);
}

}  // namespace vantoli
