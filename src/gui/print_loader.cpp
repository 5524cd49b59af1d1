#include "gui/print_loader.h"

#include <QLibrary>

#include "gui/program_files.h"

namespace vantoli {

std::unique_ptr<PrintSession> openPrintSession()
{
    // The module stays loaded to the program's end: Qt's print support keeps state of its own.
    QLibrary module(printModule());
    const auto create = reinterpret_cast<NewPrintSession>(module.resolve(NewPrintSessionSymbol));
    if (!create) {
        qWarning("The print module could not be loaded: %s", qPrintable(module.errorString()));
        return nullptr;
    }
    return std::unique_ptr<PrintSession>(create());
}

}  // namespace vantoli
