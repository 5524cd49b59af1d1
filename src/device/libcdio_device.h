#pragma once
// The CD audio device on libcdio: the drive's table of contents, read when the device is opened.

#include <memory>
#include <string>
#include <vector>

#include "core/cd_audio_device.h"

namespace vantoli {

class LibcdioDevice final : public CdAudioDevice {
public:
    // `source` names what "open" opens: empty for the default CD drive, otherwise a drive's device
    // path or a disc image (a CUE sheet next to its BIN file, or any other image libcdio reads).
    explicit LibcdioDevice(std::string source = {});
    ~LibcdioDevice() override;
    LibcdioDevice(const LibcdioDevice&) = delete;
    LibcdioDevice& operator=(const LibcdioDevice&) = delete;

    void selectCdAudio() override;
    void open() override;
    void close() override;
    void setMillisecondsFormat() override;
    std::int32_t tracks() const override;
    std::int32_t track() const override;
    void setTrack(std::int32_t track) override;
    std::int32_t trackLength() const override;
    // The CD-Text of a drive's disc, or of a disc image's sheet (TITLE and PERFORMER lines). Of a
    // disc that has several language blocks, the Japanese one is read when there is one.
    TrackList titles() const override;
    DiscToc toc() const override;

private:
    struct OpenDisc;

    std::string source_;
    std::unique_ptr<OpenDisc> disc_;  // empty while closed, and when no disc could be read
    std::int32_t selectedTrack_ = 1;
};

}  // namespace vantoli
