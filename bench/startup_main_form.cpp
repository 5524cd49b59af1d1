// Starts like the program does (fonts, main window with its device) and ends as soon as the main
// window is on the screen. scripts/startup times it against startup_bare_window.

#include <QApplication>

#include <memory>

#include "device/libcdio_device.h"
#include "gui/fonts.h"
#include "gui/main_form.h"
#include "gui/translation.h"
#include "startup_common.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vantoli::registerFontSubstitutions();
    // The language as the program chooses it with no setting kept: from the environment.
    vantoli::useLanguage(vantoli::languageFromEnvironment());
    vantoli::MainForm window(std::make_unique<vantoli::LibcdioDevice>());
    return showAndEnd(window);
}
