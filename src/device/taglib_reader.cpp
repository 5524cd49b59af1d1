// TagLibReader: the TagLib module (taglib_module.h), loaded on the first read.

#include <cstdio>
#include <mutex>
#include <string>

#include "core/text_encoding.h"
#include "core/trimmed.h"
#include "device/audio_file_reader.h"
#include "device/own_module.h"
#include "device/taglib_module.h"

namespace vantoli {

namespace {

// A tag's text as UTF-8, blanks at either end trimmed.
std::string tagText(const std::string& raw) { return std::string(trimmed(validUtf8(raw), " \t\r\n")); }

ReadAudioFileTags moduleReader()
{
    static ReadAudioFileTags read = nullptr;
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        std::string problem;
        read = reinterpret_cast<ReadAudioFileTags>(
            ownModuleSymbol("vantoli_taglib", "vantoliReadAudioFileTags", &problem));
        if (!read) std::fprintf(stderr, "vantoli: audio files cannot be read: %s\n", problem.c_str());
    });
    return read;
}

}  // namespace

std::optional<AudioFileTags> TagLibReader::read(const std::string& path) const
{
    const ReadAudioFileTags readTags = moduleReader();
    AudioFileTags raw;
    if (!readTags || !readTags(path.c_str(), &raw)) return std::nullopt;
    AudioFileTags tags{raw.milliseconds, tagText(raw.title), tagText(raw.artist), tagText(raw.album),
                       tagText(raw.albumArtist)};
    if (tags.albumArtist.empty()) tags.albumArtist = tags.artist;
    return tags;
}

}  // namespace vantoli
