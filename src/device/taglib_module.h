#pragma once
// The entry point of the TagLib module (taglib_module.cpp), which the device layer loads by name when
// it first reads an audio file.

#include "device/audio_file_reader.h"

namespace vantoli {

// The module's file name, and the folder it is installed in relative to the installed programs: the
// window program lies beside it, vantoli-plan in bin/.
inline constexpr const char* TagLibModuleName = "vantoli_taglib.so";

// Fills `tags` with the playing time and the tags of the regular file at `path` as TagLib gives them
// (UTF-8 from TagLib, not yet checked or trimmed); false when it is no audio file TagLib knows.
using ReadAudioFileFunction = bool (*)(const char* path, AudioFileTags* tags);
inline constexpr const char* ReadAudioFileSymbol = "vantoliReadAudioFile";

}  // namespace vantoli
