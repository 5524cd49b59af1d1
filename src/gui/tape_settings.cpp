#include "gui/tape_settings.h"

#include <QFile>
#include <QSettings>

#include <memory>

#include "device/tape_settings_file.h"

namespace vantoli {

namespace {

// The list is an array of the group "Tapes": size=N and, for i = 1..N, i\minutes, i\sideCapacity and
// i\owned (true or false); core/tape_settings.h reads it back.
const QString Group = QStringLiteral("Tapes");
const QString MinutesKey = QStringLiteral("minutes");
const QString CapacityKey = QStringLiteral("sideCapacity");
const QString OwnedKey = QStringLiteral("owned");

std::unique_ptr<QSettings> openSettings()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vantoli"),
                                       QStringLiteral("Vantoli"));
}

}  // namespace

StoredTapes loadTapeChoices()
{
    // QSettings writes the file (and knows where it is); reading it is the same for every front end.
    const QString file = openSettings()->fileName();
    const SavedTapes saved = readSavedTapes(QFile::encodeName(file).toStdString());
    return StoredTapes{saved.choices, saved.damaged, file};
}

bool saveTapeChoices(const std::vector<TapeChoice>& choices, QString* file)
{
    const std::unique_ptr<QSettings> settings = openSettings();
    if (file) *file = settings->fileName();
    settings->remove(Group);
    settings->beginWriteArray(Group, static_cast<int>(choices.size()));
    for (int i = 0; i < static_cast<int>(choices.size()); ++i) {
        settings->setArrayIndex(i);
        settings->setValue(MinutesKey, choices[i].minutes);
        settings->setValue(CapacityKey, choices[i].sideCapacity);
        settings->setValue(OwnedKey, choices[i].owned);
    }
    settings->endArray();
    settings->sync();
    // A FormatError speaks of the earlier, damaged file, which the list has just replaced.
    return settings->status() != QSettings::AccessError;
}

namespace {

const QString LanguageKey = QStringLiteral("language");

}  // namespace

LanguageChoice loadLanguageChoice()
{
    const QString code = openSettings()->value(LanguageKey).toString();
    if (code == QLatin1String("ja")) return LanguageChoice::Japanese;
    if (code == QLatin1String("en")) return LanguageChoice::English;
    return LanguageChoice::System;
}

void saveLanguageChoice(LanguageChoice choice)
{
    const char* code = choice == LanguageChoice::Japanese ? "ja" : choice == LanguageChoice::English ? "en" : "system";
    openSettings()->setValue(LanguageKey, QString::fromLatin1(code));
}

}  // namespace vantoli
