#pragma once
// The user's list of tapes as the settings file keeps it between runs: an INI file (as QSettings wrote
// it in earlier versions) whose group [Tapes] is an array: size=N and, for i = 1..N, i\minutes,
// i\sideCapacity and i\owned (true or false). device/tape_settings_file.h reads and writes the file.

#include <string>
#include <string_view>
#include <vector>

#include "core/tape_lineup.h"

namespace vantoli {

struct StoredTapeList {
    enum class State {
        NoList,   // no file, or a file without the group [Tapes] (other settings only)
        Read,     // a right list
        Damaged,  // the file or the list cannot be read, or the list breaks a rule of checkTapeChoices
    };
    State state = State::NoList;
    std::vector<TapeChoice> choices;  // the list read, else the standard list

    bool operator==(const StoredTapeList&) const = default;
};

// Reads the list from the text of the settings file. A line is a [section], a key=value pair, a comment
// (starting with ';' or '#') or blank; anything else, or a file with something in it but no key at all,
// makes the file damaged. A standard length missing from a list read is put back, not owned.
StoredTapeList parseTapeSettings(std::string_view ini);

// The settings file's text with `choices` as its list: the file's other groups kept as `earlier` holds
// them, the group [Tapes] written last, its keys in the order QSettings wrote them (as text: "10\..."
// before "2\..."). An `earlier` text that is no INI text is not kept.
std::string tapeSettingsText(const std::vector<TapeChoice>& choices, std::string_view earlier = {});

}  // namespace vantoli
