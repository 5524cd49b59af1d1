#include "audio/file_sound.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/language.h"
#include "core/side_program.h"
#include "core/track_list.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/intreadwrite.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace vantoli::audio {

namespace {

std::string errorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

class FileSound final : public SoundSource {
public:
    FileSound(std::string path, std::int64_t startFrame, std::int64_t endFrame)
        : path_(std::move(path)),
          // Positions past any file are held to one, so that counting samples from them cannot overflow.
          skip_(std::clamp<std::int64_t>(startFrame, 0, MaxAudioFramePosition) * SamplesPerCdFrame),
          end_(endFrame >= 0 ? std::min(endFrame, MaxAudioFramePosition) * SamplesPerCdFrame : -1)
    {
    }
    ~FileSound() override
    {
        av_frame_free(&frame_);
        av_packet_free(&packet_);
        swr_free(&resampler_);
        avcodec_free_context(&codec_);
        avformat_close_input(&format_);
    }

    // Empty on success, else why the file cannot be played.
    std::string open()
    {
        av_log_set_level(AV_LOG_QUIET);
        int status = avformat_open_input(&format_, path_.c_str(), nullptr, nullptr);
        if (status < 0) return vantoli::fill(_("開けません（%1）"), {errorText(status)});
        if ((status = avformat_find_stream_info(format_, nullptr)) < 0)
            return vantoli::fill(_("読み取れません（%1）"), {errorText(status)});
        const AVCodec* decoder = nullptr;
        stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
        if (stream_ < 0 || !decoder) return _("音声がありません");
        const AVStream* stream = format_->streams[stream_];
        for (unsigned i = 0; i < format_->nb_streams; ++i)
            if (static_cast<int>(i) != stream_) format_->streams[i]->discard = AVDISCARD_ALL;
        codec_ = avcodec_alloc_context3(decoder);
        if (!codec_ || avcodec_parameters_to_context(codec_, stream->codecpar) < 0)
            return _("デコーダーを用意できません");
        codec_->pkt_timebase = stream->time_base;
        // One thread: the decoder's frame threads cost more in hand-overs than they gain, for a render (whose
        // encoder has a thread of its own) as for the loudness measured one file a core (bench/render_side.sh).
        codec_->thread_count = 1;
        if ((status = avcodec_open2(codec_, decoder, nullptr)) < 0)
            return vantoli::fill(_("デコードできません（%1）"), {errorText(status)});
        if (codec_->sample_rate <= 0 || codec_->ch_layout.nb_channels <= 0) return _("音声の形式が分かりません");
        packet_ = av_packet_alloc();
        frame_ = av_frame_alloc();
        if (!packet_ || !frame_) return _("メモリーが足りません");

        return {};
    }

    std::int64_t frames() const override
    {
        if (frames_ < 0) {
            std::int64_t whole = wholeLength();
            if (end_ >= 0) whole = std::min(whole, end_);
            frames_ = std::max<std::int64_t>(0, whole - skip_);
        }
        return frames_;
    }

    std::int64_t read(float* samples, std::int64_t count) override
    {
        std::int64_t done = 0;
        while (done < count) {
            if (bufferAt_ < buffer_.size()) {
                const std::int64_t available = static_cast<std::int64_t>(buffer_.size() - bufferAt_) / Channels;
                const std::int64_t take = std::min(available, count - done);
                std::memcpy(samples + done * Channels, buffer_.data() + bufferAt_, sizeof(float) * take * Channels);
                bufferAt_ += static_cast<std::size_t>(take * Channels);
                done += take;
                continue;
            }
            if (finished_) break;
            if (!started_) start();
            fill();
        }
        return done;
    }

private:
    // The file's length at 44.1 kHz as it plays, the encoder's delay and padding left out. Lossless
    // codecs and Ogg state it in their headers. For the others the packets are counted (without
    // decoding them): their durations less the samples the container marks to be skipped at either
    // end (MP3's LAME header, MP4's edit list).
    std::int64_t wholeLength() const
    {
        const AVStream* stream = format_->streams[stream_];
        const int rate = codec_->sample_rate;
        const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec_->codec_id);
        const bool lossless = descriptor && (descriptor->props & AV_CODEC_PROP_LOSSLESS);
        const bool ogg = std::strcmp(format_->iformat->name, "ogg") == 0;
        std::int64_t samples = 0;
        if ((lossless || ogg) && stream->duration != AV_NOPTS_VALUE && stream->duration > 0) {
            samples = av_rescale_q(stream->duration, stream->time_base, AVRational{1, rate}) -
                      stream->codecpar->initial_padding;
        } else {
            samples = countedSamples();
            if (samples <= 0 && format_->duration != AV_NOPTS_VALUE)
                samples = av_rescale(format_->duration, rate, AV_TIME_BASE);
        }
        return av_rescale_rnd(std::max<std::int64_t>(0, samples), SampleRate, rate, AV_ROUND_NEAR_INF);
    }

