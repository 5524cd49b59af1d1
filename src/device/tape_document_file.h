#pragma once
// Tape documents on disk: reading one without being held up by what the path names, and the audio
// files a tape names as they are now.

#include <string>
#include <vector>

#include "core/tape_document.h"

namespace vantoli {

// Reads and parses the document at path. Only a regular file is opened (a pipe or a device is refused
// before it is opened), and only one of at most MaxTapeDocumentBytes. Relative paths in it are taken
// from the document's own folder.
ParsedTapeDocument readTapeDocumentFile(const std::string& path);
// The same for a set of tapes; a document of one tape reads as a set of that tape (parseSetDocument).
ParsedSetDocument readSetDocumentFile(const std::string& path);

// The absolute folder that holds path, for writeTapeDocument and parseTapeDocument.
std::string documentFolder(const std::string& path);

// The size and last change of a file; size -1 when it cannot be looked at.
FileStamp stampOf(const std::string& path);

// Sets the stamp of every track of the document that plays from a file.
void stampAudioFiles(TapeDocument& document);

struct AudioFileCheck {
    std::vector<std::string> missing;  // each file once, in track order
    std::vector<std::string> changed;  // size or last change differ from the stamp saved

    bool empty() const { return missing.empty() && changed.empty(); }
};

// Looks at the audio files of the document's tracks as they are now.
AudioFileCheck checkAudioFiles(const TapeDocument& document);

}  // namespace vantoli
