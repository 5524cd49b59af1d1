#pragma once
// Where the user's list of tapes is kept between runs, and reading it without the window: the same
// file the window reads and writes, Vantoli/Vantoli.ini in the user's configuration folder.

#include <string>
#include <vector>

#include "core/tape_lineup.h"

namespace vantoli {

// $XDG_CONFIG_HOME/Vantoli/Vantoli.ini, or ~/.config/Vantoli/Vantoli.ini when XDG_CONFIG_HOME is not
// set to an absolute path; empty when neither it nor HOME is known.
std::string tapeSettingsPath();

struct SavedTapes {
    std::vector<TapeChoice> choices;  // the list kept, or the standard list
    bool damaged = false;             // a file was there but did not hold a right list
    std::string file;                 // the settings file
};

// The list kept in the settings file (parseTapeSettings). No file gives the standard list; a file that
// is no regular file, cannot be read or is larger than any settings file gives the standard list and
// `damaged`, as a list that cannot be read does.
SavedTapes readSavedTapes(const std::string& file);

}  // namespace vantoli
