#include "cli/read_tags_command.h"

#include <cstdlib>
#include <string>

#include "device/tag_answer.h"
#include "device/taglib_reader.h"

namespace vantoli::cli {

int readTags(std::FILE* in, std::FILE* out)
{
    const TagLibReader reader;
    char* buffer = nullptr;
    std::size_t capacity = 0;
    ssize_t length = 0;
    while ((length = getdelim(&buffer, &capacity, '\0', in)) > 0) {
        // The last path may come without its NUL when the input ends.
        std::string path(buffer, static_cast<std::size_t>(length));
        if (path.back() == '\0') path.pop_back();
        const std::string line = tagAnswerLine(reader.read(path));
        if (std::fwrite(line.data(), 1, line.size(), out) != line.size() || std::fflush(out) != 0) break;
    }
    std::free(buffer);
    return 0;
}

}  // namespace vantoli::cli
