#pragma once
// A read running on a thread of its own (files, folders, albums) while the window goes on: its progress
// is shown only when it takes longer than a moment, with Cancel.

#include <QString>

#include <functional>

class QProgressDialog;
class QWidget;

namespace vantoli {

// Runs `work` on a thread of its own; `reading` holds the read's progress window until it ends. When
// the work is done, `done` runs on the window's thread, unless Cancel came first (the read's result is
// then not used); `ended` runs after either.
void readInBackground(QWidget* window, QProgressDialog*& reading, const QString& label, const QString& cancel,
                      std::function<void()> work, std::function<void()> done, std::function<void()> ended);

}  // namespace vantoli
