#pragma once
// The one CD drive of the tests: it can hold a disc of any track lengths, a disc image read through
// libcdio as the program reads a real drive, a disc that claims more tracks than any image can hold,
// or nothing. Like a real drive it answers only while it is open, and it writes down every call.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/cd_audio_device.h"

namespace vantoli {
class LibcdioDevice;
}

namespace vantoli::test {

class FakeDevice final : public CdAudioDevice {
public:
    // An empty drive.
    FakeDevice();
    // A drive holding a disc with tracks of these lengths in milliseconds.
    explicit FakeDevice(std::vector<std::int32_t> milliseconds);
    ~FakeDevice() override;

    // Discs, changed between reads as a user changes them.
    void insertDisc(std::vector<std::int32_t> milliseconds);
    // A disc image (a CUE sheet beside its BIN file), read when the drive is opened.
    void insertImage(const QString& cueSheet);
    // A disc that reports `count` tracks (any count, negative included), each `milliseconds` long.
    void insertClaimingDisc(std::int32_t count, std::int32_t milliseconds = 180000);
    void eject();

    // Every call in order: "selectCdAudio", "open", "setMillisecondsFormat", "tracks", "track",
    // "setTrack N", "trackLength", "titles", "close". The log outlives the device, which a window owns.
    std::shared_ptr<QStringList> log() const { return log_; }
    bool isOpen() const { return open_; }

    void selectCdAudio() override;
    void open() override;
    void close() override;
    void setMillisecondsFormat() override;
    std::int32_t tracks() const override;
    std::int32_t track() const override;
    void setTrack(std::int32_t track) override;
    std::int32_t trackLength() const override;
    // A disc image's CD-Text (its sheet's TITLE and PERFORMER lines); a disc of lengths has the
    // lengths alone, like a disc without CD-Text, and a claiming disc none at all.
    TrackList titles() const override;
    // An image's own table; a disc of lengths starts at frame 150, each track a whole number of
    // frames after the one before. Not written in the log.
    DiscToc toc() const override;

private:
    std::int32_t trackCount() const;
    std::int32_t lengthOf(std::int32_t track) const;

    std::shared_ptr<QStringList> log_ = std::make_shared<QStringList>();
    std::vector<std::int32_t> lengths_;
    std::int32_t claimedCount_ = 0;  // a claiming disc: the count it reports and each length
    bool claiming_ = false;
    std::int32_t claimedLength_ = 0;
    std::unique_ptr<LibcdioDevice> image_;  // a disc image, read as the program reads a drive
    bool hasDisc_ = false;
    bool open_ = false;
    std::int32_t track_ = 1;
};

}  // namespace vantoli::test
