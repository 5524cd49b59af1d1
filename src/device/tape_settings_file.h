#pragma once
// The file the user's list of tapes is kept in between runs, Vantoli/Vantoli.ini in the user's
// configuration folder: its one reader and writer, for the window and the command line.

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

// Writes `choices` as the list kept in `file` (tapeSettingsText), making its folder when there is
// none. The file is replaced whole, so a failed write leaves the earlier one as it was; false when
// it could not be written.
bool writeSavedTapes(const std::string& file, const std::vector<TapeChoice>& choices);

}  // namespace vantoli
