#include <QApplication>

#include <memory>

#include "mainwindow/no_disc_device.h"
#include "ui/fonts.h"
#include "ui/main_form.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vantoli::registerFontSubstitutions();
    vantoli::MainForm window(std::make_unique<vantoli::NoDiscDevice>());
    window.show();
    return app.exec();
}
