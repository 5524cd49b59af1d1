#pragma once
// The line vantoli-helper --read-tags answers for each path it is sent, and ChildTagReader reads
// back: the file's playing time and tags as one JSON object, or null when it is no audio file.

#include <optional>
#include <string>

#include "device/audio_file_reader.h"

namespace vantoli {

// The answer for `tags`, with its line end.
std::string tagAnswerLine(const std::optional<AudioFileTags>& tags);

// The tags an answer line (without its line end) carries; nothing for null or a line that is no
// such object. A missing or mistyped field reads as empty (0 for the playing time).
std::optional<AudioFileTags> parseTagAnswer(const std::string& line);

}  // namespace vantoli
