#include "audio/side_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <FLAC/stream_encoder.h>

#include "core/language.h"
#include "core/side_program.h"

namespace vantoli::audio {

namespace {

FLAC__StreamEncoder* flac(void* encoder) { return static_cast<FLAC__StreamEncoder*>(encoder); }

void put32(std::uint8_t* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
void put16(std::uint8_t* at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

// The hidden name a file is written under before it is named, as a pattern for mkstemp.
std::string hiddenPattern(const std::filesystem::path& path)
{
    std::string hidden = path.filename().string();
    hidden.insert(hidden.begin(), '.');  // GCC 12 warns falsely of overlap on "." + name at -O3
    hidden.append(".XXXXXX");
    return (path.parent_path() / hidden).string();
}

// Whether `name` is a hidden name mkstemp made from hiddenPattern of `file`.
bool isHiddenNameOf(const std::string& name, const std::string& file)
{
    constexpr std::size_t Unique = 6;
    if (name.size() != file.size() + 2 + Unique || name[0] != '.' || name.compare(1, file.size(), file) != 0 ||
        name[file.size() + 1] != '.')
        return false;
    for (std::size_t i = file.size() + 2; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    }
    return true;
}

// Makes the names given in `folder` last through a power cut.
void syncFolder(const std::filesystem::path& folder)
{
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

}  // namespace

SideFile::~SideFile() { discard(); }

std::string SideFile::open(const std::filesystem::path& path, FileFormat format, std::int64_t frames)
{
    discard();
    path_ = path;
    format_ = format;
    std::string pattern = hiddenPattern(path);
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int descriptor = ::mkstemp(name.data());
    if (descriptor < 0) return error_ = std::strerror(errno);
    part_ = name.data();
    // Held until the file is named or removed, by a descriptor of its own as libFLAC closes the other.
    lock_ = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    if (lock_ >= 0) ::flock(lock_, LOCK_EX | LOCK_NB);
    // The permissions a file made with open() would have: mkstemp's are for the owner only.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(descriptor, 0666 & ~mask);
    file_ = ::fdopen(descriptor, "w+b");
    if (!file_) {
        error_ = std::strerror(errno);
        ::close(descriptor);
        discard();
        return error_;
    }
    open_ = true;
    wavFrames_ = 0;
    if (format == FileFormat::Wav) {
        const std::uint64_t bytes = static_cast<std::uint64_t>(frames) * 4;
        if (bytes + 36 > 0xFFFFFFFFu) return error_ = _("WAV に収まらない長さです");
        std::uint8_t header[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
        put32(header + 4, static_cast<std::uint32_t>(36 + bytes));
        put32(header + 16, 16);
        put16(header + 20, 1);
        put16(header + 22, 2);
        put32(header + 24, SampleRate);
        put32(header + 28, SampleRate * 4);
        put16(header + 32, 4);
        put16(header + 34, 16);
        std::memcpy(header + 36, "data", 4);
        put32(header + 40, static_cast<std::uint32_t>(bytes));
        if (std::fwrite(header, 1, sizeof header, file_) != sizeof header) return error_ = std::strerror(errno);
        return {};
    }
    FLAC__StreamEncoder* encoder = FLAC__stream_encoder_new();
    encoder_ = encoder;
    if (!encoder) return error_ = _("FLAC のエンコーダーを用意できません");
    FLAC__stream_encoder_set_channels(encoder, 2);
    FLAC__stream_encoder_set_bits_per_sample(encoder, 16);
    FLAC__stream_encoder_set_sample_rate(encoder, SampleRate);
    // Level 2 (fixed predictors, mid-side stereo): about twice as fast as level 5 for about one percent
    // more bytes (bench/render_side.sh). A side is written for one dub: speed matters more than size.
    FLAC__stream_encoder_set_compression_level(encoder, 2);
    FLAC__stream_encoder_set_total_samples_estimate(encoder, static_cast<FLAC__uint64>(frames));
    // libFLAC closes the stream when it finishes.
    std::FILE* stream = file_;
    file_ = nullptr;
    if (FLAC__stream_encoder_init_FILE(encoder, stream, nullptr, nullptr) != FLAC__STREAM_ENCODER_INIT_STATUS_OK) {
        std::fclose(stream);
        return error_ = _("FLAC のエンコーダーを用意できません");
    }
    closing_ = false;
    failed_ = false;
    encoder_thread_ = std::thread([this] { encode(); });
    return {};
}

void SideFile::encode()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return !queue_.empty() || closing_; });
        if (queue_.empty()) return;
        std::vector<std::int32_t> block = std::move(queue_.front());
        queue_.pop_front();
        changed_.notify_all();
        lock.unlock();
        errno = 0;
        const bool encoded = FLAC__stream_encoder_process_interleaved(flac(encoder_), block.data(),
                                                                      static_cast<unsigned>(block.size() / 2));
        const int cause = errno;
        lock.lock();
        if (!encoded) {
            failed_ = true;
            error_ = cause ? std::strerror(cause)
                           : FLAC__StreamEncoderStateString[FLAC__stream_encoder_get_state(flac(encoder_))];
            queue_.clear();
            changed_.notify_all();
            return;
        }
    }
}

void SideFile::stopEncoder()
{
    if (!encoder_thread_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    encoder_thread_.join();
}

bool SideFile::write(const std::int16_t* samples, std::int64_t frames)
{
    if (!open_) return false;
    if (format_ == FileFormat::Wav) {
        const auto count = static_cast<std::size_t>(frames * 2);
        if (static_cast<std::uint64_t>(wavFrames_ + frames) * 4 + 36 > 0xFFFFFFFFu) {
            error_ = _("WAV に収まらない長さです");
            return false;
        }
        wavFrames_ += frames;
        if (std::fwrite(samples, sizeof(std::int16_t), count, file_) == count) return true;
        error_ = std::strerror(errno);
        return false;
    }
    // Blocks of about 1.5 s go to the encoder's thread, a few at a time: few hand-overs between the threads.
    pending_.insert(pending_.end(), samples, samples + frames * 2);
    return pending_.size() < BlockSamples || handOver();
}

bool SideFile::handOver()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < QueuedBlocks || failed_; });
    if (failed_) return false;
    queue_.push_back(std::move(pending_));
    pending_.clear();
    pending_.reserve(BlockSamples + 8192);
    changed_.notify_all();
    return true;
}

