#include "audio/sound_server.h"

#include <algorithm>
#include <cmath>

#include <pulse/pulseaudio.h>

#include "core/language.h"

namespace vantoli::audio {

namespace {

// The stream format pa_stream_new takes, named after its parameter.
template <typename Call> struct StreamFormatOf;
template <typename Format, typename... Rest>
struct StreamFormatOf<pa_stream* (*)(pa_context*, const char*, const Format*, Rest...)> {
    using Type = Format;
};
using StreamFormat = StreamFormatOf<decltype(&pa_stream_new)>::Type;

// What every stream here carries: CD audio, 16-bit little-endian stereo at 44.1 kHz.
constexpr StreamFormat CdSampleFormat{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(SampleRate), PcmChannels};

std::string serverName() { return _("サウンドサーバー"); }

// Holds the main loop's lock for a scope. Never taken on the loop's own thread (the callbacks hold it).
class Locked {
public:
    explicit Locked(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
    ~Locked() { pa_threaded_mainloop_unlock(loop_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

bool goodContext(pa_context_state_t state) { return PA_CONTEXT_IS_GOOD(state); }

// Completes a stream operation that ServerConnection::wait() waits for.
void operationDone(pa_stream*, int, void* loop) { pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0); }

}  // namespace

struct ServerConnection {
    pa_threaded_mainloop* loop = nullptr;
    pa_context* context = nullptr;

    ~ServerConnection()
    {
        if (loop) pa_threaded_mainloop_stop(loop);
        if (context) {
            pa_context_disconnect(context);
            pa_context_unref(context);
        }
        if (loop) pa_threaded_mainloop_free(loop);
    }

    static void stateChanged(pa_context*, void* self)
    {
        pa_threaded_mainloop_signal(static_cast<ServerConnection*>(self)->loop, 0);
    }

    // Connects to the server the environment names (PULSE_SERVER, else the user's); never starts one.
    std::optional<SoundError> connect(const std::string& name)
    {
        loop = pa_threaded_mainloop_new();
        if (!loop) return SoundError{serverName(), _("libpulse を初期化できません")};
        context = pa_context_new(pa_threaded_mainloop_get_api(loop), name.c_str());
        if (!context) return SoundError{serverName(), _("libpulse を初期化できません")};
        pa_context_set_state_callback(context, stateChanged, this);
        if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return SoundError{serverName(), pa_strerror(pa_context_errno(context))};
        if (pa_threaded_mainloop_start(loop) < 0) return SoundError{serverName(), _("libpulse を初期化できません")};
        const Locked locked(loop);
        while (true) {
            const pa_context_state_t state = pa_context_get_state(context);
            if (state == PA_CONTEXT_READY) return std::nullopt;
            if (!goodContext(state)) return SoundError{serverName(), pa_strerror(pa_context_errno(context))};
            pa_threaded_mainloop_wait(loop);
        }
    }

    // Waits for an operation to end; the loop's lock is held.
    void wait(pa_operation* operation)
    {
        if (!operation) return;
        while (pa_operation_get_state(operation) == PA_OPERATION_RUNNING && goodContext(pa_context_get_state(context)))
            pa_threaded_mainloop_wait(loop);
        pa_operation_unref(operation);
    }
};

// ---- Outputs and inputs ---------------------------------------------------------------------------

namespace {

struct DeviceQuery {
    ServerConnection* server;
    SoundDevices devices;
    std::string defaultSink;
    std::string defaultSource;
};

void serverInfo(pa_context*, const pa_server_info* info, void* self)
{
    auto* query = static_cast<DeviceQuery*>(self);
    if (info) {
        query->defaultSink = info->default_sink_name ? info->default_sink_name : "";
        query->defaultSource = info->default_source_name ? info->default_source_name : "";
    }
    pa_threaded_mainloop_signal(query->server->loop, 0);
}

void sinkInfo(pa_context*, const pa_sink_info* info, int last, void* self)
{
    auto* query = static_cast<DeviceQuery*>(self);
    if (!last && info)
        query->devices.outputs.push_back(
            {info->name, info->description ? info->description : "", query->defaultSink == info->name});
    pa_threaded_mainloop_signal(query->server->loop, 0);
}

void sourceInfo(pa_context*, const pa_source_info* info, int last, void* self)
{
    auto* query = static_cast<DeviceQuery*>(self);
    if (!last && info)
        query->devices.inputs.push_back(
            {info->name, info->description ? info->description : "", query->defaultSource == info->name});
    pa_threaded_mainloop_signal(query->server->loop, 0);
}

}  // namespace

std::variant<SoundDevices, SoundError> listSoundDevices()
{
    ServerConnection server;
    if (auto error = server.connect("vantoli-plan")) return *error;
    DeviceQuery query{&server, {}, {}, {}};
    const Locked locked(server.loop);
    server.wait(pa_context_get_server_info(server.context, serverInfo, &query));
    server.wait(pa_context_get_sink_info_list(server.context, sinkInfo, &query));
    server.wait(pa_context_get_source_info_list(server.context, sourceInfo, &query));
    if (!goodContext(pa_context_get_state(server.context)))
        return SoundError{serverName(), pa_strerror(pa_context_errno(server.context))};
    return query.devices;
}

// ---- Levels ---------------------------------------------------------------------------------------

void LevelHistory::add(const std::int16_t* samples, std::int64_t frames)
{
    while (frames > 0) {
        if (blocks_.empty() || blocks_.back().frames == BlockFrames) {
            blocks_.push_back(Block{frames_, 0, {0, 0}, {0, 0}});
            if (blocks_.size() > KeptBlocks) blocks_.pop_front();
        }
        Block& block = blocks_.back();
        const std::int64_t take = std::min(frames, BlockFrames - block.frames);
        for (std::int64_t f = 0; f < take; ++f)
            for (int c = 0; c < 2; ++c) {
                const double v = samples[f * 2 + c] / 32768.0;
                block.peak[c] = std::max(block.peak[c], std::abs(v));
                block.squares[c] += v * v;
            }
        block.frames += take;
        frames_ += take;
        frames -= take;
        samples += take * 2;
    }
}

StereoLevel LevelHistory::before(std::int64_t frame, std::int64_t span) const
{
    double peak[2] = {0, 0};
    double squares[2] = {0, 0};
    std::int64_t counted = 0;
    for (const Block& block : blocks_) {
        if (block.first + block.frames <= frame - span || block.first >= frame) continue;
        counted += block.frames;
        for (int c = 0; c < 2; ++c) {
            peak[c] = std::max(peak[c], block.peak[c]);
            squares[c] += block.squares[c];
        }
    }
    const auto db = [](double amplitude) {
        return amplitude > 0 ? std::max(MinLevelDb, 20 * std::log10(amplitude)) : MinLevelDb;
    };
    StereoLevel level;
    ChannelLevel* channels[2] = {&level.left, &level.right};
    for (int c = 0; c < 2; ++c) {
        channels[c]->peakDb = db(peak[c]);
        channels[c]->rmsDb = counted > 0 ? db(std::sqrt(squares[c] / static_cast<double>(counted))) : MinLevelDb;
    }
    return level;
}

// ---- Playing --------------------------------------------------------------------------------------

struct PlaybackCallbacks {
    static void state(pa_stream* stream, void* self)
    {
        auto* playback = static_cast<Playback*>(self);
        const pa_stream_state_t state = pa_stream_get_state(stream);
        if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) {
            if (!goodContext(pa_context_get_state(playback->server_->context)))
                playback->fail(_("サウンドサーバーとの接続が切れました"));
            else
                playback->fail(_("出力先が使えなくなりました"));
        }
        pa_threaded_mainloop_signal(playback->server_->loop, 0);
    }
    static void writable(pa_stream*, std::size_t, void* self) { static_cast<Playback*>(self)->fill(); }
    static void underflow(pa_stream*, void* self)
    {
        auto* playback = static_cast<Playback*>(self);
        const std::lock_guard lock(playback->mutex_);
        if (!playback->finished_) ++playback->underruns_;
    }
    static void drained(pa_stream*, int success, void* self)
    {
        auto* playback = static_cast<Playback*>(self);
        if (success) playback->drained_ = true;
        pa_threaded_mainloop_signal(playback->server_->loop, 0);
    }
};

Playback::Playback() = default;

Playback::~Playback() { stop(); }

std::optional<SoundError> Playback::open(const std::string& device, const std::string& streamName)
{
    device_ = device.empty() ? _("既定の出力") : device;
    server_ = std::make_unique<ServerConnection>();
    if (auto error = server_->connect("vantoli-plan")) return error;
    const Locked locked(server_->loop);
    auto* stream = pa_stream_new(server_->context, streamName.c_str(), &CdSampleFormat, nullptr);
    if (!stream) return SoundError{serverName(), pa_strerror(pa_context_errno(server_->context))};
    stream_ = stream;
    pa_stream_set_state_callback(stream, PlaybackCallbacks::state, this);
    pa_stream_set_write_callback(stream, PlaybackCallbacks::writable, this);
    pa_stream_set_underflow_callback(stream, PlaybackCallbacks::underflow, this);
    pa_buffer_attr attributes;
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.tlength = static_cast<std::uint32_t>(ServerBufferFrames * PcmBytesPerFrame);
    attributes.prebuf = static_cast<std::uint32_t>(-1);
    attributes.minreq = static_cast<std::uint32_t>(-1);
    attributes.fragsize = static_cast<std::uint32_t>(-1);
    auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
    if (!device.empty()) flags = static_cast<pa_stream_flags_t>(flags | PA_STREAM_DONT_MOVE);
    if (pa_stream_connect_playback(stream, device.empty() ? nullptr : device.c_str(), &attributes, flags, nullptr,
                                   nullptr) < 0)
        return SoundError{device_, pa_strerror(pa_context_errno(server_->context))};
    while (true) {
        const pa_stream_state_t state = pa_stream_get_state(stream);
        if (state == PA_STREAM_READY) break;
        if (!PA_STREAM_IS_GOOD(state)) return SoundError{device_, pa_strerror(pa_context_errno(server_->context))};
        pa_threaded_mainloop_wait(server_->loop);
    }
    const std::lock_guard lock(mutex_);
    failure_.reset();
    return std::nullopt;
}

void Playback::fail(const std::string& cause)
{
    {
        const std::lock_guard lock(mutex_);
        if (!failure_) failure_ = SoundError{device_, cause};
    }
    room_.notify_all();
}

std::optional<SoundError> Playback::failure()
{
    const std::lock_guard lock(mutex_);
    return failure_;
}

void Playback::fill()
{
    auto* stream = static_cast<pa_stream*>(stream_);
    if (!stream || stopped_ || pa_stream_get_state(stream) != PA_STREAM_READY) return;
    const std::size_t writable = pa_stream_writable_size(stream);
    if (writable == static_cast<std::size_t>(-1)) return;
    std::vector<std::int16_t> samples;
    bool drain = false;
    {
        const std::lock_guard lock(mutex_);
        const std::size_t frames = std::min(writable / PcmBytesPerFrame, buffer_.size() / PcmChannels);
        samples.assign(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(frames * PcmChannels));
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(frames * PcmChannels));
        levels_.add(samples.data(), static_cast<std::int64_t>(frames));
        drain = finished_ && buffer_.empty() && !drainAsked_;
        if (drain) drainAsked_ = true;
    }
    room_.notify_all();
    if (!samples.empty() &&
        pa_stream_write(stream, samples.data(), samples.size() * sizeof(std::int16_t), nullptr, 0, PA_SEEK_RELATIVE) < 0)
        fail(pa_strerror(pa_context_errno(server_->context)));
    if (drain) {
        // A side shorter than the server's buffer starts now rather than waiting for more.
        if (pa_operation* trigger = pa_stream_trigger(stream, nullptr, nullptr)) pa_operation_unref(trigger);
        if (pa_operation* operation = pa_stream_drain(stream, PlaybackCallbacks::drained, this))
            pa_operation_unref(operation);
    }
}

bool Playback::write(const std::int16_t* samples, std::int64_t frames)
{
    while (frames > 0) {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [&] {
            return stopped_ || failure_ || static_cast<std::int64_t>(buffer_.size()) / PcmChannels < BufferFrames;
        });
        if (stopped_ || failure_) return false;
        const std::int64_t take =
            std::min(frames, BufferFrames - static_cast<std::int64_t>(buffer_.size()) / PcmChannels);
        buffer_.insert(buffer_.end(), samples, samples + take * PcmChannels);
        lock.unlock();
        samples += take * PcmChannels;
        frames -= take;
        const Locked locked(server_->loop);
        fill();
    }
    return true;
}

void Playback::finish()
{
    {
        const std::lock_guard lock(mutex_);
        finished_ = true;
    }
    if (!server_) return;
    const Locked locked(server_->loop);
    fill();
}

void Playback::stop()
{
    stopped_ = true;
    room_.notify_all();
    if (!server_) return;
    {
        const Locked locked(server_->loop);
        if (auto* stream = static_cast<pa_stream*>(stream_)) {
            pa_stream_set_state_callback(stream, nullptr, nullptr);
            pa_stream_set_write_callback(stream, nullptr, nullptr);
            pa_stream_set_underflow_callback(stream, nullptr, nullptr);
            pa_stream_disconnect(stream);
            pa_stream_unref(stream);
            stream_ = nullptr;
        }
    }
    server_.reset();
}

void Playback::setPaused(bool paused)
{
    if (!server_ || paused_ == paused) return;
    const Locked locked(server_->loop);
    auto* stream = static_cast<pa_stream*>(stream_);
    if (!stream) return;
    paused_ = paused;
    server_->wait(pa_stream_cork(stream, paused ? 1 : 0, operationDone, server_->loop));
    server_->wait(pa_stream_update_timing_info(stream, operationDone, server_->loop));
    if (!paused) fill();
}

std::int64_t Playback::playedFrames()
{
    if (!server_) return played_;
    const Locked locked(server_->loop);
    auto* stream = static_cast<pa_stream*>(stream_);
    pa_usec_t usec = 0;
    if (stream && pa_stream_get_time(stream, &usec) == 0) {
        const auto frames = static_cast<std::int64_t>(usec * static_cast<pa_usec_t>(SampleRate) / 1000000);
        const std::lock_guard lock(mutex_);
        // Never past what was handed over, never back.
        played_ = std::max(played_, std::min(frames, levels_.frames()));
    }
    return played_;
}

StereoLevel Playback::levelBefore(std::int64_t frame, std::int64_t span)
{
    const std::lock_guard lock(mutex_);
    return levels_.before(frame, span);
}

// ---- Recording ------------------------------------------------------------------------------------

struct RecordingCallbacks {
    static void state(pa_stream* stream, void* self)
    {
        auto* recording = static_cast<Recording*>(self);
        const pa_stream_state_t state = pa_stream_get_state(stream);
        if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) {
            if (!goodContext(pa_context_get_state(recording->server_->context)))
                recording->fail(_("サウンドサーバーとの接続が切れました"));
            else
                recording->fail(_("入力が使えなくなりました"));
        }
        pa_threaded_mainloop_signal(recording->server_->loop, 0);
    }
    static void readable(pa_stream* stream, std::size_t, void* self)
    {
        auto* recording = static_cast<Recording*>(self);
        std::vector<std::int16_t> silence;
        while (pa_stream_readable_size(stream) > 0) {
            const void* data = nullptr;
            std::size_t bytes = 0;
            if (pa_stream_peek(stream, &data, &bytes) < 0) {
                recording->fail(pa_strerror(pa_context_errno(recording->server_->context)));
                return;
            }
            if (bytes == 0) break;
            const auto frames = static_cast<std::int64_t>(bytes / PcmBytesPerFrame);
            if (data) {
                recording->take_(static_cast<const std::int16_t*>(data), frames);
            } else {
                // A hole in what the server holds: as long a silence.
                silence.assign(static_cast<std::size_t>(frames) * PcmChannels, 0);
                recording->take_(silence.data(), frames);
            }
            pa_stream_drop(stream);
        }
    }
};

