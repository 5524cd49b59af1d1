#pragma once
// Planning a disc of more tracks than the entry grid holds, straight from the drive, and showing the
// plan in the report window.

#include <cstdint>

namespace vantoli {

class MainForm;

// Reads every track's length from the main window's device, which must be open and in milliseconds,
// and closes it; plans the disc under the window's two options; shows the plan as a report in the
// window's one report window, or the lineup failure message when no tape will do (the report window
// is then left as it was). Changes no control of the main window. `trackCount` is the window's
// cdTrackCount, 21 to 99 when the CD read command calls this.
void PlanLargeDisc(MainForm& window, const std::int32_t& trackCount);

}  // namespace vantoli
