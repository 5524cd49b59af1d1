#pragma once
// Reading every track's length off the disc in the drive.

#include <cstdint>
#include <vector>

#include "core/cd_audio_device.h"

namespace vantoli {

// Reads the lengths of tracks 1..trackCount from the open device, in milliseconds, as the drive is
// asked for them: select track 1, then per track its length, the selected track and the next one.
// The device must be open and in milliseconds; it stays open.
std::vector<std::int32_t> readTrackLengths(CdAudioDevice& device, std::int32_t trackCount);

// A length in whole seconds, the fraction dropped (215 999 ms is 215 s). A negative length, which
// only a broken table of contents gives, has no playing time.
constexpr int wholeSeconds(std::int32_t milliseconds) { return milliseconds > 0 ? milliseconds / 1000 : 0; }

// Reads the lengths of tracks 1..trackCount in whole seconds, then closes the device.
std::vector<int> readTrackSeconds(CdAudioDevice& device, std::int32_t trackCount);

}  // namespace vantoli