bool SideFile::finish()
{
    if (!open_) return false;
    bool written = true;
    if (format_ == FileFormat::Flac) {
        if (!pending_.empty()) handOver();
        stopEncoder();
        written = !failed_ && FLAC__stream_encoder_finish(flac(encoder_));  // flushes and closes the file
        if (!written && error_.empty()) error_ = _("書き込みに失敗しました");
        FLAC__stream_encoder_delete(flac(encoder_));
        encoder_ = nullptr;
        errno = 0;
        if (written && (lock_ < 0 || ::fsync(lock_) != 0)) {
            written = false;
            error_ = std::strerror(errno ? errno : EIO);
        }
    } else {
        // The sizes as written (a recording does not know its length when it starts).
        const auto bytes = static_cast<std::uint32_t>(wavFrames_ * 4);
        std::uint8_t riff[4];
        std::uint8_t data[4];
        put32(riff, 36 + bytes);
        put32(data, bytes);
        errno = 0;
        written = std::fseek(file_, 4, SEEK_SET) == 0 && std::fwrite(riff, 1, 4, file_) == 4 &&
                  std::fseek(file_, 40, SEEK_SET) == 0 && std::fwrite(data, 1, 4, file_) == 4;
        written = written && std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
        if (std::fclose(file_) != 0) written = false;
        file_ = nullptr;
        if (!written) error_ = std::strerror(errno ? errno : EIO);
    }
    if (!written) {
        discard();
        return false;
    }
    open_ = false;
    finished_ = true;
    return true;
}

