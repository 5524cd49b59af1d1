#pragma once
// A CD audio device that finds no disc and writes down every call the window makes on it, so that
// a test can see when the device is set up and closed.

#include <QStringList>

#include <memory>

#include "mainwindow/cd_audio_device.h"

namespace vantoli::test {

class RecordingDevice final : public CdAudioDevice {
public:
    // The log outlives the device, which the window owns.
    explicit RecordingDevice(std::shared_ptr<QStringList> log) : log_(std::move(log)) {}

    void selectCdAudio() override { log_->append(QStringLiteral("selectCdAudio")); }
    void open() override { log_->append(QStringLiteral("open")); }
    void close() override { log_->append(QStringLiteral("close")); }
    void setMillisecondsFormat() override { log_->append(QStringLiteral("setMillisecondsFormat")); }
    std::int32_t tracks() const override { log_->append(QStringLiteral("tracks")); return 0; }
    std::int32_t track() const override { log_->append(QStringLiteral("track")); return 1; }
    void setTrack(std::int32_t) override { log_->append(QStringLiteral("setTrack")); }
    std::int32_t trackLength() const override { log_->append(QStringLiteral("trackLength")); return 0; }

private:
    std::shared_ptr<QStringList> log_;
};

}  // namespace vantoli::test
