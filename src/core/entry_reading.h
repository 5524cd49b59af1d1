#pragma once
// Reading the 20 track-time entries of the main window ("431" is 4 min 31 s).

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/message.h"

namespace vantoli {

inline constexpr int EntryCount = 20;
inline constexpr int LargestEntry = 8000;  // 80 min 00 s

using EntryTexts = std::array<std::string, EntryCount>;

// Result of turning one entry text into a number.
struct EntryNumber {
    enum class Kind { Number, NotANumber, OutOfRange };
    Kind kind = Kind::NotANumber;
    int value = 0;  // meaningful for Kind::Number only; always within -32768..32767
};

// Plain decimal digits with optional blanks around them, an optional sign and an optional decimal
// fraction rounded half to even. Anything else is NotANumber; a number that does not fit in
// -32768..32767 after rounding is OutOfRange. The full-width digits, signs and decimal point that a
// Japanese input method types, and the ideographic blank, count as their plain forms ("４３１" is 431).
EntryNumber convertEntry(std::string_view text);

// The check an entry failed, in the order they are made.
enum class EntryCheck { Format, TooLarge, Seconds };

struct EntryError {
    int track = 0;  // 1-based track number of the first bad entry
    EntryCheck check = EntryCheck::Format;

    Message message() const;
    bool operator==(const EntryError&) const = default;
};

// The accepted track list: every entry up to the first empty one, in seconds.
struct TrackTimes {
    std::vector<int> seconds;  // seconds[p] is track p + 1
    int grandTotal = 0;        // sum of seconds

    bool operator==(const TrackTimes&) const = default;
};

// Reads the entries in order up to the first empty one and checks each (format, size, seconds),
// stopping at the first bad one.
std::variant<TrackTimes, EntryError> ReadTrackTimes(const EntryTexts& entries);

}  // namespace vantoli
