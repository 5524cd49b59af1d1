#include <QApplication>

#include "ui/main_form.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vantoli::MainForm window;
    window.show();
    return app.exec();
}
