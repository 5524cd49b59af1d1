// The print module (see printing.h): Qt PrintSupport, in a library of its own.

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "gui/printing.h"

#define VANTOLI_ENTRY extern "C" __attribute__((visibility("default")))

VANTOLI_ENTRY QPrinter* vantoliNewPrinter() { return new QPrinter(QPrinter::HighResolution); }

VANTOLI_ENTRY void vantoliDeletePrinter(QPrinter* printer) { delete printer; }

VANTOLI_ENTRY bool vantoliAskPrinter(QPrinter* printer, QWidget* parent, const QString& title)
{
    QPrintDialog dialog(printer, parent);
    dialog.setWindowTitle(title);
    return dialog.exec() == QDialog::Accepted;
}

VANTOLI_ENTRY bool vantoliPrintSheet(QPrinter* printer, const QString& documentName, const vantoli::PaintSheet& paint)
{
    // The whole sheet, so that what is painted is placed on the paper rather than on the printable area.
    printer->setFullPage(true);
    printer->setDocName(documentName);
    QPainter painter;
    if (!painter.begin(printer)) return false;
    paint(painter, printer->paperRect(QPrinter::DevicePixel));
    painter.end();
    return true;
}