Recording::Recording() = default;

Recording::~Recording() { stop(); }

std::optional<SoundError> Recording::open(const std::string& device, const std::string& streamName, Take take)
{
    device_ = device.empty() ? _("既定の入力") : device;
    take_ = std::move(take);
    server_ = std::make_unique<ServerConnection>();
    if (auto error = server_->connect("vantoli-plan")) return error;
    const Locked locked(server_->loop);
    auto* stream = pa_stream_new(server_->context, streamName.c_str(), &CdSampleFormat, nullptr);
    if (!stream) return SoundError{serverName(), pa_strerror(pa_context_errno(server_->context))};
    stream_ = stream;
    pa_stream_set_state_callback(stream, RecordingCallbacks::state, this);
    pa_stream_set_read_callback(stream, RecordingCallbacks::readable, this);
    pa_buffer_attr attributes;
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.tlength = static_cast<std::uint32_t>(-1);
    attributes.prebuf = static_cast<std::uint32_t>(-1);
    attributes.minreq = static_cast<std::uint32_t>(-1);
    attributes.fragsize = static_cast<std::uint32_t>(SampleRate / 50 * PcmBytesPerFrame);  // 20 ms
    auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY);
    if (!device.empty()) flags = static_cast<pa_stream_flags_t>(flags | PA_STREAM_DONT_MOVE);
    if (pa_stream_connect_record(stream, device.empty() ? nullptr : device.c_str(), &attributes, flags) < 0)
        return SoundError{device_, pa_strerror(pa_context_errno(server_->context))};
    while (true) {
        const pa_stream_state_t state = pa_stream_get_state(stream);
        if (state == PA_STREAM_READY) break;
        if (!PA_STREAM_IS_GOOD(state)) return SoundError{device_, pa_strerror(pa_context_errno(server_->context))};
        pa_threaded_mainloop_wait(server_->loop);
    }
    const std::lock_guard lock(mutex_);
    failure_.reset();
    return std::nullopt;
}

void Recording::fail(const std::string& cause)
{
    const std::lock_guard lock(mutex_);
    if (!failure_) failure_ = SoundError{device_, cause};
}

std::optional<SoundError> Recording::failure()
{
    const std::lock_guard lock(mutex_);
    return failure_;
}

void Recording::stop()
{
    if (!server_) return;
    {
        const Locked locked(server_->loop);
        if (auto* stream = static_cast<pa_stream*>(stream_)) {
            pa_stream_set_state_callback(stream, nullptr, nullptr);
            pa_stream_set_read_callback(stream, nullptr, nullptr);
            pa_stream_disconnect(stream);
            pa_stream_unref(stream);
            stream_ = nullptr;
        }
    }
    server_.reset();
}

}  // namespace vantoli::audio
