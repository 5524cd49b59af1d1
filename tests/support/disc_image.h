#pragma once
// Disc images for tests that read a CD through the CD device without a drive: a CUE sheet and a BIN file of
// the right size. The BIN file is sparse (its size is set, nothing is written), so even a disc of
// 100 minutes takes no disk space.

#include <QString>

#include <cstdint>
#include <vector>

namespace vantoli::test {

inline constexpr int SectorsPerSecond = 75;  // CD frames per second
inline constexpr int RawSectorBytes = 2352;

struct ImageTrack {
    int sectors = 0;    // playing time in CD frames of 1/75 s
    bool data = false;  // a MODE1/2352 data track instead of audio
};

// Milliseconds a drive reports for a track of `sectors` frames.
constexpr std::int32_t millisecondsOf(int sectors)
{
    return static_cast<std::int32_t>(std::int64_t(sectors) * 1000 / SectorsPerSecond);
}

// Audio tracks of the given lengths in seconds plus `extraSectors` frames each (less than a second).
std::vector<ImageTrack> audioTracks(const std::vector<int>& seconds, int extraSectors = 0);

// Writes `folder`/`name`.cue and its sparse `name`.bin for the tracks; returns the CUE sheet's path,
// or an empty string when a file could not be written.
QString writeDiscImage(const QString& folder, const std::vector<ImageTrack>& tracks, const QString& name = "disc");

// The CD-Text lines of a sheet, as the bytes the sheet holds (UTF-8 or Shift-JIS, as a test needs).
struct ImageText {
    QByteArray title;
    QByteArray performer;
};

// The same with TITLE and PERFORMER lines for the disc and for each track (texts[i] for track i + 1;
// empty texts are not written).
QString writeDiscImage(const QString& folder, const std::vector<ImageTrack>& tracks, const ImageText& disc,
                       const std::vector<ImageText>& texts, const QString& name = "disc");

// Writes `text` to `folder`/`fileName` as it stands; returns the path, or an empty string on failure.
QString writeTextFile(const QString& folder, const QString& fileName, const QByteArray& text);

}  // namespace vantoli::test
