#pragma once
// Tape documents as the window knows them: their file type, the list of recent tapes kept with the
// user's settings, and the folder where a tape not yet saved is kept safe.

#include <QString>
#include <QStringList>

class QWidget;

namespace vantoli {

// Whether a file name is that of a tape document (ends in .vantoli, in any case).
bool isTapeDocumentName(const QString& path);
// The file types the tape's open and save dialogs offer.
QString tapeFileFilter();
// Asks where to save a tape document, starting at `start`; the path chosen, with .vantoli added when it
// has no extension, or empty when the dialog was cancelled.
QString chooseTapeFileToSave(QWidget* parent, const QString& title, const QString& start);

inline constexpr int RecentTapeCount = 8;

// The recent tapes, newest first, at most RecentTapeCount (group [RecentTapes] of the settings file).
QStringList loadRecentTapes();
void saveRecentTapes(const QStringList& paths);
// Puts `path` first in the list as the settings file holds it at that moment (read, changed and written
// under the file's lock, so that another window's tape is not lost).
void addRecentTape(const QString& path);

// $XDG_STATE_HOME/vantoli, or ~/.local/state/vantoli; where the copy of a tape not saved is kept.
QString userStateFolder();

}  // namespace vantoli
