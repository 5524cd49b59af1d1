#pragma once
// The user's list of tapes, kept between runs in an INI file under the user's configuration folder
// (Vantoli/Vantoli.ini, group [Tapes]).

#include <QString>

#include <optional>
#include <vector>

#include "core/message.h"
#include "core/tape_counter.h"
#include "core/tape_lineup.h"
#include "core/tape_settings.h"
#include "gui/translation.h"

namespace vantoli {

struct StoredTapes {
    std::vector<TapeChoice> choices;  // the standard list when nothing usable is stored
    bool unreadable = false;          // a file was there but did not hold a right list
    QString file;                     // the settings file
    std::optional<Message> problem;   // what to tell the user once the window runs
};

// Reads the list (readSavedTapes). No file, or one without a list, gives the standard list; a file that
// cannot be parsed, or a list that cannot be read or breaks a rule of checkTapeChoices, gives the
// standard list and `unreadable`. A standard length missing from a list read is put back, not owned.
StoredTapes loadTapeChoices();

// Writes the list; false when the file could not be written.
bool saveTapeChoices(const std::vector<TapeChoice>& choices, QString* file = nullptr);

// The deck's counter kept in the same file ([Counter]); nothing when the file has none or it cannot be
// read. Saving gives false when the file could not be written.
std::optional<CounterSetting> loadCounterSetting();
bool saveCounterSetting(const CounterSetting& setting);
// The calibration the kept counter puts in use (counterCalibration), for the label.
std::optional<CounterCalibration> loadCounterCalibration();

// Whether disc titles are looked up on the internet, kept in the same file (Online/lookUpDiscs); off
// when the file does not say. Saving gives false when the file could not be written.
bool loadOnlineLookup();
bool saveOnlineLookup(bool on);
// The language chosen in the Settings menu (key "language": system, ja or en); System when none is kept.
LanguageChoice loadLanguageChoice();
void saveLanguageChoice(LanguageChoice choice);

}  // namespace vantoli
