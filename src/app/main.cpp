#include <QApplication>

#include <memory>

#include "mainwindow/libcdio_device.h"
#include "ui/fonts.h"
#include "ui/main_form.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vantoli::registerFontSubstitutions();
    vantoli::MainForm window(std::make_unique<vantoli::LibcdioDevice>());
    window.show();
    return app.exec();
}
