#pragma once
// Reading text line by line, whichever system wrote it.

#include <string_view>

namespace vantoli {

// Takes the next line off the front of `rest` and returns it without its end: a line ends at LF,
// CR LF or a lone CR. The last line needs no end.
constexpr std::string_view takeLine(std::string_view& rest)
{
    const std::size_t end = rest.find_first_of("\r\n");
    const std::string_view line = rest.substr(0, end);
    if (end == std::string_view::npos) {
        rest = {};
    } else {
        const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        rest.remove_prefix(end + (crlf ? 2 : 1));
    }
    return line;
}

}  // namespace vantoli
