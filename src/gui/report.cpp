#include "gui/report.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "gui/fonts.h"
#include "icons/report.xpm"

namespace vantoli {

namespace {

constexpr QSize ClientSize{4320, 6315};

// clang-format off
//                                   Name           Left  Top   Width Height Caption
constexpr ControlRow lblReportRow   {"lblReport",      0,    0, 4320, 5760, ""};
constexpr ControlRow cmdReportOKRow {"cmdReportOK", 1440, 5880, 1455,  375, "O K"};
// clang-format on

}  // namespace

Report::Report() : SecondaryWindow(QStringLiteral("Report"), QStringLiteral("結果レポート"), ClientSize)
{
    setWindowIcon(QIcon(QPixmap(report_xpm)));

    lblReport = addControl<QLabel>(this, lblReportRow);
    lblReport->setFont(reportFont());
    lblReport->setTextFormat(Qt::PlainText);
    lblReport->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblReport->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblReport->setBackgroundRole(QPalette::Base);
    lblReport->setAutoFillBackground(true);

    auto* cmdReportOK = addControl<QPushButton>(this, cmdReportOKRow);
    pressedByEnterWhenFocused(cmdReportOK);
    connect(cmdReportOK, &QPushButton::clicked, this, &Report::cmdReportOK_Click);
    cmdReportOK->setFocus();

    Form_Load();
}

QString Report::text() const { return lblReport->text(); }

void Report::setText(const QString& text) { lblReport->setText(text); }

void Report::Form_Load() { lblReport->clear(); }

void Report::cmdReportOK_Click() { close(); }

void Report::Form_Unload() { lblReport->clear(); }

void Report::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    SecondaryWindow::closeEvent(event);
}

Report* showReport(SingleWindow<Report>& report, const QString& text)
{
    Report* window = report.load();
    window->setText(text);
    bringToFront(window);
    return window;
}

}  // namespace vantoli
