#pragma once
// Audio files' lengths and tags for the window's reads, from a vantoli-helper --read-tags child: TagLib
// loads there, never into the window, and a file that makes it fail ends the child, not the window.

#include <memory>

#include "device/audio_file_reader.h"

class QProcess;

namespace vantoli {

// Asks one child for one file at a time and waits for its answer, so it belongs on the thread that
// reads (readInBackground's), never on the window's. The child is started at the first file and
// again after one it could not answer; it ends with the reader.
class HelperTagReader final : public AudioFileReader {
public:
    HelperTagReader();
    ~HelperTagReader() override;
    HelperTagReader(const HelperTagReader&) = delete;
    HelperTagReader& operator=(const HelperTagReader&) = delete;

    // Nothing, as for a file that is no audio file, when the child cannot be started or does not
    // answer within a minute.
    std::optional<AudioFileTags> read(const std::string& path) const override;

private:
    void end() const;

    mutable std::unique_ptr<QProcess> child_;
};

}  // namespace vantoli
