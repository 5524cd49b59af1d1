#include <QApplication>

#include <memory>

#include "device/libcdio_device.h"
#include "gui/fonts.h"
#include "gui/main_form.h"
#include "gui/tape_settings.h"
#include "gui/translation.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vantoli::registerFontSubstitutions();

    // Japanese (the program's own language, Qt's dialogs included) or English, as chosen in the
    // Settings menu or else as the desktop's language says.
    vantoli::useLanguage(vantoli::languageOf(vantoli::loadLanguageChoice()));

    vantoli::MainForm window(std::make_unique<vantoli::LibcdioDevice>());
    // Every other window of the program (help, report, settings, About without an icon of its own)
    // carries the program's icon.
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    return app.exec();
}
