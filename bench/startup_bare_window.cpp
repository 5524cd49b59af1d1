// Starts a bare QMainWindow (bare_window.h) and ends as soon as it is on the screen: the yardstick
// for startup_main_form in scripts/startup. With --japanese its menus, labels and buttons show a
// Japanese word, so that it draws Japanese as the main window does.

#include <QApplication>

#include "bare_window.h"
#include "startup_common.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool japanese = argc > 1 && QByteArray(argv[1]) == "--japanese";
    auto window = makeBareWindow(japanese ? QStringLiteral("タイム") : QString());
    return showAndEnd(*window);
}
