#include "core/pattern_format.h"

namespace vantoli {

int patternLineCount(const EncodedEntries& entries)
{
    int count = EntryCount;
    while (count > 1 && entries[count - 1].empty()) --count;
    return count;
}

std::string joinPatternLines(const EncodedEntries& entries)
{
    const int count = patternLineCount(entries);
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += entries[i];
        bytes += "\r\n";
    }
    return bytes;
}

PatternSplit splitPatternLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size() && static_cast<int>(lines.size()) < EntryCount) {
        const std::size_t end = bytes.find_first_of("\r\n", pos);
        const std::size_t lineEnd = end == std::string_view::npos ? bytes.size() : end;
        if (lineEnd - pos > MaxPatternLineBytes) return PatternLineTooLong{static_cast<int>(lines.size()) + 1};
        lines.emplace_back(bytes.substr(pos, lineEnd - pos));
        if (end == std::string_view::npos) break;
        pos = end + 1;
        if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    return lines;
}

}  // namespace vantoli
