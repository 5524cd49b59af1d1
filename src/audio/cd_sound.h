#pragma once
// CD tracks read with libcdio's cd-paranoia: from a drive, or from a disc image libcdio opens
// (CUE/BIN, TOC, NRG), where paranoia reads the image's raw sectors.

#include <memory>
#include <string>
#include <variant>

#include "audio/sound_source.h"

namespace vantoli::audio {

// Track `track` (1 to 99) of the disc in `device` (a drive, a disc image; empty: the default drive).
std::variant<std::unique_ptr<SoundSource>, SoundError> openCdSound(const std::string& device, int track);

}  // namespace vantoli::audio
