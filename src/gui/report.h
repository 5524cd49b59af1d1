#pragma once
// The report window: the plan of a long disc as text, in a fixed-pitch font so that its columns line up.

#include "gui/secondary_window.h"
#include "gui/single_window.h"

#include <QLabel>
#include <QStringList>

class QCloseEvent;
class QFontMetricsF;

namespace vantoli {

// The report label: its caption is the report text as given, CR LF and all; it shows every line whole,
// top left, without inner margin. A line wider than the label breaks at its last blank that still
// fits (the blanks there are dropped) and goes on below; a line without such a blank breaks after its
// last character that fits. A line that fits stays one line.
class ReportLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The lines as the label shows them.
    QStringList shownLines() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The text split into lines at CR LF, CR or LF, each line no wider than `width` as measured by
// `metrics`, broken as ReportLabel describes.
QStringList wrapLines(const QString& text, const QFontMetricsF& metrics, qreal width);

class Report : public SecondaryWindow {
    Q_OBJECT
public:
    Report();

    // The report text, line ends (CR LF) and all.
    QString text() const;
    void setText(const QString& text);
    // The lines as the window shows them.
    QStringList shownLines() const;

    // Empties the report.
    void Form_Load();
    // Closes the window.
    void cmdReportOK_Click();
    // Empties the report; the window is closing, by the button or by its close box.
    void Form_Unload();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ReportLabel* lblReport;
};

// Shows a report (the last step of planning a long disc):
//     showReport(report_, QString::fromStdString(reportText));
// with `SingleWindow<Report> report_` a member of the main window. Loads the window if it is not open,
// otherwise replaces the text of the open one; then brings it to the front. Returns at once: the window
// is modeless.
Report* showReport(SingleWindow<Report>& report, const QString& text);

}  // namespace vantoli
