#include "gui/tape_settings.h"

#include <QFile>

#include "device/tape_settings_file.h"

namespace vantoli {

StoredTapes loadTapeChoices()
{
    const std::string file = tapeSettingsPath();
    const SavedTapes saved = readSavedTapes(file);
    return StoredTapes{saved.choices, saved.damaged, QFile::decodeName(QByteArray::fromStdString(file))};
}

bool saveTapeChoices(const std::vector<TapeChoice>& choices, QString* file)
{
    const std::string path = tapeSettingsPath();
    if (file) *file = QFile::decodeName(QByteArray::fromStdString(path));
    return writeSavedTapes(path, choices);
}

}  // namespace vantoli
