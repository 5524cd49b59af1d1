#include "core/tape_counter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/language.h"
#include "core/time_text.h"

namespace vantoli {

std::optional<CounterRefusal> counterRefusal(CounterReading first, CounterReading second)
{
    if (first.seconds > second.seconds) std::swap(first, second);
    if (first.seconds <= 0 || first.counter <= 0 || second.counter <= 0) return CounterRefusal::NotAboveZero;
    if (first.seconds == second.seconds) return CounterRefusal::SameTime;
    if (first.counter == second.counter) return CounterRefusal::SameCount;
    if (second.counter < first.counter) return CounterRefusal::CountsDown;
    if (!calibrateCounter(first, second)) return CounterRefusal::RunsBackwards;
    return std::nullopt;
}

std::optional<CounterCalibration> calibrateCounter(CounterReading first, CounterReading second)
{
    if (first.seconds > second.seconds) std::swap(first, second);
    if (first.seconds <= 0 || first.counter <= 0 || second.seconds <= first.seconds || second.counter <= first.counter)
        return std::nullopt;
    // t/θ = a + bθ is a line through both readings.
    const double t1 = first.seconds, t2 = second.seconds;
    const double c1 = first.counter, c2 = second.counter;
    CounterCalibration fit;
    fit.b = (t2 / c2 - t1 / c1) / (c2 - c1);
    fit.a = t1 / c1 - fit.b * c1;
    // The counter must run forwards all the way to the later reading: dt/dθ = a + 2bθ above zero,
    // which for a line in θ is its value at both ends.
    if (fit.a <= 0 || fit.a + 2 * fit.b * c2 <= 0) return std::nullopt;
    return fit;
}

int counterAt(const CounterCalibration& calibration, double seconds)
{
    const double a = calibration.a, b = calibration.b;
    if (!(seconds > 0) || !(a > 0) || !std::isfinite(a) || !std::isfinite(b)) return 0;
    // The root of bθ² + aθ − t = 0 that starts at 0, written so that b = 0 needs no case of its own.
    // Past the top of a fit that bends over (b < 0) the counter goes on at the rate of the start.
    const double discriminant = std::max(0.0, a * a + 4 * b * seconds);
    const double theta = 2 * seconds / (a + std::sqrt(discriminant));
    if (!(theta < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(std::lround(theta));
}

namespace {

// Digits only: no sign, no blank.
std::optional<int> wholeNumber(std::string_view text)
{
    if (text.empty() || text.size() > 6) return std::nullopt;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// A number with three significant digits, as C++ writes it whatever the locale.
std::string shortNumber(double value)
{
    std::array<char, 32> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 3);
    return error == std::errc{} ? std::string(buffer.data(), end) : std::string("?");
}

}  // namespace

std::optional<CounterReading> parseCounterReading(std::string_view text)
{
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

std::optional<CounterReadings> parseCounterReadings(std::string_view text)
{
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto first = parseCounterReading(text.substr(0, comma));
    const auto second = parseCounterReading(text.substr(comma + 1));
    if (!first || !second) return std::nullopt;
    return CounterReadings{*first, *second};
}

std::string counterReadingsText(const CounterReadings& readings)
{
    const auto one = [](const CounterReading& reading) {
        return minutesSecondsText(reading.seconds) + "@" + std::to_string(reading.counter);
    };
    return one(readings.first) + "," + one(readings.second);
}

std::string counterFitText(CounterReading first, CounterReading second)
{
    if (const std::optional<CounterRefusal> refusal = counterRefusal(first, second)) {
        switch (*refusal) {
        case CounterRefusal::NotAboveZero: return _("時間とカウンターは 0 より大きくしてください。");
        case CounterRefusal::SameTime: return _("2 つの読みの時間が同じです。時間を離して読んでください。");
        case CounterRefusal::SameCount: return _("2 つの読みのカウンターが同じです。");
        case CounterRefusal::CountsDown: return _("後の時間のほうがカウンターが小さくなっています。");
        case CounterRefusal::RunsBackwards:
            return _("この 2 つの読みでは、カウンターが途中で逆に回ることになります。読み直してください。");
        }
    }
    const CounterCalibration fit = *calibrateCounter(first, second);
    const std::string formula =
        "t = " + shortNumber(fit.a) + "·C " + (fit.b < 0 ? "− " : "+ ") + shortNumber(std::abs(fit.b)) + "·C²";
    return fill(_("%1（C はカウンター、t は秒）　15:00 で %2、30:00 で %3、45:00 で %4"),
                {formula, std::to_string(counterAt(fit, 15 * 60)), std::to_string(counterAt(fit, 30 * 60)),
                 std::to_string(counterAt(fit, 45 * 60))});
}

std::string counterFitText(const std::optional<CounterReadings>& readings)
{
    if (!readings) return _("時間は「分:秒」（例 12:30）、カウンターは整数で入力してください。");
    return counterFitText(readings->first, readings->second);
}

Message counterReadingsMessage(const std::string& why)
{
    return {_("テープの種類"), fill(_("カウンターの読みを使えません。\r%1"), {why}), MessageIcon::Exclamation};
}

}  // namespace vantoli
