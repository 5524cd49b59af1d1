#include "support/constructed_sound.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

#include <cmath>
#include <random>
#include <stdexcept>

#include "core/signal_spectrum.h"

namespace vantoli::test {

std::vector<float> resampledStereo(const std::vector<float>& samples, int inRate, int outRate)
{
    SwrContext* context = nullptr;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    if (swr_alloc_set_opts2(&context, &stereo, AV_SAMPLE_FMT_FLT, outRate, &stereo, AV_SAMPLE_FMT_FLT, inRate, 0,
                            nullptr) < 0 ||
        swr_init(context) < 0) {
        swr_free(&context);
        throw std::runtime_error("libswresample refuses the rates");
    }
    const int inFrames = static_cast<int>(samples.size() / 2);
    const int most = swr_get_out_samples(context, inFrames) + 4096;
    std::vector<float> out(2 * static_cast<std::size_t>(most));
    const auto* in = reinterpret_cast<const std::uint8_t*>(samples.data());
    auto* to = reinterpret_cast<std::uint8_t*>(out.data());
    int got = swr_convert(context, &to, most, &in, inFrames);
    int total = got > 0 ? got : 0;
    auto* rest = reinterpret_cast<std::uint8_t*>(out.data() + 2 * total);
    got = swr_convert(context, &rest, most - total, nullptr, 0);
    total += got > 0 ? got : 0;
    swr_free(&context);
    out.resize(2 * static_cast<std::size_t>(total));
    return out;
}

void rollOffTreble(std::vector<float>& samples, double rate, double cornerHz)
{
    const std::size_t frames = samples.size() / 2;
    for (int channel = 0; channel < 2; ++channel) {
        std::vector<double> one(frames);
        for (std::size_t i = 0; i < frames; ++i) one[i] = samples[2 * i + static_cast<std::size_t>(channel)];
        std::vector<signal::Complex> bins = signal::realSpectrum(one);
        for (std::size_t k = 0; k < bins.size(); ++k) {
            const double hz = static_cast<double>(k) * rate / static_cast<double>(frames);
            bins[k] /= std::sqrt(1 + hz * hz / (cornerHz * cornerHz));
        }
        one = signal::realSignal(bins, frames);
        for (std::size_t i = 0; i < frames; ++i) samples[2 * i + static_cast<std::size_t>(channel)] = static_cast<float>(one[i]);
    }
}

void scaleAndAddHiss(std::vector<float>& samples, double leftGain, double rightGain, double hissRms, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> hiss(0.0, hissRms);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<float>(samples[i] * (i % 2 == 0 ? leftGain : rightGain) + (hissRms > 0 ? hiss(random) : 0));
}

}  // namespace vantoli::test
