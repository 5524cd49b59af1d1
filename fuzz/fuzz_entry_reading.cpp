// Arbitrary bytes as the 20 entry texts (split at NUL bytes): reading them must never crash, and what
// it accepts must be a list of sane track times.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/entry_reading.h"
#include "core/tape_planner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vantoli::EntryTexts entries;
    std::size_t slot = 0;
    for (std::size_t i = 0; i < size && slot < entries.size(); ++i) {
        if (data[i] == 0)
            ++slot;
        else
            entries[slot].push_back(static_cast<char>(data[i]));
    }

    const auto result = vantoli::ReadTrackTimes(entries);
    if (const auto* error = std::get_if<vantoli::EntryError>(&result)) {
        if (error->track < 1 || error->track > vantoli::EntryCount) std::abort();
        if (error->message().text.empty()) std::abort();
        return 0;
    }
    const auto& times = std::get<vantoli::TrackTimes>(result);
    int total = 0;
    for (int s : times.seconds) {
        if (s < 0 || s > 4800) std::abort();
        total += s;
    }
    if (total != times.grandTotal) std::abort();
    (void)vantoli::PlanTape(times.seconds, {true, false});
    return 0;
}
