#pragma once
// Reading tracks into a window: the read on a thread of its own while the window goes on (its progress
// shown only when it takes longer than a moment, with Cancel), the files its dialog offers and the paths
// of a drop.

#include <QString>
#include <QStringList>

#include <functional>

class QMimeData;
class QProgressDialog;
class QWidget;

namespace vantoli {

// Runs `work` on a thread of its own; `reading` holds the read's progress window until it ends. When
// the work is done, `done` runs on the window's thread, unless Cancel came first (the read's result is
// then not used); `ended` runs after either. After a Cancel, `late` (when given) runs on the window's
// thread once the work is done after all.
void readInBackground(QWidget* window, QProgressDialog*& reading, const QString& label, const QString& cancel,
                      std::function<void()> work, std::function<void()> done, std::function<void()> ended,
                      std::function<void()> late = {});

// The file types a dialog that reads tracks offers: audio files with playlists, CUE sheets and CSV
// playlists, and every file.
QString audioFileFilter();

// The local paths of a drag's files, folders and playlists; empty when it carries none.
QStringList droppedPaths(const QMimeData* data);

}  // namespace vantoli
