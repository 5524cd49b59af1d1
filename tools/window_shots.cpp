// Opens the three small windows (settings, report, About) as the program shows them, with a sample plan
// report, so that they can be looked at or photographed.
//
//   vantoli_window_shots              shows the windows until they are closed (run it under a display,
//                                     e.g. xvfb-run, and photograph the screen with `import -window root`)
//   vantoli_window_shots --grab DIR   also writes DIR/Dialog.png, Report.png, Version.png (the client
//                                     areas) and DIR/icons.png (the three icons, enlarged 8 times), then ends

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include "icons/about.xpm"
#include "icons/dialog.xpm"
#include "icons/report.xpm"
#include "ui/dialog.h"
#include "ui/fonts.h"
#include "ui/report.h"
#include "ui/version.h"

using namespace vantoli;

namespace {

// A long-disc plan with an exchange, lines ended by CR LF as the report window receives them.
QString sampleReport()
{
    const char* const lines[] = {
        "",
        "***************   TAPE の構成   ***************",
        "",
        "使用するテープ： 60分テープ",
        "総トラック数： 21",
        "",
        "＜A面＞",
        "トータル： 29:23",
        "ブランク：  0:50",
        "収録：  1， 2， 3， 4， 5， 6， 7， 8，10，11，",
        "        19",
        "",
        "＜B面＞",
        "トータル： 29:37",
        "ブランク：  0:45",
        "収録：  9，12，13，14，15，16，17，18，20，21",
        "",
        "        ",
        "＜両面＞",
        "トータル：  59:00",
        "ブランク：   1:35",
    };
    QString text;
    for (const char* line : lines)
        text += QString::fromUtf8(line) + QStringLiteral("\r\n");
    return text;
}

QPixmap enlargedIcons()
{
    const QPixmap icons[] = {QPixmap(dialog_xpm), QPixmap(report_xpm), QPixmap(about_xpm)};
    constexpr int scale = 8;
    constexpr int cell = 32 * scale + 16;
    QPixmap sheet(cell * 3, cell);
    sheet.fill(QColor(0xd4, 0xd0, 0xc8));
    QPainter painter(&sheet);
    for (int i = 0; i < 3; ++i)
        painter.drawPixmap(QRect(i * cell + 8, 8, 32 * scale, 32 * scale), icons[i]);
    return sheet;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutions();

    QAction keepOrder(QStringLiteral("オリジナルの曲順にこだわる"));
    QAction fiveSecondGap(QStringLiteral("曲の間に 5秒のブランクをいれる"));
    for (QAction* option : {&keepOrder, &fiveSecondGap}) {
        option->setCheckable(true);
        option->setChecked(true);
    }
    fiveSecondGap.setChecked(false);

    SingleWindow<Report> report;
    SingleWindow<Version> version;
    SingleWindow<Dialog> dialog;
    QWidget* windows[] = {showReport(report, sampleReport()), showVersion(version),
                          showDialog(dialog, &keepOrder, &fiveSecondGap)};

    const QStringList args = app.arguments();
    const qsizetype grab = args.indexOf(QStringLiteral("--grab"));
    if (grab >= 0 && grab + 1 < args.size()) {
        const QDir dir(args.at(grab + 1));
        QTimer::singleShot(500, &app, [&, dir] {
            bool written = enlargedIcons().save(dir.filePath(QStringLiteral("icons.png")));
            for (QWidget* window : windows)
                written = window->grab().save(dir.filePath(window->objectName() + QStringLiteral(".png"))) && written;
            app.exit(written ? 0 : 1);
        });
    } else {
        app.setQuitOnLastWindowClosed(true);
        for (QWidget* window : windows)
            window->setAttribute(Qt::WA_QuitOnClose, true);
    }
    return app.exec();
}
