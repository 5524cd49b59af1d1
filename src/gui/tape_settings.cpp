#include "gui/tape_settings.h"

#include <QFile>

#include "device/tape_settings_file.h"

namespace vantoli {

StoredTapes loadTapeChoices()
{
    const std::string file = tapeSettingsPath();
    const SavedTapes saved = readSavedTapes(file);
    return StoredTapes{saved.choices, saved.damaged, QFile::decodeName(QByteArray::fromStdString(file)),
                       savedTapesProblem(saved)};
}

bool saveTapeChoices(const std::vector<TapeChoice>& choices, QString* file)
{
    const std::string path = tapeSettingsPath();
    if (file) *file = QFile::decodeName(QByteArray::fromStdString(path));
    return writeSavedTapes(path, choices);
}

std::optional<CounterSetting> loadCounterSetting() { return readSavedCounter(tapeSettingsPath()); }

bool saveCounterSetting(const CounterSetting& setting) { return writeSavedCounter(tapeSettingsPath(), setting); }

std::optional<CounterCalibration> loadCounterCalibration() { return counterCalibration(loadCounterSetting()); }

bool loadOnlineLookup() { return readSetting(tapeSettingsPath(), "Online", "lookUpDiscs") == "true"; }

bool saveOnlineLookup(bool on)
{
    return writeSetting(tapeSettingsPath(), "Online", "lookUpDiscs", on ? "true" : "false");
}

LanguageChoice loadLanguageChoice()
{
    const std::string code = readSetting(tapeSettingsPath(), "General", "language");
    if (code == "ja") return LanguageChoice::Japanese;
    if (code == "en") return LanguageChoice::English;
    return LanguageChoice::System;
}

void saveLanguageChoice(LanguageChoice choice)
{
    const char* code = choice == LanguageChoice::Japanese ? "ja" : choice == LanguageChoice::English ? "en" : "system";
    writeSetting(tapeSettingsPath(), "General", "language", code);
}

}  // namespace vantoli
