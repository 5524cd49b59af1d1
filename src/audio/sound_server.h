#pragma once
// The sound server (PulseAudio, or PipeWire through its PulseAudio server) through libpulse: its
// outputs and inputs, a side played to an output and an input recorded. Each stream runs on
// libpulse's own thread (a threaded main loop), so that nothing the caller does — a slow reader of
// its reports, a busy processor — takes a sample away: the caller hands sound in or takes it out
// through a buffer of a few seconds.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "audio/sound_source.h"
#include "core/dubbing_cues.h"
#include "core/sound_report.h"

namespace vantoli::audio {

// The server's outputs and inputs (monitors of outputs included), the defaults marked.
std::variant<SoundDevices, SoundError> listSoundDevices();

// The levels of the last frames of a stream, kept in blocks of 10 ms by the frame each block starts at.
class LevelHistory {
public:
    // Adds interleaved stereo frames that follow those added before.
    void add(const std::int16_t* samples, std::int64_t frames);
    // Peak and RMS of each channel over the `span` frames before `frame` (those kept).
    StereoLevel before(std::int64_t frame, std::int64_t span) const;
    std::int64_t frames() const { return frames_; }

private:
    static constexpr std::int64_t BlockFrames = SampleRate / 100;
    static constexpr std::size_t KeptBlocks = 1000;  // 10 s
    struct Block {
        std::int64_t first = 0;
        std::int64_t frames = 0;
        double peak[2] = {0, 0};
        double squares[2] = {0, 0};
    };
    std::deque<Block> blocks_;
    std::int64_t frames_ = 0;
};

struct ServerConnection;  // the main loop and the context, in sound_server.cpp

// One stream of 16-bit stereo to an output. The caller writes (from any one thread) as fast as it
// likes; the buffer of BufferSeconds holds it back, the server's own buffer holds a second more.
class Playback {
public:
    static constexpr std::int64_t BufferFrames = 4 * SampleRate;
    static constexpr std::int64_t ServerBufferFrames = SampleRate;

    Playback();
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // Connects and opens the stream on `device` (empty: the server's default output, followed when the
    // default changes; a named output is never left for another). Sound starts once the server's
    // buffer is full or finish() is called.
    std::optional<SoundError> open(const std::string& device, const std::string& streamName);
    // Appends frames, waiting while the buffer is full; false once stopped or failed.
    bool write(const std::int16_t* samples, std::int64_t frames);
    // Nothing more comes: what is buffered plays out, then drained() is true.
    void finish();
    // Ends the stream at once; a writer waiting returns false.
    void stop();
    // Holds the stream where it is (the server keeps what it has) or lets it go on.
    void setPaused(bool paused);
    bool paused() const { return paused_; }

    // The frames of the stream that have sounded, by the server's clock with its latency; 0 before
    // the first.
    std::int64_t playedFrames();
    // The levels of the frames handed to the server in the `span` frames before `frame`.
    StereoLevel levelBefore(std::int64_t frame, std::int64_t span);
    bool drained() const { return drained_; }
    // Why the stream ended when it failed (the server went away, the output vanished).
    std::optional<SoundError> failure();
    // How often the server ran out of sound to play (each a hole in the tape).
    int underruns() const { return underruns_; }

private:
    friend struct PlaybackCallbacks;
    void fill();  // under the main loop's lock: hands the server what it asks for and the buffer has
    void fail(const std::string& cause);

    std::unique_ptr<ServerConnection> server_;
    void* stream_ = nullptr;  // pa_stream
    std::string device_;

    std::mutex mutex_;  // guards buffer_, levels_, failure_, finished_
    std::condition_variable room_;
    std::deque<std::int16_t> buffer_;
    LevelHistory levels_;
    std::optional<SoundError> failure_;
    bool finished_ = false;
    bool drainAsked_ = false;
    std::atomic<bool> stopped_ = false;
    std::atomic<bool> drained_ = false;
    std::atomic<bool> paused_ = false;
    std::atomic<int> underruns_ = 0;
    std::int64_t played_ = 0;  // the last position read, never going back
};

// One stream of 16-bit stereo from an input, handed to `take` on libpulse's thread as it comes.
class Recording {
public:
    using Take = std::function<void(const std::int16_t* samples, std::int64_t frames)>;

    Recording();
    ~Recording();
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    // `device` empty: the server's default input.
    std::optional<SoundError> open(const std::string& device, const std::string& streamName, Take take);
    void stop();
    std::optional<SoundError> failure();

private:
    friend struct RecordingCallbacks;
    void fail(const std::string& cause);

    std::unique_ptr<ServerConnection> server_;
    void* stream_ = nullptr;  // pa_stream
    std::string device_;
    Take take_;
    std::mutex mutex_;
    std::optional<SoundError> failure_;
};

}  // namespace vantoli::audio
