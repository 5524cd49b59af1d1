#pragma once
// Audio files for tests that read files: WAV and AIFF of an exact number of sample frames, written
// sparse (the header is written, the silence is only a file size), and small FLAC, MP3, Ogg Vorbis and
// Opus files made from them with the encoders Debian ships (flac, lame, oggenc, opusenc).

#include <QString>

#include <cstdint>

namespace vantoli::test {

struct PcmFormat {
    int sampleRate = 44100;
    int channels = 2;
    int bitsPerSample = 16;
};

// Sample frames of `milliseconds` at the sample rate, rounded down.
std::int64_t framesOf(std::int64_t milliseconds, int sampleRate = 44100);

// Writes `folder`/`name` as a PCM WAV file of `frames` frames of silence; returns its path, or an
// empty string when it could not be written.
QString writeWav(const QString& folder, const QString& name, std::int64_t frames, PcmFormat format = {});

// The same as an AIFF file.
QString writeAiff(const QString& folder, const QString& name, std::int64_t frames, PcmFormat format = {});

struct AudioTags {
    QString title;
    QString artist;
    QString album;
};

enum class Encoder { Flac, Mp3, Vorbis, Opus };

// The usual extension of the encoder's files: "flac", "mp3", "ogg", "opus".
QString extensionOf(Encoder encoder);

// Encodes the WAV file at `wavPath` into `outPath` with the encoder's program, writing the tags.
// Returns an empty string on success, else what went wrong (the program's own output included).
QString encode(Encoder encoder, const QString& wavPath, const QString& outPath, const AudioTags& tags = {});

// Writes `folder`/`name` with `milliseconds` of silence in the encoder's format, tagged; returns the
// path, or an empty string on failure. Goes by way of a WAV file that is removed again.
QString writeEncoded(Encoder encoder, const QString& folder, const QString& name, std::int64_t milliseconds,
                     const AudioTags& tags = {});

}  // namespace vantoli::test
