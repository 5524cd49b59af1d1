#include <QApplication>

#include "ui/fonts.h"
#include "ui/main_form.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vantoli::registerFontSubstitutions();
    vantoli::MainForm window;
    window.show();
    return app.exec();
}
