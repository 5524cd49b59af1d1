#pragma once
// The true peak of a stereo 44.1 kHz signal: its largest magnitude once oversampled four times, as
// loudness meters read it, and never below its largest sample. The oversampling is swresample's
// polyphase filter, several times quicker than the interpolator that comes with libebur128 and as close
// to the band-limited signal (within 0.01 dB on steady tones up to 20 kHz, where libebur128's reads up to
// 0.1 dB high). A signal that starts at full swing reads the ringing of that step, as a deck's input
// hears it.

#include <cstdint>
#include <vector>

struct SwrContext;

namespace vantoli::audio {

class TruePeakMeter {
public:
    TruePeakMeter();  // throws SoundError when the filter cannot be made
    ~TruePeakMeter();
    TruePeakMeter(const TruePeakMeter&) = delete;
    TruePeakMeter& operator=(const TruePeakMeter&) = delete;

    // Interleaved stereo frames, in order.
    void add(const float* samples, std::int64_t frames);
    // The largest magnitude so far (1.0 is full scale), 0 for silence.
    double peak() const { return peak_; }

private:
    SwrContext* oversampler_ = nullptr;
    std::vector<float> left_, right_;
    float peak_ = 0;
};

}  // namespace vantoli::audio
