#include <QApplication>

#include <memory>

#include "device/libcdio_device.h"
#include "gui/fonts.h"
#include "gui/main_form.h"
#include "gui/tape_file.h"
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

    // A tape named on the command line (or by the file manager) opens once the window is up. Before
    // that, a tape left unsaved by a run that did not end normally is offered back; while changes are
    // not saved a copy is kept, and a normal end removes it.
    window.keepRecoveryCopiesIn(vantoli::userStateFolder());
    const QStringList arguments = QApplication::arguments().mid(1);
    QMetaObject::invokeMethod(
        &window,
        [&window, arguments] {
            if (window.offerRecovery()) return;
            for (const QString& argument : arguments)
                if (!argument.startsWith(QLatin1Char('-'))) {
                    window.OpenTape(argument);
                    break;
                }
        },
        Qt::QueuedConnection);
    const int status = app.exec();
    window.discardRecoveryCopy();
    return status;
}
