#include "device/libcdio_device.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>

#include "core/text_encoding.h"
#include "device/disc_image.h"

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
    ~OpenDisc()
    {
        if (cdio) cdio_destroy(cdio);
    }
    OpenDisc(const OpenDisc&) = delete;
    OpenDisc& operator=(const OpenDisc&) = delete;

    CdIo_t* cdio;                       // the drive; none for a disc image
    TrackList image;                    // a disc image's tracks and titles
    track_t firstTrack = 1;             // the disc's number of its first track
    std::vector<std::int32_t> lengths;  // milliseconds per track; index 0 is the disc's first track
    DiscToc toc;                        // where the tracks and the lead-out start
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

// libcdio's LBAs count from the start of the lead-in, as disc IDs do: the first track of a disc
// starts at 150. A start it cannot read leaves the table empty.
DiscToc readTrackStarts(CdIo_t* cdio, track_t first, std::size_t count)
{
    DiscToc toc;
    toc.firstTrack = first;
    for (std::size_t i = 0; i < count; ++i) {
        const lba_t start = cdio_get_track_lba(cdio, static_cast<track_t>(first + i));
        if (start == CDIO_INVALID_LBA) return {};
        toc.offsets.push_back(start);
    }
    lba_t leadOut = cdio_get_track_lba(cdio, CDIO_CDROM_LEADOUT_TRACK);
    if (leadOut == CDIO_INVALID_LBA) return {};
    // An enhanced CD's data track after the audio is left out of the disc ID, as MusicBrainz counts
    // it: the audio ends where the data session's lead-out and lead-in (11 400 frames) begin.
    constexpr lba_t SessionGap = 11400;
    const auto last = static_cast<track_t>(first + count - 1);
    if (count > 1 && cdio_get_track_format(cdio, last) == TRACK_FORMAT_DATA &&
        toc.offsets.back() - SessionGap > toc.offsets[count - 2]) {
        leadOut = toc.offsets.back() - SessionGap;
        toc.offsets.pop_back();
    }
    toc.leadOut = leadOut;
    return toc;
}

}  // namespace

LibcdioDevice::LibcdioDevice(std::string source) : source_(std::move(source)) { quietenLibcdio(); }

LibcdioDevice::~LibcdioDevice() = default;

// libcdio reaches nothing but CD drives and disc images, so there is nothing to choose.
void LibcdioDevice::selectCdAudio() {}

void LibcdioDevice::open()
{
    close();
    imageProblem_.reset();
    selectedTrack_ = 1;
    if (!isDriveSource(source_)) {
        DiscToc toc;
        std::variant<TrackList, DiscImageProblem> read = readDiscImage(source_, &toc);
        if (const auto* problem = std::get_if<DiscImageProblem>(&read)) {
            imageProblem_ = *problem;
            return;
        }
        auto disc = std::make_unique<OpenDisc>(nullptr);
        disc->toc = std::move(toc);
        disc->image = std::move(std::get<TrackList>(read));
        for (const Track& track : disc->image.tracks)
            disc->lengths.push_back(static_cast<std::int32_t>(track.milliseconds));
        disc_ = std::move(disc);
        return;
    }
    quietenLibcdio();
    CdIo_t* cdio = cdio_open(source_.empty() ? nullptr : source_.c_str(), DRIVER_DEVICE);
    if (!cdio) return;
    auto disc = std::make_unique<OpenDisc>(cdio);
    disc->lengths = readTableOfContents(cdio);
    if (!disc->lengths.empty()) {
        disc->firstTrack = cdio_get_first_track_num(cdio);
        disc->toc = readTrackStarts(cdio, disc->firstTrack, disc->lengths.size());
    }
    disc_ = std::move(disc);
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

namespace {

// Picks the Japanese block of a disc that has one; otherwise the first block stays selected.
void selectJapaneseBlock(cdtext_t* text)
{
    const cdtext_lang_t* languages = cdtext_list_languages_v2(text);
    if (!languages) return;
    for (int i = 0; i < 8; ++i)
        if (languages[i] == CDTEXT_LANGUAGE_JAPANESE) {
            cdtext_set_language_index(text, i);
            return;
        }
}

}  // namespace

DiscToc LibcdioDevice::toc() const { return disc_ ? disc_->toc : DiscToc{}; }

TrackList LibcdioDevice::titles() const
{
    TrackList list;
    if (!disc_ || disc_->lengths.empty()) return list;
    if (!disc_->cdio) return disc_->image;

    cdtext_t* text = cdio_get_cdtext(disc_->cdio);  // owned by the open disc
    if (text) selectJapaneseBlock(text);
    const auto field = [&](cdtext_field_t key, int track) -> std::string {
        const char* value = text ? cdtext_get_const(text, key, static_cast<track_t>(track)) : nullptr;
        if (!value) return {};
        return validUtf8(value);
    };

    list.album = field(CDTEXT_FIELD_TITLE, 0);
    list.artist = field(CDTEXT_FIELD_PERFORMER, 0);
    for (std::size_t i = 0; i < disc_->lengths.size(); ++i) {
        const int number = disc_->firstTrack + static_cast<int>(i);
        std::string performer = field(CDTEXT_FIELD_PERFORMER, number);
        // A track without its own performer is the disc's.
        if (performer.empty()) performer = list.artist;
        list.tracks.push_back({disc_->lengths[i], field(CDTEXT_FIELD_TITLE, number), std::move(performer), {}});
    }
    return list;
}

}  // namespace vantoli
