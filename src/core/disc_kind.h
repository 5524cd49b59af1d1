#pragma once
// What the CD read command decides without the window: which way a disc goes by its track count, the
// entry text of a track's length, and the three messages the command shows.

#include <cstdint>
#include <string>

#include "core/entry_reading.h"
#include "core/message.h"

namespace vantoli {

// The most tracks a long disc may have; the track table of the long-disc plan ends here.
inline constexpr std::int32_t LongDiscTrackLimit = 99;

enum class DiscKind {
    NoDisc,         // no track can be read: no disc, an unreadable one, or a drive that cannot be opened
    Entries,        // 1 to EntryCount (20) tracks: their times go into the entries
    LongDisc,       // 21 to 99 tracks: planned straight from the drive and shown as a report
    TooManyTracks,  // 100 tracks or more: refused
};

// The way a disc of `trackCount` tracks goes. A negative count, which only a broken drive could
// report, is taken as no readable disc.
DiscKind discKind(std::int32_t trackCount);

// The entry text of a track `milliseconds` long, in the form the user types times: whole minutes
// times 100 plus the seconds, the fraction of a second dropped ("431" for 4 min 31.9 s). A negative
// length, which only a broken table of contents gives, is taken as 0 s.
std::string cdEntryText(std::int32_t milliseconds);

// "No CD is set": the drive reported no track.
Message noDiscMessage();
// Shown before the report of a disc of 21 to 99 tracks.
Message longDiscMessage();
// A disc of 100 tracks or more is not read.
Message tooManyTracksMessage();

}  // namespace vantoli
