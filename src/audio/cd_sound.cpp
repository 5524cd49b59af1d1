#include "audio/cd_sound.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/language.h"
#include "core/side_program.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

namespace vantoli::audio {

namespace {

constexpr std::int64_t SectorFrames = SamplesPerCdFrame;  // 588 stereo frames in a 2352-byte sector

class CdSound final : public SoundSource {
public:
    CdSound(std::string name, int track) : name_(std::move(name)), track_(track) {}
    ~CdSound() override
    {
        if (paranoia_) cdio_paranoia_free(paranoia_);
        if (drive_) cdio_cddap_close_no_free_cdio(drive_);
        if (cdio_) cdio_destroy(cdio_);
    }

    std::string open(const std::string& device)
    {
        cdio_loglevel_default = CDIO_LOG_ERROR;  // libcdio's notes on images are no messages of ours
        cdio_ = device.empty() ? cdio_open(nullptr, DRIVER_DEVICE) : cdio_open(device.c_str(), DRIVER_UNKNOWN);
        if (!cdio_) return _("ディスクがありません");
        drive_ = cdio_cddap_identify_cdio(cdio_, CDDA_MESSAGE_FORGETIT, nullptr);
        if (!drive_ || cdio_cddap_open(drive_) != 0) return _("CD を読み取れません");
        if (track_ < 1 || track_ > cdio_cddap_tracks(drive_) ||
            !cdio_cddap_track_audiop(drive_, static_cast<track_t>(track_)))
            return _("オーディオのトラックではありません");
        first_ = cdio_cddap_track_firstsector(drive_, static_cast<track_t>(track_));
        last_ = cdio_cddap_track_lastsector(drive_, static_cast<track_t>(track_));
        if (first_ < 0 || last_ < first_) return _("トラックの位置が分かりません");
        paranoia_ = cdio_paranoia_init(drive_);
        if (!paranoia_) return _("CD を読み取れません");
        cdio_paranoia_modeset(paranoia_, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
        cdio_paranoia_seek(paranoia_, first_, SEEK_SET);
        next_ = first_;
        return {};
    }

    std::int64_t frames() const override { return (last_ - first_ + 1) * SectorFrames; }

    std::int64_t read(float* samples, std::int64_t count) override
    {
        std::int64_t done = 0;
        while (done < count) {
            if (at_ == SectorFrames) {
                if (next_ > last_) break;
                const std::int16_t* sector = cdio_paranoia_read(paranoia_, nullptr);
                if (!sector) throw SoundError{name_, fill(_("セクター %1 を読み取れません"), {std::to_string(next_)})};
                std::memcpy(sector_, sector, sizeof sector_);
                ++next_;
                at_ = 0;
            }
            const std::int64_t take = std::min(SectorFrames - at_, count - done);
            for (std::int64_t i = 0; i < take * Channels; ++i)
                samples[done * Channels + i] = static_cast<float>(sector_[at_ * Channels + i]) / 32768.0f;
            at_ += take;
            done += take;
        }
        return done;
    }

private:
    std::string name_;
    int track_ = 0;
    CdIo_t* cdio_ = nullptr;
    cdrom_drive_t* drive_ = nullptr;
    cdrom_paranoia_t* paranoia_ = nullptr;
    lsn_t first_ = 0;
    lsn_t last_ = -1;
    lsn_t next_ = 0;
    std::int16_t sector_[SectorFrames * Channels] = {};
    std::int64_t at_ = SectorFrames;
};

}  // namespace

std::variant<std::unique_ptr<SoundSource>, SoundError> openCdSound(const std::string& device, int track)
{
    AudioSource source{AudioSource::Kind::CdTrack, device, 0, -1, track};
    auto sound = std::make_unique<CdSound>(soundName(source), track);
    std::string problem = sound->open(device);
    if (!problem.empty()) return SoundError{soundName(source), std::move(problem)};
    return std::unique_ptr<SoundSource>(std::move(sound));
}

}  // namespace vantoli::audio
