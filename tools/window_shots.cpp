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

#include "core/long_disc_plan.h"
#include "core/plan_report.h"
#include "gui/dialog.h"
#include "gui/fonts.h"
#include "gui/report.h"
#include "gui/version.h"
#include "gui/translation.h"
#include "icons/about.xpm"
#include "icons/dialog.xpm"
#include "icons/report.xpm"

using namespace vantoli;

namespace {

// The report of a 27-track disc whose plan exchanges track 12 of side A, as the long-disc plan makes
// it: side A's first list line is wider than the window and goes on below.
QString sampleReport()
{
    const std::vector<int> seconds{260, 169, 104, 143, 161, 101, 167, 228, 264, 228, 128, 293, 169, 291,
                                   129, 235, 179, 114, 134, 239, 157, 114, 228, 267, 246, 148, 266};
    const auto plan = planLongDisc(seconds, PlanOptions{true, false}, static_cast<std::int32_t>(seconds.size()));
    return plan ? QString::fromStdString(PlanReportText(*plan)) : QString();
}

QPixmap enlargedIcons()
{
    const QPixmap icons[] = {QPixmap(dialog_xpm), QPixmap(report_xpm), QPixmap(about_xpm)};
    constexpr int scale = 8;
    constexpr int cell = 32 * scale + 16;
    QPixmap sheet(cell * 3, cell);
    sheet.fill(QColor(0xd4, 0xd0, 0xc8));
    QPainter painter(&sheet);
    for (int i = 0; i < 3; ++i) painter.drawPixmap(QRect(i * cell + 8, 8, 32 * scale, 32 * scale), icons[i]);
    return sheet;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // English under an English locale (LANG=en_US.UTF-8), else the program\'s own Japanese.
    vantoli::useLanguage(vantoli::languageFromEnvironment());
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
        for (QWidget* window : windows) window->setAttribute(Qt::WA_QuitOnClose, true);
    }
    return app.exec();
}
