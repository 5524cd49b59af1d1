#pragma once
// A rendered side written as a file: FLAC (libFLAC) or WAV, 44.1 kHz, 16-bit, stereo. The file is
// written beside its final name and renamed when complete; a failure or a cancel leaves nothing.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace vantoli::audio {

enum class FileFormat { Flac, Wav };

class SideFile {
public:
    SideFile() = default;
    ~SideFile();  // removes the partial file unless committed
    SideFile(const SideFile&) = delete;
    SideFile& operator=(const SideFile&) = delete;

    // Starts writing `path` (through a hidden file beside it) for `frames` frames. Empty on success, else
    // why it cannot be written.
    std::string open(const std::filesystem::path& path, FileFormat format, std::int64_t frames);
    // Appends interleaved stereo samples; false when the disk refuses them (see error()).
    bool write(const std::int16_t* samples, std::int64_t frames);
    // Finishes the file and gives it its name; false when that fails (the partial file is removed).
    bool commit();
    // Removes the partial file.
    void discard();
    const std::string& error() const { return error_; }

private:
    std::filesystem::path path_;
    std::filesystem::path part_;
    FileFormat format_ = FileFormat::Flac;
    std::FILE* file_ = nullptr;
    void* encoder_ = nullptr;  // FLAC__StreamEncoder
    std::string error_;
    bool open_ = false;
};

}  // namespace vantoli::audio
