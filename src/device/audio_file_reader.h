#pragma once
// Reading one audio file's playing time and tags. The reading of files, folders and playlists goes
// through this interface: TagLibReader (device/taglib_reader.h) in vantoli-plan, and in the window a
// vantoli-plan child that reads with it, so that TagLib never loads into the window.

#include <cstdint>
#include <optional>
#include <string>

namespace vantoli {

struct AudioFileTags {
    std::int64_t milliseconds = 0;  // 0 when the file does not tell its playing time
    std::string title;              // UTF-8, blanks at either end trimmed; empty when the file has none
    std::string artist;
    std::string album;
    std::string albumArtist;  // the album's artist where the file names one, else its artist

    bool operator==(const AudioFileTags&) const = default;
};

class AudioFileReader {
public:
    virtual ~AudioFileReader() = default;
    // The playing time and tags of the regular file at `path`; nothing when it is no audio file this
    // reader knows. The caller has made sure that the path names a regular file.
    virtual std::optional<AudioFileTags> read(const std::string& path) const = 0;
};

}  // namespace vantoli
