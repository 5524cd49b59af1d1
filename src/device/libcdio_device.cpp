#include "device/libcdio_device.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include <cdio/cdio.h>
#include <cdio/logging.h>

namespace vantoli {

namespace {

constexpr std::int64_t SectorsPerSecond = 75;

// libcdio's own log handler prints to stdout and stderr and ends the whole program on an error
// (exit) or a failed check (abort), for instance when a file named as an image is no image at all.
// The device reports such a disc as 0 tracks instead, so every message is dropped.
void ignoreLibcdioMessage(cdio_log_level_t, const char[]) {}

void quietenLibcdio() { cdio_log_set_handler(&ignoreLibcdioMessage); }

}  // namespace

struct LibcdioDevice::OpenDisc {
    explicit OpenDisc(CdIo_t* handle) : cdio(handle) {}
    ~OpenDisc() { cdio_destroy(cdio); }
    OpenDisc(const OpenDisc&) = delete;
    OpenDisc& operator=(const OpenDisc&) = delete;

    CdIo_t* cdio;
    std::vector<std::int32_t> lengths;  // milliseconds per track; index 0 is the disc's first track
};

namespace {

// Milliseconds from the start of one track to the start of the next (or the lead-out). A broken table
// of contents whose starts are missing or run backwards gives 0.
std::int32_t lengthBetween(lba_t start, lba_t next)
{
    if (start == CDIO_INVALID_LBA || next == CDIO_INVALID_LBA || next < start) return 0;
    const std::int64_t ms = (static_cast<std::int64_t>(next) - start) * 1000 / SectorsPerSecond;
    return static_cast<std::int32_t>(std::min<std::int64_t>(ms, std::numeric_limits<std::int32_t>::max()));
}

// Every track of the disc from its first to its last, as a CD player numbers them; a data track of a
// mixed-mode or enhanced disc is counted too and runs, like any track, to the start of the next.
std::vector<std::int32_t> readTableOfContents(CdIo_t* cdio)
{
    const track_t first = cdio_get_first_track_num(cdio);
    const track_t last = cdio_get_last_track_num(cdio);
    if (first == CDIO_INVALID_TRACK || last == CDIO_INVALID_TRACK || first == 0 || last < first) return {};

    std::vector<std::int32_t> lengths;
    lengths.reserve(last - first + 1);
    lba_t start = cdio_get_track_lba(cdio, first);
    for (int t = first; t <= last; ++t) {
        const lba_t next = cdio_get_track_lba(cdio, t == last ? static_cast<track_t>(CDIO_CDROM_LEADOUT_TRACK)
                                                              : static_cast<track_t>(t + 1));
        lengths.push_back(lengthBetween(start, next));
        start = next;
    }
    return lengths;
}

}  // namespace

LibcdioDevice::LibcdioDevice(std::string source) : source_(std::move(source)) { quietenLibcdio(); }

LibcdioDevice::~LibcdioDevice() = default;

// libcdio reaches nothing but CD drives and disc images, so there is nothing to choose.
void LibcdioDevice::selectCdAudio() {}

void LibcdioDevice::open()
{
    close();
    quietenLibcdio();
    CdIo_t* cdio = source_.empty() ? cdio_open(nullptr, DRIVER_DEVICE) : cdio_open(source_.c_str(), DRIVER_UNKNOWN);
    if (!cdio) return;
    auto disc = std::make_unique<OpenDisc>(cdio);
    disc->lengths = readTableOfContents(cdio);
    disc_ = std::move(disc);
    selectedTrack_ = 1;
}

void LibcdioDevice::close() { disc_.reset(); }

// Lengths are always given in milliseconds; no other time format is offered.
void LibcdioDevice::setMillisecondsFormat() {}

std::int32_t LibcdioDevice::tracks() const { return disc_ ? static_cast<std::int32_t>(disc_->lengths.size()) : 0; }

std::int32_t LibcdioDevice::track() const { return selectedTrack_; }

void LibcdioDevice::setTrack(std::int32_t track) { selectedTrack_ = track; }

std::int32_t LibcdioDevice::trackLength() const
{
    if (selectedTrack_ < 1 || selectedTrack_ > tracks()) return 0;
    return disc_->lengths[static_cast<std::size_t>(selectedTrack_ - 1)];
}

}  // namespace vantoli
