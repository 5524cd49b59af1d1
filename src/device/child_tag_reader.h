#pragma once
// Audio files' lengths and tags from a child process, `vantoli-helper --read-tags`, for a front end that
// does not load TagLib itself (the window): one NUL-ended path out, one JSON line back. A file that
// makes TagLib fail ends the child, not the caller.

#include <memory>
#include <string>

#include "device/audio_file_reader.h"

namespace vantoli {

// Synchronous, as every AudioFileReader is: it belongs on the thread that reads files, never on a
// window's. The child is started at the first file and again after one it could not answer, and ends
// with the reader.
class ChildTagReader final : public AudioFileReader {
public:
    explicit ChildTagReader(std::string program);  // the helper's path
    ~ChildTagReader() override;
    ChildTagReader(const ChildTagReader&) = delete;
    ChildTagReader& operator=(const ChildTagReader&) = delete;

    // Nothing, as for a file that is no audio file, when the child cannot be started, goes away or
    // gives no answer within a minute.
    std::optional<AudioFileTags> read(const std::string& path) const override;

private:
    struct Child;
    std::string program_;
    mutable std::unique_ptr<Child> child_;
};

}  // namespace vantoli
