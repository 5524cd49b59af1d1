#include "gui/report.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>

#include "gui/fonts.h"
#include "gui/translation.h"
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

QStringList wrapLines(const QString& text, const QFontMetricsF& metrics, qreal width)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();  // the end of the last line

    QStringList shown;
    for (QString line : lines) {
        while (metrics.horizontalAdvance(line) > width) {
            // The longest start of the line that fits, at least one character.
            qsizetype fits = 1;
            while (fits < line.size() && metrics.horizontalAdvance(line.left(fits + 1)) <= width) ++fits;
            // Break at the last blank within it or right after it; leading blanks are no place to break.
            const qsizetype blank = line.lastIndexOf(QLatin1Char(' '), fits);
            const bool blankInside = blank > 0 && !line.left(blank).trimmed().isEmpty();
            qsizetype cut = blankInside ? blank : fits;
            if (blankInside)
                while (line[cut - 1] == QLatin1Char(' ')) --cut;  // the whole run of blanks is dropped
            shown << line.left(cut);
            qsizetype next = cut;
            if (blankInside)
                while (next < line.size() && line[next] == QLatin1Char(' ')) ++next;
            line = line.mid(next);
        }
        shown << line;
    }
    return shown;
}

QStringList ReportLabel::shownLines() const { return wrapLines(text(), QFontMetricsF(font()), contentsRect().width()); }

void ReportLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QFontMetricsF metrics(font());
    qreal baseline = area.top() + metrics.ascent();
    for (const QString& line : shownLines()) {
        painter.drawText(QPointF(area.left(), baseline), line);
        baseline += metrics.lineSpacing();
    }
}

Report::Report() : SecondaryWindow(QStringLiteral("Report"), ja("Report", "結果レポート"), ClientSize)
{
    setWindowIcon(QIcon(QPixmap(report_xpm)));

    lblReport = addControl<ReportLabel>(this, lblReportRow);
    lblReport->setFont(reportFont());
    lblReport->setTextFormat(Qt::PlainText);
    lblReport->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblReport->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblReport->setBackgroundRole(QPalette::Base);
    lblReport->setAutoFillBackground(true);

    auto* cmdReportOK = addControl<QPushButton>(this, cmdReportOKRow);
    connect(cmdReportOK, &QPushButton::clicked, this, &Report::cmdReportOK_Click);
    cmdReportOK->setFocus();

    Form_Load();
}

QString Report::text() const { return lblReport->text(); }

QStringList Report::shownLines() const { return lblReport->shownLines(); }

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
