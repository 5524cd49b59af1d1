#pragma once
// Disc images: a CUE sheet and the BIN files of raw CD sectors (2352 bytes, 1/75 s each) it names,
// one for the whole disc or one per track ("Game (Track 1).bin", ...), read as a drive reads the disc
// they were made from: every track, data tracks too, from its INDEX 01 to the next one on the disc.

#include <string>
#include <variant>

#include "core/disc_id.h"
#include "core/disc_kind.h"
#include "core/track_list.h"

namespace vantoli {

// Whether a source given for a CD names a drive (empty: the default drive; or a device file) rather
// than a disc image.
bool isDriveSource(const std::string& source);

// The tracks of the image whose CUE sheet is at `path` (UTF-8 as the file system spells it): their
// lengths in milliseconds, the sheet's titles and performers (a track without a performer has the
// disc's), and where each one's sound is (the image and the track's number). The sheet's FILEs are
// found as it names them, relative to its folder ('\' read as '/'), or else by their last part
// beside it. What keeps the image from being read names the file at fault. With `toc`, the disc's
// table of contents as a drive would give it, for its disc ID.
std::variant<TrackList, DiscImageProblem> readDiscImage(const std::string& path, DiscToc* toc = nullptr);

}  // namespace vantoli
