// The only code that calls TagLib, built as a module of its own (see taglib_module.h).

#include "device/taglib_module.h"

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tpropertymap.h>

#include <algorithm>

extern "C" __attribute__((visibility("default"))) bool vantoliReadAudioFileTags(const char* path,
                                                                                vantoli::AudioFileTags* tags)
{
    const TagLib::FileRef file(path, true, TagLib::AudioProperties::Average);
    // A file of some other kind that merely has an audio file's name can pass as one with no sound
    // at all; without a sample rate it is no audio file.
    if (file.isNull() || !file.audioProperties() || file.audioProperties()->sampleRate() <= 0) return false;

    tags->milliseconds = std::max(0, file.audioProperties()->lengthInMilliseconds());
    if (const TagLib::Tag* tag = file.tag()) {
        tags->title = tag->title().to8Bit(true);
        tags->artist = tag->artist().to8Bit(true);
        tags->album = tag->album().to8Bit(true);
    }
    const TagLib::PropertyMap properties = file.file()->properties();
    const auto albumArtist = properties.find("ALBUMARTIST");
    if (albumArtist != properties.end() && !albumArtist->second.isEmpty())
        tags->albumArtist = albumArtist->second.front().to8Bit(true);
    return true;
}
