// The TagLib module: the only code that calls TagLib, built as a module of its own that the device
// layer loads the first time an audio file is read (taglib_reader.cpp). Programs that never read an
// audio file, and the window until it does, start without loading TagLib at all.

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tpropertymap.h>

#include <algorithm>

#include "device/taglib_module.h"

namespace {

std::string utf8(const TagLib::String& s) { return s.to8Bit(true); }

}  // namespace

extern "C" __attribute__((visibility("default"))) bool vantoliReadAudioFile(const char* path,
                                                                            vantoli::AudioFileTags* tags)
{
    const TagLib::FileRef file(path, true, TagLib::AudioProperties::Average);
    // A file of some other kind that merely has an audio file's name can pass as one with no sound
    // at all; without a sample rate it is no audio file.
    if (file.isNull() || !file.audioProperties() || file.audioProperties()->sampleRate() <= 0) return false;

    tags->milliseconds = std::max(0, file.audioProperties()->lengthInMilliseconds());
    if (const TagLib::Tag* tag = file.tag()) {
        tags->title = utf8(tag->title());
        tags->artist = utf8(tag->artist());
        tags->album = utf8(tag->album());
    }
    const TagLib::PropertyMap properties = file.file()->properties();
    const auto albumArtist = properties.find("ALBUMARTIST");
    if (albumArtist != properties.end() && !albumArtist->second.isEmpty())
        tags->albumArtist = utf8(albumArtist->second.front());
    return true;
}
