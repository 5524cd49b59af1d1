#pragma once
// Reading every track's length off the disc in the drive.

#include <cstdint>
#include <vector>

#include "core/cd_audio_device.h"

namespace vantoli {

// Reads the lengths of tracks 1..trackCount from the open device, in whole seconds (the milliseconds
// divided by 1000, the rest dropped), and closes the device. The device must be open and in
// milliseconds. A length the device reports as negative counts as 0 s.
std::vector<int> readTrackSeconds(CdAudioDevice& device, std::int32_t trackCount);

}  // namespace vantoli
