#include <QApplication>
#include <QWindow>

#include <functional>
#include <utility>

#include <memory>

#include "device/libcdio_device.h"
#include "gui/fonts.h"
#include "gui/main_form.h"
#include "gui/tape_file.h"
#include "gui/tape_settings.h"
#include "gui/translation.h"

namespace {

// Runs `then` once, from the event loop, after `widget`'s window is first exposed on the screen.
void whenExposed(QWidget* widget, std::function<void()> then)
{
    class Watcher : public QObject {
    public:
        Watcher(QWindow* window, std::function<void()> then) : QObject(window), then_(std::move(then))
        {
            window->installEventFilter(this);
        }
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed() && then_) {
                QMetaObject::invokeMethod(parent(), std::exchange(then_, {}), Qt::QueuedConnection);
                deleteLater();
            }
            return false;
        }

    private:
        std::function<void()> then_;
    };
    QWindow* window = widget->windowHandle();
    if (!window || window->isExposed())
        QMetaObject::invokeMethod(widget, std::move(then), Qt::QueuedConnection);
    else
        new Watcher(window, std::move(then));
}

}  // namespace

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
    // Both wait until the window system has placed the window, so that the question and any message
    // open over it rather than at the screen's corner.
    const QStringList arguments = QApplication::arguments().mid(1);
    whenExposed(&window, [&window, arguments] {
        if (window.offerRecovery()) return;
        for (const QString& argument : arguments)
            if (!argument.startsWith(QLatin1Char('-'))) {
                window.OpenTape(argument);
                break;
            }
    });
    const int status = app.exec();
    window.discardRecoveryCopy();
    return status;
}
