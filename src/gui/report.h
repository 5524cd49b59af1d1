#pragma once
// The report window: the plan of a long disc as text, in a fixed-pitch font so that its columns line up.

#include "gui/secondary_window.h"
#include "gui/single_window.h"

class QCloseEvent;
class QLabel;

namespace vantoli {

class Report : public SecondaryWindow {
    Q_OBJECT
public:
    Report();

    // The report text, line ends (CR LF) and all.
    QString text() const;
    void setText(const QString& text);

    // Empties the report.
    void Form_Load();
    // Closes the window.
    void cmdReportOK_Click();
    // Empties the report; the window is closing, by the button or by its close box.
    void Form_Unload();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* lblReport;
};

// Shows a report (the last step of planning a long disc):
//     showReport(report_, QString::fromStdString(reportText));
// with `SingleWindow<Report> report_` a member of the main window. Loads the window if it is not open,
// otherwise replaces the text of the open one; then brings it to the front. Returns at once: the window
// is modeless.
Report* showReport(SingleWindow<Report>& report, const QString& text);

}  // namespace vantoli
