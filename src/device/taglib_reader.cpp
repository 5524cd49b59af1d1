#include "device/audio_file_reader.h"

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tpropertymap.h>

#include "core/text_encoding.h"

namespace vantoli {

namespace {

std::string utf8(const TagLib::String& s)
{
    std::string text = validUtf8(s.to8Bit(true));
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::optional<AudioFileTags> TagLibReader::read(const std::string& path) const
{
    const TagLib::FileRef file(path.c_str(), true, TagLib::AudioProperties::Average);
    // A file of some other kind that merely has an audio file's name can pass as one with no sound
    // at all; without a sample rate it is no audio file.
    if (file.isNull() || !file.audioProperties() || file.audioProperties()->sampleRate() <= 0) return std::nullopt;

    AudioFileTags tags;
    tags.milliseconds = std::max(0, file.audioProperties()->lengthInMilliseconds());
    if (const TagLib::Tag* tag = file.tag()) {
        tags.title = utf8(tag->title());
        tags.artist = utf8(tag->artist());
        tags.album = utf8(tag->album());
    }
    const TagLib::PropertyMap properties = file.file()->properties();
    const auto albumArtist = properties.find("ALBUMARTIST");
    if (albumArtist != properties.end() && !albumArtist->second.isEmpty())
        tags.albumArtist = utf8(albumArtist->second.front());
    if (tags.albumArtist.empty()) tags.albumArtist = tags.artist;
    return tags;
}

}  // namespace vantoli
