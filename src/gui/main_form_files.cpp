// The main window's File menu commands that fill or save the entries: reading the CD, and opening
// and saving a pattern file.

#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include "core/cd_read.h"
#include "core/read_disc.h"
#include "gui/main_form.h"
#include "gui/message_box.h"
#include "gui/pattern_file.h"

namespace vantoli {

// Writes only the entries of the disc's tracks: the entries after them, the plan display and the
// options keep what they hold, and nothing is planned. The drive is closed again on every path; for
// a long disc PlanLargeDisc closes it once it has read the lengths.
void MainForm::mnuFileReadCD_Click()
{
    CdAudioDevice& device = RCD1();
    device.open();
    device.setMillisecondsFormat();
    cdTrackCount = device.tracks();

    switch (discKind(cdTrackCount)) {
    case DiscKind::NoDisc: showMessage(this, noDiscMessage()); break;
    case DiscKind::Entries: {
        const std::vector<std::int32_t> lengths = readTrackLengths(device, cdTrackCount);
        for (std::size_t i = 0; i < lengths.size(); ++i)
            Tm_[i]->setText(QString::fromStdString(cdEntryText(lengths[i])));
        break;
    }
    case DiscKind::LongDisc:
        showMessage(this, longDiscMessage());
        PlanLargeDisc(cdTrackCount);
        return;
    case DiscKind::TooManyTracks: showMessage(this, tooManyTracksMessage()); break;
    }
    device.close();
}

void MainForm::mnuFileSave_Click()
{
    PatternEntries entries;
    for (int i = 0; i < EntryCount; ++i) entries[i] = Tm_[i]->text();
    savePattern(this, entries);
}

void MainForm::mnuFileOpen_Click()
{
    // The window is cleared only once the file has been read whole.
    const std::optional<PatternEntries> entries = openPattern(this);
    if (!entries) return;
    Clear_Click();
    for (int i = 0; i < EntryCount; ++i) Tm_[i]->setText((*entries)[i]);
    Run_->setFocus();
}

}  // namespace vantoli
