#include "gui/tape_settings.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <memory>
#include <optional>

namespace vantoli {

namespace {

// The list is an array of the group "Tapes": size=N and, for i = 1..N, i\minutes, i\sideCapacity and
// i\owned (true or false).
const QString Group = QStringLiteral("Tapes");
const QString MinutesKey = QStringLiteral("minutes");
const QString CapacityKey = QStringLiteral("sideCapacity");
const QString OwnedKey = QStringLiteral("owned");

std::unique_ptr<QSettings> openSettings()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vantoli"),
                                       QStringLiteral("Vantoli"));
}

// Whole numbers only, as a hand-edited file may hold anything.
std::optional<int> readNumber(const QSettings& settings, const QString& key)
{
    bool ok = false;
    const int value = settings.value(key).toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<bool> readFlag(const QSettings& settings, const QString& key)
{
    const QString text = settings.value(key).toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1")) return true;
    if (text == QLatin1String("false") || text == QLatin1String("0")) return false;
    return std::nullopt;
}

// The list in the file, or nothing when it cannot be read.
std::optional<std::vector<TapeChoice>> readList(QSettings& settings)
{
    const std::optional<int> size = readNumber(settings, Group + QStringLiteral("/size"));
    if (!size || *size < 1 || *size > LongestTapeMinutes) return std::nullopt;
    std::vector<TapeChoice> choices;
    settings.beginReadArray(Group);
    for (int i = 0; i < *size; ++i) {
        settings.setArrayIndex(i);
        const std::optional<int> minutes = readNumber(settings, MinutesKey);
        const std::optional<int> capacity = readNumber(settings, CapacityKey);
        const std::optional<bool> owned = readFlag(settings, OwnedKey);
        if (!minutes || !capacity || !owned) {
            settings.endArray();
            return std::nullopt;
        }
        choices.push_back({*minutes, *capacity, *owned});
    }
    settings.endArray();
    return choices;
}

}  // namespace

StoredTapes loadTapeChoices()
{
    StoredTapes stored;
    const std::unique_ptr<QSettings> settings = openSettings();
    stored.file = settings->fileName();
    stored.choices = standardTapeChoices();
    // A file the settings cannot parse, or one with something in it but no setting at all, is damaged.
    // A file without the list (other settings only) simply has no list yet.
    if (settings->status() != QSettings::NoError ||
        (QFileInfo(stored.file).size() > 0 && settings->allKeys().isEmpty())) {
        stored.unreadable = true;
        return stored;
    }
    if (!settings->childGroups().contains(Group)) return stored;

    std::optional<std::vector<TapeChoice>> choices = readList(*settings);
    if (choices && !checkTapeChoices(*choices)) {
        for (const Tape& tape : standardLineup()) {
            const auto place = std::find_if(choices->begin(), choices->end(),
                                            [&](const TapeChoice& c) { return c.minutes >= tape.minutes; });
            if (place == choices->end() || place->minutes != tape.minutes)
                choices->insert(place, {tape.minutes, tape.sideCapacity, false});
        }
        stored.choices = std::move(*choices);
    } else {
        stored.unreadable = true;
    }
    return stored;
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
    return settings->status() == QSettings::NoError;
}

}  // namespace vantoli
