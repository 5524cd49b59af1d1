// The only code that calls TagLib.

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tpropertymap.h>

#include <algorithm>
#include <string>

#include "core/text_encoding.h"
#include "core/trimmed.h"
#include "device/taglib_reader.h"

namespace vantoli {

namespace {

// A tag's text as UTF-8, blanks at either end trimmed.
std::string tagText(const TagLib::String& raw) { return std::string(trimmed(validUtf8(raw.to8Bit(true)), " \t\r\n")); }

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
        tags.title = tagText(tag->title());
        tags.artist = tagText(tag->artist());
        tags.album = tagText(tag->album());
    }
    const TagLib::PropertyMap properties = file.file()->properties();
    const auto albumArtist = properties.find("ALBUMARTIST");
    if (albumArtist != properties.end() && !albumArtist->second.isEmpty())
        tags.albumArtist = tagText(albumArtist->second.front());
    if (tags.albumArtist.empty()) tags.albumArtist = tags.artist;
    return tags;
}

}  // namespace vantoli
