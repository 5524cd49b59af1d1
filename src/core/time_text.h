#pragma once
// The time texts of the main window's plan panel.

#include <cstdint>
#include <optional>
#include <string>

namespace vantoli {

// Selectors of the six time labels.
enum TimeLabel : int {
    TimeTotal = 0,
    SideATotal = 1,
    ABlankTime = 2,
    SideBTotal = 3,
    BBlankTime = 4,
    TBlankTime = 5,
};

// "13 : 33", "1 : 05", "+0 : 20" (the blank labels 2, 4 and 5 get the "+"). A selector outside
// 0..5 has no label and gives nothing.
std::optional<std::string> timeLabelText(int seconds, int selector);

// "4:31" for 271 s, "-0:05" for -5 s, "75:00" for an hour and a quarter: every minutes-and-seconds
// text of the program (labels, lists, the dubbing clock, messages) is this one.
std::string minutesSecondsText(std::int64_t seconds);

// "46分テープ"
std::string tapeCaption(int tapeMinutes);

}  // namespace vantoli
