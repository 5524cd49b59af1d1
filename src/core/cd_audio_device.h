#pragma once
// The CD audio device as the main window uses it: opened, asked for the track count and the length of
// each track, and closed. Nothing it answers is checked for errors: a drive with no readable disc
// simply reports 0 tracks.

#include <cstdint>
#include <string>

#include "core/disc_id.h"
#include "core/track_list.h"

namespace vantoli {

class CdAudioDevice {
public:
    virtual ~CdAudioDevice() = default;

    // Set up for CD audio; done once when the main window starts. The device is not opened here.
    virtual void selectCdAudio() = 0;
    // "open": open the drive. Failing to open shows later only as a track count of 0.
    virtual void open() = 0;
    // "close": release the drive; does nothing when it is not open.
    virtual void close() = 0;
    // Lengths read after this are in milliseconds.
    virtual void setMillisecondsFormat() = 0;
    // Number of audio tracks on the disc; 0 when no disc can be read.
    virtual std::int32_t tracks() const = 0;
    // The selected track, counting from 1; the next length read is that track's.
    virtual std::int32_t track() const = 0;
    virtual void setTrack(std::int32_t track) = 0;
    // Length of the selected track in milliseconds.
    virtual std::int32_t trackLength() const = 0;
    // What the open disc says of itself as CD-Text: its title and performer, and one Track per track
    // (its length in milliseconds, title and performer; a track without a performer of its own has the
    // disc's, and names the disc does not give are empty).
    // Leaves the selected track as it is. An empty list while the device is closed or holds no
    // disc, and from a device that cannot read CD-Text at all.
    virtual TrackList titles() const { return {}; }
    // What the device reads: a drive's device name or a disc image; empty for the default drive.
    virtual std::string source() const { return {}; }
    // The open disc's table of contents, from which its disc ID is computed. Empty (no offsets) while
    // the device is closed or holds no disc, and from a device that cannot tell.
    virtual DiscToc toc() const { return {}; }
};

}  // namespace vantoli
