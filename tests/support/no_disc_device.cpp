#include "support/no_disc_device.h"

namespace vantoli {

void NoDiscDevice::selectCdAudio() {}
void NoDiscDevice::open() {}
void NoDiscDevice::close() {}
void NoDiscDevice::setMillisecondsFormat() {}
std::int32_t NoDiscDevice::tracks() const { return 0; }
std::int32_t NoDiscDevice::track() const { return track_; }
void NoDiscDevice::setTrack(std::int32_t track) { track_ = track; }
std::int32_t NoDiscDevice::trackLength() const { return 0; }

}  // namespace vantoli
