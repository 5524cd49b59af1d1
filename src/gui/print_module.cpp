// The print module: Qt's print dialog and printer behind PrintSession. Built as vantoli-print.so and
// loaded by the window when the user first prints (gui/print_loader.cpp).

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

#include "gui/print_session.h"

namespace vantoli {

namespace {

class QtPrintSession : public PrintSession {
public:
    PrintOutcome print(QWidget* parent, const PrintJob& job) override
    {
        if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        QPrintDialog dialog(printer_.get(), parent);
        dialog.setWindowTitle(job.dialogTitle);
        if (dialog.exec() != QDialog::Accepted) return PrintOutcome::Cancelled;
        return printOn(*printer_, job);
    }

    PrintOutcome printOn(QPrinter& printer, const PrintJob& job) override
    {
        // The whole sheet, so that a page centred by the job is centred on the paper rather than on
        // the printable area.
        printer.setFullPage(true);
        printer.setDocName(job.documentName);
        QPainter painter;
        if (!painter.begin(&printer)) return PrintOutcome::PrinterNotStarted;
        job.paint(painter, printer.paperRect(QPrinter::DevicePixel));
        painter.end();
        return PrintOutcome::Printed;
    }

private:
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace

}  // namespace vantoli

extern "C" __attribute__((visibility("default"))) vantoli::PrintSession* vantoliNewPrintSession()
{
    return new vantoli::QtPrintSession;
}
