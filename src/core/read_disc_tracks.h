#pragma once
// Reading every track off the disc in the drive: its length and, where the disc names them, its title.

#include <cstdint>

#include "core/cd_audio_device.h"
#include "core/track_list.h"

namespace vantoli {

// Reads tracks 1..trackCount of the open device, which must be in milliseconds, as the drive is asked
// for them: select track 1, then per track its length, the selected track and the next one. Then the
// disc's titles (CD-Text), kept when they name as many tracks; otherwise the tracks stay untitled.
// The device stays open.
TrackList readDiscTracks(CdAudioDevice& device, std::int32_t trackCount);

// A length in whole seconds, the fraction dropped (215 999 ms is 215 s). A negative length, which
// only a broken table of contents gives, has no playing time.
constexpr int wholeSeconds(std::int32_t milliseconds) { return milliseconds > 0 ? milliseconds / 1000 : 0; }

}  // namespace vantoli
