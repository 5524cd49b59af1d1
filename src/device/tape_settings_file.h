#pragma once
// The file the user's list of tapes is kept in between runs, Vantoli/Vantoli.ini in the user's
// configuration folder: its one reader and writer, for the window and the command line.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/message.h"
#include "core/tape_lineup.h"
#include "core/tape_settings.h"

namespace vantoli {

// $XDG_CONFIG_HOME/Vantoli/Vantoli.ini, or ~/.config/Vantoli/Vantoli.ini when XDG_CONFIG_HOME is not
// set to an absolute path; empty when neither it nor HOME is known.
std::string tapeSettingsPath();

struct SavedTapes {
    std::vector<TapeChoice> choices;  // the list kept, or the standard list
    bool damaged = false;             // a file was there but did not hold a right list
    std::string file;                 // the settings file
    bool unreadable = false;          // the file cannot be read whole: it is never written
    std::vector<BadSettingsLine> badLines;
};

// The list kept in the settings file (parseTapeSettings). No file gives the standard list; a file that
// is no regular file, cannot be read or is larger than any settings file gives the standard list,
// `damaged` and `unreadable`; a list that cannot be read gives `damaged`.
SavedTapes readSavedTapes(const std::string& file);

// What to tell the user of the file read: it is left alone, its list cannot be read, or lines were
// passed over; nothing when all is well.
std::optional<Message> savedTapesProblem(const SavedTapes& saved);

// Changes the settings file: under a lock on its folder, held across the read, the change and the write
// (so that two programs never undo each other), `change` is given the file's text (empty when there is
// none) and gives the new one, which replaces the file whole (written beside it, synced, renamed);
// the folder is made when there is none. A file that cannot be read whole is never written. Nothing is
// written when the text stays the same. False when the file could not be read or written.
bool changeSettings(const std::string& file, const std::function<std::string(std::string_view)>& change);

// Writes `choices` as the list kept in `file` (tapeSettingsText) through changeSettings; false when it
// could not be written.
bool writeSavedTapes(const std::string& file, const std::vector<TapeChoice>& choices);

// The whole text of the settings file; empty when there is none or it cannot be read whole.
std::string readSettingsText(const std::string& file);

// One value of the settings file beside the list (settingValue); empty when there is none or the file
// cannot be read.
std::string readSetting(const std::string& file, const std::string& group, const std::string& key);

// The deck's counter kept in the file (counterSetting); nothing when there is none or the file cannot
// be read.
std::optional<CounterSetting> readSavedCounter(const std::string& file);

// Keeps the counter in the file (withCounterSetting) through changeSettings; false when it could not
// be written.
bool writeSavedCounter(const std::string& file, const CounterSetting& setting);

// Sets one value (withSettingValue), the rest of the file kept, through changeSettings; false when it
// could not be written.
bool writeSetting(const std::string& file, const std::string& group, const std::string& key, const std::string& value);

}  // namespace vantoli