bool SideFile::commit()
{
    if (!finish()) return false;
    if (const std::optional<PublishFailure> failure = publish({this})) {
        error_ = failure->error;
        return false;
    }
    return true;
}

std::optional<SideFile::PublishFailure> SideFile::publish(const std::vector<SideFile*>& files)
{
    struct Step {
        std::string backup;  // where the earlier file of the name waits
        bool named = false;
    };
    std::vector<Step> steps(files.size());
    std::optional<PublishFailure> failure;
    const auto failAt = [&failure](std::size_t i, int cause) { failure = PublishFailure{i, std::strerror(cause)}; };
    // A folder in a name's place is found before anything is moved.
    for (std::size_t i = 0; i < files.size() && !failure; ++i) {
        struct stat status {};
        if (!files[i]->finished_)
            failure = PublishFailure{i, files[i]->error_.empty() ? _("書き込みに失敗しました") : files[i]->error_};
        else if (::lstat(files[i]->path_.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
            failAt(i, EISDIR);
    }
    for (std::size_t i = 0; i < files.size() && !failure; ++i) {
        const SideFile& file = *files[i];
        struct stat status {};
        if (::lstat(file.path_.c_str(), &status) == 0) {
            std::string backup = hiddenPattern(file.path_);
            const int descriptor = ::mkstemp(backup.data());
            if (descriptor < 0) {
                failAt(i, errno);
                break;
            }
            ::close(descriptor);
            if (::rename(file.path_.c_str(), backup.c_str()) != 0) {
                failAt(i, errno);
                ::unlink(backup.c_str());
                break;
            }
            steps[i].backup = backup;
        } else if (errno != ENOENT) {
            failAt(i, errno);
            break;
        }
        if (::rename(file.part_.c_str(), file.path_.c_str()) != 0) {
            failAt(i, errno);
            break;
        }
        steps[i].named = true;
    }
    // On a failure each name gets back what it held; else the earlier files go.
    for (std::size_t i = files.size(); i-- > 0;) {
        const Step& step = steps[i];
        if (failure) {
            if (step.named) ::unlink(files[i]->path_.c_str());
            if (!step.backup.empty()) ::rename(step.backup.c_str(), files[i]->path_.c_str());
        } else if (!step.backup.empty()) {
            ::unlink(step.backup.c_str());
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (steps[i].named && !failure) files[i]->part_.clear();
        files[i]->finished_ = false;
        files[i]->discard();
    }
    if (!files.empty()) syncFolder(files.front()->path_.parent_path());
    return failure;
}

void SideFile::discard()
{
    stopEncoder();
    pending_.clear();
    if (encoder_) {
        FLAC__stream_encoder_delete(flac(encoder_));  // closes the file too
        encoder_ = nullptr;
    }
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!part_.empty()) {
        std::error_code error;
        std::filesystem::remove(part_, error);
        part_.clear();
    }
    if (lock_ >= 0) {
        ::close(lock_);
        lock_ = -1;
    }
    open_ = false;
    finished_ = false;
}

std::vector<std::string> removeLeftoverParts(const std::filesystem::path& folder, const std::vector<std::string>& names)
{
    std::vector<std::string> removed;
    std::error_code error;
    for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (std::none_of(names.begin(), names.end(), [&](const std::string& file) { return isHiddenNameOf(name, file); }))
            continue;
        // A file a running render writes is locked; one left by a render that was killed is not.
        const int descriptor = ::open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (descriptor < 0) continue;
        struct stat status {};
        if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 &&
            ::unlink(entry.path().c_str()) == 0)
            removed.push_back(name);
        ::close(descriptor);
    }
    std::sort(removed.begin(), removed.end());
    return removed;
}

}  // namespace vantoli::audio
