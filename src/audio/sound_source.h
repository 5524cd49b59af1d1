#pragma once
// Where a track's sound is read from: an audio file decoded with FFmpeg, or a CD track read from a
// drive or a disc image. Every source gives 44.1 kHz stereo as interleaved float samples (-1 to 1);
// a 16-bit source comes back unchanged when turned into 16 bits again.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "core/side_program.h"
#include "core/track_list.h"

namespace vantoli::audio {

inline constexpr int Channels = PcmChannels;

class SoundSource {
public:
    virtual ~SoundSource() = default;
    // The length in frames the source says it has, before anything was decoded.
    virtual std::int64_t frames() const = 0;
    // Fills up to `count` frames into `samples` (2 floats a frame); returns how many, 0 at the end.
    // Throws SoundError when the source fails part-way.
    virtual std::int64_t read(float* samples, std::int64_t count) = 0;
};

// A failure of a source, naming what it is about (the file, the drive or image with its track).
struct SoundError {
    std::string what;   // the file or "drive: track 3"
    std::string cause;  // what went wrong, in the program's language
};

// Opens the track's sound: a file (a part of it for a single-file CUE rip) or a CD track.
std::variant<std::unique_ptr<SoundSource>, SoundError> openSound(const AudioSource& source);

// The name a message gives the source: the file's path, or the drive or image and the track.
std::string soundName(const AudioSource& source);

}  // namespace vantoli::audio
