#pragma once
// The CD audio device on libcdio: the drive's table of contents, read when the device is opened. A
// disc image in place of a drive is read through its CUE sheet (device/disc_image.h).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/cd_audio_device.h"
#include "core/disc_kind.h"

namespace vantoli {

class LibcdioDevice final : public CdAudioDevice {
public:
    // `source` names what "open" opens: empty for the default CD drive, otherwise a drive's device
    // path or a disc image (a CUE sheet beside its BIN files).
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
    std::string source() const override { return source_; }
    // Why the disc image the device was given could not be read at the last open; nothing for a
    // drive, and for an image that was read.
    const std::optional<DiscImageProblem>& imageProblem() const { return imageProblem_; }
    DiscToc toc() const override;

private:
    struct OpenDisc;

    std::string source_;
    std::unique_ptr<OpenDisc> disc_;  // empty while closed, and when no disc could be read
    std::int32_t selectedTrack_ = 1;
    std::optional<DiscImageProblem> imageProblem_;
};

}  // namespace vantoli
