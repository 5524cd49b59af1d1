#pragma once
// The entry of the TagLib module (libvantoli_taglib.so), which alone links TagLib: TagLibReader loads
// it on its first read.

#include "device/audio_file_reader.h"

// Fills `tags` from the file at `path` with the texts as TagLib gives them (UTF-8, not trimmed); false
// when it is no audio file TagLib knows.
extern "C" bool vantoliReadAudioFileTags(const char* path, vantoli::AudioFileTags* tags);
using ReadAudioFileTags = bool (*)(const char* path, vantoli::AudioFileTags* tags);
