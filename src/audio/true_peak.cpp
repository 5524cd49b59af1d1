#include "audio/true_peak.h"

#include <cmath>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include "audio/sound_source.h"
#include "core/language.h"

namespace vantoli::audio {

namespace {

constexpr int Oversampling = 4;

// The largest magnitude of `count` samples and `most`. Four running maxima, so that the compiler keeps
// them in vector registers.
float largest(const float* samples, int count, float most)
{
    float m[4] = {most, most, most, most};
    int i = 0;
    for (; i + 4 <= count; i += 4)
        for (int k = 0; k < 4; ++k) {
            const float v = std::fabs(samples[i + k]);
            m[k] = v > m[k] ? v : m[k];
        }
    for (; i < count; ++i) m[0] = std::max(m[0], std::fabs(samples[i]));
    return std::max(std::max(m[0], m[1]), std::max(m[2], m[3]));
}

}  // namespace

TruePeakMeter::TruePeakMeter()
{
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    // Sixteen taps a phase: the filter's shortest that keeps steady tones to 20 kHz within 0.01 dB.
    if (swr_alloc_set_opts2(&oversampler_, &stereo, AV_SAMPLE_FMT_FLTP, SampleRate * Oversampling, &stereo,
                            AV_SAMPLE_FMT_FLT, SampleRate, 0, nullptr) < 0 ||
        av_opt_set_int(oversampler_, "filter_size", 16, 0) < 0 || swr_init(oversampler_) < 0) {
        swr_free(&oversampler_);
        throw SoundError{"", _("ラウドネスを測れません")};
    }
}

TruePeakMeter::~TruePeakMeter() { swr_free(&oversampler_); }

// What the filter still holds at the end (its last few input samples) is never asked for: the step to
// silence after them is not the signal's, and the samples themselves count below.
void TruePeakMeter::add(const float* samples, std::int64_t frames)
{
    while (frames > 0) {
        const int take = static_cast<int>(std::min<std::int64_t>(frames, SampleRate));
        peak_ = largest(samples, take * Channels, peak_);
        const int room = swr_get_out_samples(oversampler_, take);
        if (room > 0 && static_cast<std::size_t>(room) > left_.size()) {
            left_.resize(static_cast<std::size_t>(room));
            right_.resize(static_cast<std::size_t>(room));
        }
        std::uint8_t* out[] = {reinterpret_cast<std::uint8_t*>(left_.data()),
                               reinterpret_cast<std::uint8_t*>(right_.data())};
        const std::uint8_t* in[] = {reinterpret_cast<const std::uint8_t*>(samples)};
        const int got = swr_convert(oversampler_, out, static_cast<int>(left_.size()), in, take);
        if (got > 0) peak_ = largest(right_.data(), got, largest(left_.data(), got, peak_));
        samples += static_cast<std::ptrdiff_t>(take) * Channels;
        frames -= take;
    }
}

}  // namespace vantoli::audio
