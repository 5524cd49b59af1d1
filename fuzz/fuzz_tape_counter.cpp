// Arbitrary bytes as the counter readings of the command line: the reader never fails, readings it
// reads write back as the same text, and a fit of them gives back both readings' counts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/tape_counter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantoli;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto readings = parseCounterReadings(text);
    if (!readings) return 0;
    if (parseCounterReadings(counterReadingsText(*readings)) != readings) std::abort();
    const auto fit = calibrateCounter(readings->first, readings->second);
    if (fit.has_value() == counterRefusal(readings->first, readings->second).has_value()) std::abort();
    if (fit) {
        for (const CounterReading& reading : {readings->first, readings->second})
            if (std::abs(counterAt(*fit, reading.seconds) - reading.counter) > 1) std::abort();
        if (counterAt(*fit, 0) != 0) std::abort();
    }
    (void)counterFitText(readings);
    return 0;
}
