#pragma once
// Text with the blanks at either end cut off: the one trimming of the program.

#include <string_view>

namespace vantoli {

// Spaces and tabs: the blanks a typed entry, an argument or a playlist line may carry around it.
inline constexpr std::string_view SpaceAndTab = " \t";

// `text` without the characters of `blanks` at its start and end.
constexpr std::string_view trimmed(std::string_view text, std::string_view blanks = SpaceAndTab)
{
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace vantoli
