// Starts like the program does (fonts, main window with its device) and ends as soon as the main
// window is on the screen. bench/startup.sh times it against startup_bare_window.

#include <QApplication>

#include <memory>

#include "mainwindow/no_disc_device.h"
#include "startup_common.h"
#include "ui/fonts.h"
#include "ui/main_form.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vantoli::registerFontSubstitutions();
    vantoli::MainForm window(std::make_unique<vantoli::NoDiscDevice>());
    return showAndEnd(window);
}
