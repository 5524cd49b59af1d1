#pragma once
// Audio files' lengths and tags through TagLib: its own library (vantoli_tags), which vantoli-plan links
// and the window does not.

#include "device/audio_file_reader.h"

namespace vantoli {

// FLAC, MP3, Ogg Vorbis, Opus, WAV, AIFF, M4A/AAC, WMA and the other formats TagLib knows, found by the
// name's extension or else by the file's content.
class TagLibReader final : public AudioFileReader {
public:
    std::optional<AudioFileTags> read(const std::string& path) const override;
};

}  // namespace vantoli
