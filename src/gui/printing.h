#pragma once
// The printer, through the print module (libvantoli_print.so), the only code that links Qt
// PrintSupport: the window loads it when it first prints, not at start-up.

#include <QRectF>
#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace vantoli {

// Paints the sheet; `sheet` is the whole paper in the printer's pixels.
using PaintSheet = std::function<void(QPainter& painter, const QRectF& sheet)>;

// The module's entries.
using NewPrinter = QPrinter* (*)();
using DeletePrinter = void (*)(QPrinter*);
using AskPrinter = bool (*)(QPrinter* printer, QWidget* parent, const QString& title);
using PrintSheet = bool (*)(QPrinter* printer, const QString& documentName, const PaintSheet& paint);

struct PrinterDeleter {
    void operator()(QPrinter* printer) const;
};
using Printer = std::unique_ptr<QPrinter, PrinterDeleter>;

// A printer at the printer's high resolution; null when the module is missing.
Printer newPrinter();
// Qt's print dialog, titled `title`, for `printer`: whether the user chose to print.
bool askPrinter(QPrinter& printer, QWidget* parent, const QString& title);
// Prints one sheet, the whole paper (not only its printable area): false when the printer could not
// be started.
bool printSheet(QPrinter& printer, const QString& documentName, const PaintSheet& paint);

}  // namespace vantoli
