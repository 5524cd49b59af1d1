#pragma once
// The measurement windows' files: the recording to measure, chosen in a file dialog, and the one-page
// report (a title, a picture, the figures) saved as a PDF.

#include <QString>

#include <functional>

class QPainter;
class QRect;
class QWidget;

namespace vantoli {

// Asks for a recording to measure (any audio file FFmpeg reads); `chosen` gets its path. The dialog is
// window-modal and named `objectName`.
void askForRecording(QWidget* owner, const QString& caption, const QString& objectName,
                     std::function<void(const QString&)> chosen);

// Asks where to save a report, offering `suggestedName`; `chosen` gets the path, ".pdf" added when the
// name has no suffix.
void askWhereToSaveReport(QWidget* owner, const QString& suggestedName, std::function<void(const QString&)> chosen);

// Writes an A4 page to `path`: the title, `draw`'s picture across the page below it, then `text`. A failed
// save is shown over `owner`; false then.
bool saveReportPdf(QWidget* owner, const QString& path, const QString& title,
                   const std::function<void(QPainter&, const QRect&)>& draw, const QString& text);

}  // namespace vantoli
