#pragma once
// A rendered side written as a file: FLAC (libFLAC) or WAV, 44.1 kHz, 16-bit, stereo. The file is
// written beside its final name and renamed when complete; a failure or a cancel leaves nothing.

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantoli::audio {

enum class FileFormat { Flac, Wav };

class SideFile {
public:
    SideFile() = default;
    ~SideFile();  // removes the partial file unless committed
    SideFile(const SideFile&) = delete;
    SideFile& operator=(const SideFile&) = delete;

    // Starts writing `path` (through a hidden file beside it) for `frames` frames (WAV: an estimate, the
    // header says what was written). Empty on success, else why it cannot be written.
    std::string open(const std::filesystem::path& path, FileFormat format, std::int64_t frames);
    // Appends interleaved stereo samples; false when the disk refuses them (see error()).
    bool write(const std::int16_t* samples, std::int64_t frames);
    // Finishes the file and gives it its name; false when that fails (the partial file is removed).
    bool commit();
    // Removes the partial file.
    void discard();
    const std::string& error() const { return error_; }

private:
    void encode();  // the FLAC encoder's thread: encodes what write() queues
    void stopEncoder();
    bool handOver();  // queues the pending block for the encoder
    static constexpr std::size_t BlockSamples = 65536 * 2;
    static constexpr std::size_t QueuedBlocks = 4;

    std::filesystem::path path_;
    std::filesystem::path part_;
    FileFormat format_ = FileFormat::Flac;
    std::FILE* file_ = nullptr;
    void* encoder_ = nullptr;  // FLAC__StreamEncoder
    std::string error_;
    bool open_ = false;
    std::int64_t wavFrames_ = 0;
    // FLAC is encoded on a thread of its own while the side is decoded, so that the two overlap.
    std::thread encoder_thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<std::int32_t>> queue_;
    std::vector<std::int32_t> pending_;
    bool closing_ = false;
    bool failed_ = false;
};

}  // namespace vantoli::audio
