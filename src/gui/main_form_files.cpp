// The CD read command: fills the entries from the disc in the drive, or hands a long disc to the
// long-disc plan.

#include <QLineEdit>
#include <QString>

#include "core/cd_read.h"
#include "gui/main_form.h"
#include "gui/message_box.h"
#include "gui/plan_large_disc.h"

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
    case DiscKind::Entries:
        device.setTrack(1);
        for (std::int32_t i = 0; i < cdTrackCount; ++i) {
            Tm(i)->setText(QString::fromStdString(cdEntryText(device.trackLength())));
            device.setTrack(device.track() + 1);
        }
        break;
    case DiscKind::LongDisc:
        showMessage(this, longDiscMessage());
        PlanLargeDisc(*this, cdTrackCount);
        return;
    case DiscKind::TooManyTracks: showMessage(this, tooManyTracksMessage()); break;
    }
    device.close();
}

}  // namespace vantoli
