#include "cli/read_tags_command.h"

#include <cstdlib>
#include <string>

#include <nlohmann/json.hpp>

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
        nlohmann::ordered_json answer;  // null
        if (const std::optional<AudioFileTags> tags = reader.read(path)) {
            answer = {{"milliseconds", tags->milliseconds},
                      {"title", tags->title},
                      {"artist", tags->artist},
                      {"album", tags->album},
                      {"albumArtist", tags->albumArtist}};
        }
        const std::string line = answer.dump() + "\n";
        if (std::fwrite(line.data(), 1, line.size(), out) != line.size() || std::fflush(out) != 0) break;
    }
    std::free(buffer);
    return 0;
}

}  // namespace vantoli::cli
