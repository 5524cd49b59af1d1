#pragma once
// The user's list of tapes as the settings file keeps it between runs: an INI file (as QSettings wrote
// it in earlier versions) whose group [Tapes] is an array: size=N and, for i = 1..N, i\minutes,
// i\sideCapacity and i\owned (true or false); the deck's counter beside it in [Counter].
// device/tape_settings_file.h reads and writes the file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/message.h"
#include "core/tape_counter.h"
#include "core/tape_lineup.h"

namespace vantoli {

// A line of the settings file that is no [section], key=value, comment or blank, passed over.
struct BadSettingsLine {
    std::size_t number = 0;  // counted from 1
    std::string text;        // as it stands, made valid UTF-8

    bool operator==(const BadSettingsLine&) const = default;
};

struct StoredTapeList {
    enum class State {
        NoList,   // no file, or a file without the group [Tapes] (other settings only)
        Read,     // a right list
        Damaged,  // the file or the list cannot be read, or the list breaks a rule of checkTapeChoices
    };
    State state = State::NoList;
    std::vector<TapeChoice> choices;  // the list read, else the standard list
    std::vector<BadSettingsLine> badLines;

    bool operator==(const StoredTapeList&) const = default;
};

// Reads the list from the text of the settings file. A line is a [section], a key=value pair, a comment
// (starting with ';' or '#') or blank; anything else is passed over and named in `badLines`, the rest
// read as if it were not there. A file with something in it but no key at all is damaged. A standard
// length missing from a list read is put back, not owned.
StoredTapeList parseTapeSettings(std::string_view ini);

// The settings file's text with `choices` as its list: the file's other groups kept as `earlier` holds
// them, the group [Tapes] written last, its keys in the order QSettings wrote them (as text: "10\..."
// before "2\..."). Lines of `earlier` that are no INI lines (named when it was read) are dropped.
std::string tapeSettingsText(const std::vector<TapeChoice>& choices, std::string_view earlier = {});

// One plain value of the settings file, as `key` under [group] holds it (quotes removed); empty when
// the file has none.
std::string settingValue(std::string_view ini, std::string_view group, std::string_view key);

// The settings file's text with `key` under [group] set to `value` (a plain word or number): the key
// replaced where it stands (kept as written when it already holds the value), else added at the end of
// its group, else the group added at the end. Every other line is kept as it is.
std::string withSettingValue(std::string_view ini, std::string_view group, std::string_view key,
                             std::string_view value);

// The deck's counter as the Tape Types window keeps it, in the group [Counter]: use (true or false)
// and the two readings, seconds1 and count1, seconds2 and count2 (whole numbers). The readings are
// kept while the counter is not in use.
struct CounterSetting {
    bool use = false;
    CounterReadings readings;

    bool operator==(const CounterSetting&) const = default;
};

// The counter kept in the settings file's text; nothing when the file has none, or when a value of it
// is missing or no number (the file's other settings read as ever).
std::optional<CounterSetting> counterSetting(std::string_view ini);

// The settings file's text with the counter set (withSettingValue), every other line kept.
std::string withCounterSetting(std::string_view ini, const CounterSetting& setting);

// The calibration a counter setting puts in use: the fit of its readings when it is used and they
// make one (calibrateCounter).
std::optional<CounterCalibration> counterCalibration(const std::optional<CounterSetting>& setting);

// The message for lines of the settings file passed over (the first few named, then how many more).
Message badSettingsLinesMessage(const std::string& file, const std::vector<BadSettingsLine>& lines);
// The message for a settings file that could not be read whole: it is left as it is and the standard
// settings are used.
Message unreadableSettingsMessage(const std::string& file);

}  // namespace vantoli
