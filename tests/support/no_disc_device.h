#pragma once
// A CD audio device that never finds a disc: every read reports 0 tracks. Screenshots, benchmarks and
// window tests use it where no drive should be reached; the program itself reads the real drive.

#include "core/cd_audio_device.h"

namespace vantoli {

class NoDiscDevice final : public CdAudioDevice {
public:
    void selectCdAudio() override;
    void open() override;
    void close() override;
    void setMillisecondsFormat() override;
    std::int32_t tracks() const override;
    std::int32_t track() const override;
    void setTrack(std::int32_t track) override;
    std::int32_t trackLength() const override;

private:
    std::int32_t track_ = 1;
};

}  // namespace vantoli
