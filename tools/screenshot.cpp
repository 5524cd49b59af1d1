// vantoli_screenshot [--entry-error] OUT.png
//
// Opens the main window as the program does, types the times of a six-track disc into the entries
// with the keyboard and presses Run with the mouse, then saves what the screen shows of the window.
// With --entry-error it then types "4:31" for track 7 and presses Run again, and saves the window
// together with the message box that answers it.

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>

#include "device/libcdio_device.h"
#include "gui/fonts.h"
#include "gui/main_form.h"

namespace {

bool saveScreen(QRect area, const QString& path)
{
    const QPixmap shot =
        QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return shot.save(path, "PNG");
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool entryError = args.contains(QStringLiteral("--entry-error"));
    const QStringList paths = args.filter(QStringLiteral(".png"));
    if (paths.size() != 1) {
        std::fprintf(stderr, "usage: vantoli_screenshot [--entry-error] OUT.png\n");
        return 2;
    }
    const QString out = paths.front();

    vantoli::registerFontSubstitutions();
    vantoli::MainForm window(std::make_unique<vantoli::LibcdioDevice>());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return 1;

    const char* const sample[] = {"431", "350", "512", "405", "600", "330"};
    int track = 0;
    for (const char* time : sample) QTest::keyClicks(window.Tm(track++), QLatin1String(time));
    QTest::mouseClick(window.Run(), Qt::LeftButton);
    QTest::qWait(200);

    if (!entryError) return saveScreen(window.frameGeometry(), out) ? 0 : 1;

    QTest::keyClicks(window.Tm(track), QStringLiteral("4:31"));
    bool saved = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        poll.stop();
        QTest::qWait(300);
        saved = saveScreen(window.frameGeometry().united(box->frameGeometry()), out);
        box->button(QMessageBox::Ok)->click();
    });
    poll.start(20);
    QTest::mouseClick(window.Run(), Qt::LeftButton);
    return saved ? 0 : 1;
}
