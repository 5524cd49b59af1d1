// Start and end of the main window, and its Exit and Clear commands.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include "gui/main_form.h"
#include "gui/pattern_commands.h"

namespace vantoli {

// Runs once, when the window is created. Both options start ticked at every start; the CD device
// is only set up here, not opened; no entry or label is written.
void MainForm::Form_Load()
{
    mnuSettingCD()->setChecked(true);
    mnuSetting5sec()->setChecked(true);
    RCD1().selectCdAudio();
    cdlFilter_ = patternFileFilter();
}

// Closing the main window releases the drive and ends the program, taking every other window with
// it. The closing is never refused.
void MainForm::Form_Unload()
{
    RCD1().close();
    QCoreApplication::exit(0);
}

// Ends the program at once. Every read command has already closed the drive, so it is not sent
// "close" here.
void MainForm::mnuExit_Click()
{
    // exit(), unlike quit(), does not offer the windows a close first: Form_Unload does not run.
    QCoreApplication::exit(0);
}

// Empties the entries and the whole plan display; the options, the track count of the last CD read
// and the keyboard focus stay as they are. The pattern-file open command calls it too.
void MainForm::Clear_Click()
{
    for (int i = 0; i < TrackCount; ++i) Tm(i)->setText(QString());
    for (int i = 0; i < TrackCount; ++i) A(i)->setText(QString());
    for (int i = 0; i < TrackCount; ++i) B(i)->setText(QString());
    for (QLabel* label : {sideATotal(), aBlankTime(), sideBTotal(), bBlankTime(), timeTotal(), tBlankTime()})
        label->setText(QString());
    TapeType()->setText(QString());
}

}  // namespace vantoli
