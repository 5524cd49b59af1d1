#include "support/fake_device.h"

#include "device/libcdio_device.h"

namespace vantoli::test {

FakeDevice::FakeDevice() = default;

FakeDevice::FakeDevice(std::vector<std::int32_t> milliseconds) { insertDisc(std::move(milliseconds)); }

FakeDevice::~FakeDevice() = default;

void FakeDevice::insertDisc(std::vector<std::int32_t> milliseconds)
{
    eject();
    lengths_ = std::move(milliseconds);
    hasDisc_ = true;
}

void FakeDevice::insertImage(const QString& cueSheet)
{
    eject();
    image_ = std::make_unique<LibcdioDevice>(cueSheet.toStdString());
    hasDisc_ = true;
}

void FakeDevice::insertClaimingDisc(std::int32_t count, std::int32_t milliseconds)
{
    eject();
    claiming_ = true;
    claimedCount_ = count;
    claimedLength_ = milliseconds;
    hasDisc_ = true;
}

void FakeDevice::eject()
{
    if (image_) image_->close();
    image_.reset();
    lengths_.clear();
    claiming_ = false;
    hasDisc_ = false;
    open_ = false;
}

void FakeDevice::selectCdAudio() { log_->append(QStringLiteral("selectCdAudio")); }

void FakeDevice::open()
{
    log_->append(QStringLiteral("open"));
    open_ = true;
    track_ = 1;
    if (image_) image_->open();
}

void FakeDevice::close()
{
    log_->append(QStringLiteral("close"));
    open_ = false;
    if (image_) image_->close();
}

void FakeDevice::setMillisecondsFormat() { log_->append(QStringLiteral("setMillisecondsFormat")); }

std::int32_t FakeDevice::tracks() const
{
    log_->append(QStringLiteral("tracks"));
    return trackCount();
}

std::int32_t FakeDevice::track() const
{
    log_->append(QStringLiteral("track"));
    return track_;
}

void FakeDevice::setTrack(std::int32_t track)
{
    log_->append(QStringLiteral("setTrack %1").arg(track));
    track_ = track;
    if (image_) image_->setTrack(track);
}

std::int32_t FakeDevice::trackLength() const
{
    log_->append(QStringLiteral("trackLength"));
    return lengthOf(track_);
}

TrackList FakeDevice::titles() const
{
    log_->append(QStringLiteral("titles"));
    TrackList list;
    if (!open_ || !hasDisc_ || claiming_) return list;
    if (image_) return image_->titles();
    for (std::int32_t milliseconds : lengths_) list.tracks.push_back({milliseconds, {}, {}, {}});
    return list;
}

DiscToc FakeDevice::toc() const
{
    if (!open_ || !hasDisc_ || claiming_) return {};
    if (image_) return image_->toc();
    DiscToc toc;
    std::int32_t start = 150;
    for (std::int32_t milliseconds : lengths_) {
        toc.offsets.push_back(start);
        start += static_cast<std::int32_t>(std::int64_t(milliseconds) * 75 / 1000);
    }
    toc.leadOut = start;
    return toc;
}

std::int32_t FakeDevice::trackCount() const
{
    if (!open_ || !hasDisc_) return 0;
    if (image_) return image_->tracks();
    if (claiming_) return claimedCount_;
    return static_cast<std::int32_t>(lengths_.size());
}

std::int32_t FakeDevice::lengthOf(std::int32_t track) const
{
    if (!open_ || !hasDisc_ || track < 1 || track > trackCount()) return 0;
    if (image_) return image_->trackLength();
    if (claiming_) return claimedLength_;
    return lengths_[static_cast<std::size_t>(track - 1)];
}

}  // namespace vantoli::test
