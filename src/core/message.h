#pragma once
// A message box as the core describes it: the window layer only shows it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantoli {

enum class MessageIcon { Stop, Information, Exclamation };

struct Message {
    std::string title;  // UTF-8
    std::string text;   // UTF-8; lines joined exactly as the program has always joined them
    MessageIcon icon = MessageIcon::Exclamation;

    bool operator==(const Message&) const = default;
};

// At most a screenful of a text: no more than MessageLines lines (CR, LF or CR LF between them), each of at
// most MessageLineCharacters characters; a longer line is cut with "…", the lines past the last shown are
// counted ("…ほか 3 行"). Line ends are kept as they are.
constexpr std::size_t MessageLines = 25;
constexpr std::size_t MessageLineCharacters = 160;
std::string screenfulText(std::string_view text);
Message screenful(Message message);

// The first `shown` of `items` joined by `separator`, then "…ほか N 件" for the rest.
std::string shortList(const std::vector<std::string>& items, std::size_t shown, std::string_view separator);

}  // namespace vantoli
