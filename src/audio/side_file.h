#pragma once
// A rendered side written as a file: FLAC (libFLAC) or WAV, 44.1 kHz, 16-bit, stereo. The file is
// written to a hidden name beside its final one (".side-a.flac.XXXXXX"), synced, and renamed when it and
// every file written with it are complete; a failure or a cancel leaves nothing and the earlier files
// as they were. A hidden file is locked (flock) while its render lives, so that a later render can tell
// the leftovers of one that was killed from the files of one still running.

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
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
    // Finishes and syncs the file under its hidden name; false when that fails (the partial file is
    // removed, see error()).
    bool finish();
    // finish() and then publish() of this file alone.
    bool commit();
    // Removes the partial file.
    void discard();
    const std::string& error() const { return error_; }

    // Gives finished files their names, all or none: each earlier file of a name is first moved to a hidden
    // name of its own, and put back if a later rename fails. Nothing when all are named, else the index of
    // the file that could not be and why; the hidden files are then removed.
    struct PublishFailure {
        std::size_t index;
        std::string error;
    };
    static std::optional<PublishFailure> publish(const std::vector<SideFile*>& files);

    const std::filesystem::path& path() const { return path_; }

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
    int lock_ = -1;  // a second descriptor of the hidden file, holding its lock until it is named or removed
    void* encoder_ = nullptr;  // FLAC__StreamEncoder
    std::string error_;
    bool open_ = false;
    std::int64_t wavFrames_ = 0;
    bool finished_ = false;  // complete under its hidden name
    // FLAC is encoded on a thread of its own while the side is decoded, so that the two overlap.
    std::thread encoder_thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<std::int32_t>> queue_;
    std::vector<std::int32_t> pending_;
    bool closing_ = false;
    bool failed_ = false;
};

// Removes from `folder` the hidden partial files of the files `names` (".side-a.flac.XXXXXX" for
// "side-a.flac") that no running render holds; gives the names removed.
std::vector<std::string> removeLeftoverParts(const std::filesystem::path& folder, const std::vector<std::string>& names);

}  // namespace vantoli::audio
