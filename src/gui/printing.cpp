#include "gui/printing.h"

#include <QtGlobal>

#include <mutex>
#include <string>

#include "device/own_module.h"

namespace vantoli {

namespace {

struct PrintModule {
    NewPrinter create = nullptr;
    DeletePrinter destroy = nullptr;
    AskPrinter ask = nullptr;
    PrintSheet print = nullptr;
};

const PrintModule& printModule()
{
    static PrintModule module;
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        std::string problem;
        const auto entry = [&problem](const char* name) { return ownModuleSymbol("vantoli_print", name, &problem); };
        PrintModule found{reinterpret_cast<NewPrinter>(entry("vantoliNewPrinter")),
                          reinterpret_cast<DeletePrinter>(entry("vantoliDeletePrinter")),
                          reinterpret_cast<AskPrinter>(entry("vantoliAskPrinter")),
                          reinterpret_cast<PrintSheet>(entry("vantoliPrintSheet"))};
        if (found.create && found.destroy && found.ask && found.print)
            module = found;
        else
            qWarning("The print module is missing: %s", problem.c_str());
    });
    return module;
}

}  // namespace

void PrinterDeleter::operator()(QPrinter* printer) const
{
    if (printer) printModule().destroy(printer);
}

Printer newPrinter() { return Printer(printModule().create ? printModule().create() : nullptr); }

bool askPrinter(QPrinter& printer, QWidget* parent, const QString& title)
{
    return printModule().ask(&printer, parent, title);
}

bool printSheet(QPrinter& printer, const QString& documentName, const PaintSheet& paint)
{
    return printModule().print && printModule().print(&printer, documentName, paint);
}

}  // namespace vantoli