    std::int64_t countedSamples() const
    {
        AVFormatContext* format = nullptr;
        if (avformat_open_input(&format, path_.c_str(), nullptr, nullptr) < 0) return 0;
        std::int64_t duration = 0;
        std::int64_t skipped = 0;
        AVPacket* packet = av_packet_alloc();
        const AVRational timeBase = format_->streams[stream_]->time_base;
        if (packet && avformat_find_stream_info(format, nullptr) >= 0 &&
            stream_ < static_cast<int>(format->nb_streams)) {
            while (av_read_frame(format, packet) >= 0) {
                if (packet->stream_index == stream_) {
                    duration += packet->duration;
                    std::size_t size = 0;
                    const std::uint8_t* skip = av_packet_get_side_data(packet, AV_PKT_DATA_SKIP_SAMPLES, &size);
                    if (skip && size >= 8) skipped += static_cast<std::int64_t>(AV_RL32(skip)) + AV_RL32(skip + 4);
                }
                av_packet_unref(packet);
            }
        }
        av_packet_free(&packet);
        avformat_close_input(&format);
        return av_rescale_q(duration, timeBase, AVRational{1, codec_->sample_rate}) - skipped;
    }

    // A part deep into a lossless 44.1 kHz file (a CUE rip) starts with a seek to a little before it;
    // where the decoder lands is read from the first frame's time stamp. Anything else is decoded from
    // the file's start.
    void start()
    {
        started_ = true;
        constexpr std::int64_t Before = SampleRate;  // the seek lands on a codec frame at or before it
        const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec_->codec_id);
        const bool lossless = descriptor && (descriptor->props & AV_CODEC_PROP_LOSSLESS);
        if (!lossless || codec_->sample_rate != SampleRate || skip_ < 2 * Before) return;
        const AVStream* stream = format_->streams[stream_];
        const std::int64_t target = av_rescale_q(skip_ - Before, AVRational{1, SampleRate}, stream->time_base);
        if (av_seek_frame(format_, stream_, target, AVSEEK_FLAG_BACKWARD) < 0) return;
        avcodec_flush_buffers(codec_);
        seeking_ = true;
    }

    // After a seek: the position of the first frame decoded. A frame without a time stamp, or one past
    // the part's start, sends the decoding back to the file's start.
    void landed(const AVFrame* frame)
    {
        seeking_ = false;
        const AVStream* stream = format_->streams[stream_];
        const std::int64_t pts = frame->best_effort_timestamp;
        const std::int64_t at =
            pts == AV_NOPTS_VALUE ? -1 : av_rescale_q(pts, stream->time_base, AVRational{1, SampleRate});
        if (at >= 0 && at <= skip_) {
            position_ = at;
            return;
        }
        if (av_seek_frame(format_, stream_, 0, AVSEEK_FLAG_BACKWARD) < 0)
            throw SoundError{path_, _("ファイルの位置を戻せません")};
        avcodec_flush_buffers(codec_);
        position_ = 0;
        restarted_ = true;
    }

    // Decodes the next frame (or flushes) into buffer_, trimmed to the part of the file asked for.
    void fill()
    {
        buffer_.clear();
        bufferAt_ = 0;
        while (buffer_.empty() && !finished_) {
            const int received = avcodec_receive_frame(codec_, frame_);
            if (received == 0) {
                if (seeking_) landed(frame_);
                if (restarted_) {  // this frame came from the seek; decoding begins again at the start
                    restarted_ = false;
                    av_frame_unref(frame_);
                    continue;
                }
                convert(frame_);
                av_frame_unref(frame_);
                continue;
            }
            if (received == AVERROR_EOF) {
                convert(nullptr);  // what the resampler still holds
                finished_ = true;
                break;
            }
            if (received != AVERROR(EAGAIN))
                throw SoundError{path_, vantoli::fill(_("デコードに失敗しました（%1）"), {errorText(received)})};
            if (drained_) {
                finished_ = true;
                break;
            }
            const int readStatus = av_read_frame(format_, packet_);
            if (readStatus == AVERROR_EOF) {
                avcodec_send_packet(codec_, nullptr);
                drained_ = true;
                continue;
            }
            if (readStatus < 0)
                throw SoundError{path_, vantoli::fill(_("読み取りに失敗しました（%1）"), {errorText(readStatus)})};
            if (packet_->stream_index == stream_) {
                const int sent = avcodec_send_packet(codec_, packet_);
                if (sent < 0 && sent != AVERROR(EAGAIN))
                    throw SoundError{path_, vantoli::fill(_("デコードに失敗しました（%1）"), {errorText(sent)})};
            }
            av_packet_unref(packet_);
        }
        if (end_ >= 0 && position_ >= end_) finished_ = true;
    }

    void convert(const AVFrame* frame)
    {
        if (!resampler_ && frame) setUpResampler(frame);
        if (!resampler_) return;
        const int inSamples = frame ? frame->nb_samples : 0;
        const int room = swr_get_out_samples(resampler_, inSamples);
        if (room <= 0) return;
        scratch_.resize(static_cast<std::size_t>(room) * static_cast<std::size_t>(outChannels_));
        auto* converted = reinterpret_cast<std::uint8_t*>(scratch_.data());
        const int made =
            swr_convert(resampler_, &converted, room,
                        frame ? const_cast<const std::uint8_t**>(frame->extended_data) : nullptr, inSamples);
        if (made < 0) throw SoundError{path_, vantoli::fill(_("音声を変換できません（%1）"), {errorText(made)})};
        // Only the frames within the part asked for.
        const std::int64_t first = std::clamp<std::int64_t>(skip_ - position_, 0, made);
        const std::int64_t last = end_ >= 0 ? std::clamp<std::int64_t>(end_ - position_, first, made) : made;
        position_ += made;
        if (last <= first) return;  // nothing of the part in this block (memcpy takes no empty buffer)
        const std::size_t at = buffer_.size();
        buffer_.resize(at + static_cast<std::size_t>(last - first) * Channels);
        float* out = buffer_.data() + at;
        if (outChannels_ == 2) {
            std::memcpy(out, scratch_.data() + first * 2, sizeof(float) * static_cast<std::size_t>(last - first) * 2);
        } else {
            for (std::int64_t i = first; i < last; ++i, out += 2)
                out[0] = out[1] = scratch_[static_cast<std::size_t>(i)];
        }
    }

    // Whether the decoder said where each channel goes; a bare count gets the usual layout for it.
    static bool namesItsChannels(const AVChannelLayout& layout)
    {
        return layout.nb_channels > 0 &&
               (layout.order == AV_CHANNEL_ORDER_NATIVE || layout.order == AV_CHANNEL_ORDER_CUSTOM ||
                layout.order == AV_CHANNEL_ORDER_AMBISONIC);
    }

    void setUpResampler(const AVFrame* frame)
    {
        AVChannelLayout in{};
        if (!namesItsChannels(frame->ch_layout))
            av_channel_layout_default(&in,
                                      std::max(1, frame->ch_layout.nb_channels > 0 ? frame->ch_layout.nb_channels
                                                                                   : codec_->ch_layout.nb_channels));
        else
            av_channel_layout_copy(&in, &frame->ch_layout);
        // Mono is copied to both channels as it is; the mixer would lower it by 3 dB.
        outChannels_ = in.nb_channels == 1 ? 1 : 2;
        AVChannelLayout out{};
        av_channel_layout_default(&out, outChannels_);
        const int status =
            swr_alloc_set_opts2(&resampler_, &out, AV_SAMPLE_FMT_FLT, SampleRate, &in,
                                static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in);
        av_channel_layout_uninit(&out);
        if (status < 0 || swr_init(resampler_) < 0) {
            swr_free(&resampler_);
            throw SoundError{path_, _("音声を変換できません")};
        }
    }

    std::string path_;
    std::int64_t skip_ = 0;             // frames at 44.1 kHz before the part
    std::int64_t end_ = -1;             // the frame after the part, -1: the file's end
    mutable std::int64_t frames_ = -1;  // the part's length as the file states it; -1 until asked
    std::int64_t position_ = 0;         // frames converted so far
    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    SwrContext* resampler_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    int stream_ = -1;
    int outChannels_ = 2;
    bool drained_ = false;
    bool finished_ = false;
    bool started_ = false;    // start() has chosen where decoding begins
    bool seeking_ = false;    // a seek was made; the next frame says where it landed
    bool restarted_ = false;  // a seek missed and was undone; the frame in hand is dropped
    std::vector<float> scratch_;
    std::vector<float> buffer_;
    std::size_t bufferAt_ = 0;
};

}  // namespace

std::variant<std::unique_ptr<SoundSource>, SoundError> openFileSound(const std::string& path, std::int64_t startFrame,
                                                                     std::int64_t endFrame)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return SoundError{path, _("ファイルがありません")};
    auto sound = std::make_unique<FileSound>(path, startFrame, endFrame);
    std::string problem = sound->open();
    if (!problem.empty()) return SoundError{path, std::move(problem)};
    return std::unique_ptr<SoundSource>(std::move(sound));
}

}  // namespace vantoli::audio
