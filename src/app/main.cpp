#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

#include "device/libcdio_device.h"
#include "gui/fonts.h"
#include "gui/main_form.h"
#include "gui/tape_file.h"

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
