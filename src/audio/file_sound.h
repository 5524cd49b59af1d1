#pragma once
// Audio files decoded with FFmpeg's libraries (libavformat, libavcodec, libswresample).

#include <memory>
#include <string>
#include <variant>

#include "audio/sound_source.h"

namespace vantoli::audio {

// The file at `path`, from CD frame `startFrame` to `endFrame` (-1: to its end), as 44.1 kHz stereo.
// The encoder's delay and padding (MP3's LAME header, AAC's priming) are left out as FFmpeg reports
// them; mono plays on both channels, more channels are mixed down.
std::variant<std::unique_ptr<SoundSource>, SoundError> openFileSound(const std::string& path, std::int64_t startFrame,
                                                                      std::int64_t endFrame);

}  // namespace vantoli::audio
