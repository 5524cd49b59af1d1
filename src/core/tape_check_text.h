#pragma once
// What a tape check says, in words and as JSON: the lines vantoli-plan prints, the advice, and the
// JSON object that goes from vantoli-plan to the window (written and read here, one owner).

#include <optional>
#include <string>
#include <string_view>

#include "core/tape_check.h"
#include "core/tape_document.h"

namespace vantoli {

// A line per track and per fault, in the program's language; LF line ends.
std::string tapeCheckLines(const TapeCheck& check, bool sideB);

// A sentence or two on what to do about what the check found.
std::string tapeCheckAdvice(const TapeCheck& check);

// The check as one JSON object (the picture's levels only when `levels`).
std::string tapeCheckJson(const TapeCheck& check, bool sideB, bool levels);
// Reads tapeCheckJson's object back; nothing when it is not one.
std::optional<TapeCheck> parseTapeCheckJson(std::string_view text);

// What a tape document keeps of a check made at `date` (ISO 8601, UTC).
SideCheckRecord sideCheckRecord(const TapeCheck& check, std::string date);

// "m:ss.mmm" of seconds in the recording ("-0:01.500" before it starts).
std::string recordingTimeText(double seconds);

}  // namespace vantoli
