#pragma once
// A CD audio device that writes down every call the window makes on it, so that a test can see when
// the device is set up, opened, read and closed. It passes every call on to the device it wraps: a
// drive without a disc unless the test gives it another, such as a libcdio device on a disc image.

#include <QStringList>

#include <memory>

#include "core/cd_audio_device.h"
#include "support/no_disc_device.h"

namespace vantoli::test {

class RecordingDevice final : public CdAudioDevice {
public:
    // The log outlives the device, which the window owns.
    explicit RecordingDevice(std::shared_ptr<QStringList> log,
                             std::unique_ptr<CdAudioDevice> inner = std::make_unique<NoDiscDevice>())
        : log_(std::move(log)),
          inner_(std::move(inner))
    {
    }

    void selectCdAudio() override
    {
        log_->append(QStringLiteral("selectCdAudio"));
        inner_->selectCdAudio();
    }
    void open() override
    {
        log_->append(QStringLiteral("open"));
        inner_->open();
    }
    void close() override
    {
        log_->append(QStringLiteral("close"));
        inner_->close();
    }
    void setMillisecondsFormat() override
    {
        log_->append(QStringLiteral("setMillisecondsFormat"));
        inner_->setMillisecondsFormat();
    }
    std::int32_t tracks() const override
    {
        log_->append(QStringLiteral("tracks"));
        return inner_->tracks();
    }
    std::int32_t track() const override
    {
        log_->append(QStringLiteral("track"));
        return inner_->track();
    }
    void setTrack(std::int32_t track) override
    {
        log_->append(QStringLiteral("setTrack %1").arg(track));
        inner_->setTrack(track);
    }
    std::int32_t trackLength() const override
    {
        log_->append(QStringLiteral("trackLength"));
        return inner_->trackLength();
    }

    CdAudioDevice& inner() { return *inner_; }

private:
    std::shared_ptr<QStringList> log_;
    std::unique_ptr<CdAudioDevice> inner_;
};

}  // namespace vantoli::test
