// Starts a bare QMainWindow (bare_window.h) and ends as soon as it is on the screen: the yardstick
// for startup_main_form in scripts/startup.

#include <QApplication>

#include "bare_window.h"
#include "startup_common.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    auto window = makeBareWindow();
    return showAndEnd(*window);
}
