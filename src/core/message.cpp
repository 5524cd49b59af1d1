#include "core/message.h"

#include "core/language.h"

namespace vantoli {

namespace {

// The length of the UTF-8 sequence `lead` starts (1 for a stray byte, which counts as a character).
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// `line` cut after MessageLineCharacters characters, never inside one.
std::string shortLine(std::string_view line)
{
    std::size_t at = 0;
    for (std::size_t count = 0; at < line.size(); ++count) {
        if (count == MessageLineCharacters) return std::string(line.substr(0, at)) + "…";
        at += sequenceLength(static_cast<unsigned char>(line[at]));
    }
    return std::string(line);
}

}  // namespace

std::string screenfulText(std::string_view text)
{
    // Each line with the line end after it.
    std::vector<std::pair<std::string_view, std::string_view>> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines.emplace_back(text, std::string_view());
            break;
        }
        const std::size_t endLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        lines.emplace_back(text.substr(0, end), text.substr(end, endLength));
        text.remove_prefix(end + endLength);
    }
    std::string shown;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == MessageLines && lines.size() > MessageLines + 1) {
            shown += fill(_("…ほか %1 行"), {std::to_string(lines.size() - MessageLines)});
            break;
        }
        shown.append(shortLine(lines[i].first)).append(lines[i].second);
    }
    return shown;
}

Message screenful(Message message)
{
    message.title = shortLine(message.title);
    message.text = screenfulText(message.text);
    return message;
}

std::string shortList(const std::vector<std::string>& items, std::size_t shown, std::string_view separator)
{
    std::string text;
    for (std::size_t i = 0; i < items.size() && i < shown; ++i) {
        if (i > 0) text += separator;
        text += items[i];
    }
    if (items.size() > shown)
        text.append(separator).append(fill(_("…ほか %1 件"), {std::to_string(items.size() - shown)}));
    return text;
}

}  // namespace vantoli
