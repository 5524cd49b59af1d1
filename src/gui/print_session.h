#pragma once
// Printing, as the window's print module offers it. Qt's print support (and the print system behind
// it) is loaded only when the user first prints: the window starts without it. The module
// (vantoli-print.so, beside vantoli-helper) implements PrintSession; the window opens one with
// openPrintSession() (gui/print_loader.h).

#include <QRectF>
#include <QString>

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

namespace vantoli {

// One page to print: what the dialog and the print queue call it, and how to paint it. The painter is
// on the printer, which covers the whole sheet: paper is the sheet in the painter's pixels.
struct PrintJob {
    QString dialogTitle;
    QString documentName;
    std::function<void(QPainter& painter, const QRectF& paper)> paint;
};

enum class PrintOutcome { Printed, Cancelled, PrinterNotStarted };

class PrintSession {
public:
    virtual ~PrintSession() = default;
    // Shows the print dialog over parent and prints the page on the printer chosen there. The session
    // keeps the printer, so that the next dialog offers the last choices again.
    virtual PrintOutcome print(QWidget* parent, const PrintJob& job) = 0;
    // Prints the page on printer, set up by the caller, with no dialog.
    virtual PrintOutcome printOn(QPrinter& printer, const PrintJob& job) = 0;
};

// The module's one entry point: a new session, which the caller deletes.
using NewPrintSession = PrintSession* (*)();
constexpr const char* NewPrintSessionSymbol = "vantoliNewPrintSession";

}  // namespace vantoli
