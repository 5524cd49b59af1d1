#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

#include "device/libcdio_device.h"
#include "gui/fonts.h"
#include "gui/main_form.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vantoli::registerFontSubstitutions();

    // The program speaks Japanese throughout, so Qt's own dialogs (the file dialogs, the buttons of
    // the message boxes) do too, whatever the desktop's language.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    vantoli::MainForm window(std::make_unique<vantoli::LibcdioDevice>());
    // Every other window of the program (help, report, settings, About without an icon of its own)
    // carries the program's icon.
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    return app.exec();
}
