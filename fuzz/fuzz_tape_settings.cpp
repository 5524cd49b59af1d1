// Arbitrary bytes as the settings file: the reader never fails, a bad line costs that line only, and
// what the writers make of the text keeps every key they did not set and reads back what they set
// (the list, one value, the deck's counter).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/tape_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantoli;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const StoredTapeList stored = parseTapeSettings(text);
    if (stored.choices.empty()) std::abort();
    for (const BadSettingsLine& line : stored.badLines)
        if (line.number == 0 || line.text.find_first_of("\r\n") != std::string::npos) std::abort();

    // The list written into the text reads back as itself, with no line of the list passed over.
    const std::vector<TapeChoice> choices{{46, 1425, true}, {90, 2745, false}};
    const std::string withList = tapeSettingsText(choices, text);
    const StoredTapeList read = parseTapeSettings(withList);
    if (read.state == StoredTapeList::State::Read) {
        for (const TapeChoice& choice : choices)
            if (std::find(read.choices.begin(), read.choices.end(), choice) == read.choices.end()) std::abort();
    } else if (read.state != StoredTapeList::State::Damaged) {
        std::abort();
    }
    if (tapeSettingsText(choices, withList) != withList) std::abort();

    // A value set reads back, the list as it was, and setting it again changes nothing.
    const std::string set = withSettingValue(text, "Online", "lookUpDiscs", "true");
    if (settingValue(set, "Online", "lookUpDiscs") != "true") std::abort();
    if (withSettingValue(set, "Online", "lookUpDiscs", "true") != set) std::abort();
    if (parseTapeSettings(set).choices != stored.choices) std::abort();

    // So does the deck's counter, in its own group.
    const CounterSetting counter{true, {{300, 150}, {2700, 999}}};
    const std::string withCounter = withCounterSetting(text, counter);
    if (counterSetting(withCounter) != counter) std::abort();
    if (withCounterSetting(withCounter, counter) != withCounter) std::abort();
    if (parseTapeSettings(withCounter).choices != stored.choices) std::abort();
    (void)counterCalibration(counterSetting(text));
    return 0;
}
