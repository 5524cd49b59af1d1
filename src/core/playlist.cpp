#include "core/playlist.h"
#include "core/file_names.h"

#include <algorithm>

#include "core/text_lines.h"
#include "core/trimmed.h"

namespace vantoli {

namespace {


bool startsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (asciiLower(s[i]) != asciiLower(prefix[i])) return false;
    return true;
}

// "scheme:" of a URL: a letter, then letters, digits, "+", "-" or ".". A single letter before the
// colon is a Windows drive ("C:\Music"), not a scheme.
bool hasUrlScheme(std::string_view s)
{
    const std::size_t colon = s.find(':');
    if (colon == std::string_view::npos || colon < 2 || !isAsciiLetter(s[0])) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = s[i];
        if (!isAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

// The title of "#EXTINF:<seconds> [attributes],<title>": what follows the first comma that does not
// stand inside an attribute's quotes.
std::string extinfTitle(std::string_view line)
{
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ',' && !quoted) return std::string(trimmed(line.substr(i + 1)));
    }
    return {};
}

}  // namespace

std::optional<std::string> fileUrlPath(std::string_view url)
{
    if (!startsWithNoCase(url, "file:")) return std::nullopt;
    std::string_view rest = url.substr(5);
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        if (slash == std::string_view::npos) return std::nullopt;
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && !(host.size() == 9 && startsWithNoCase(host, "localhost"))) return std::nullopt;
        rest.remove_prefix(slash);
    }
    if (!rest.starts_with('/')) return std::nullopt;
    std::string path = percentDecoded(rest);
    if (path.find('\0') != std::string::npos) return std::nullopt;
    return path;
}

std::optional<std::vector<PlaylistEntry>> parsePlaylist(std::string_view bytes, TextEncoding encoding)
{
    const std::optional<std::string> text = decodeText(bytes, encoding);
    if (!text || text->find('\0') != std::string::npos) return std::nullopt;

    std::vector<PlaylistEntry> entries;
    std::string pendingTitle;
    std::string_view rest = *text;
    while (!rest.empty()) {
        const std::string_view line = trimmed(takeLine(rest));
        if (line.empty()) continue;
        if (line.front() == '#') {
            if (startsWithNoCase(line, "#EXTINF:")) pendingTitle = extinfTitle(line.substr(8));
            continue;
        }

        PlaylistEntry entry;
        entry.title = std::move(pendingTitle);
        pendingTitle.clear();
        if (!hasUrlScheme(line))
            entry.path = std::string(line);
        else if (std::optional<std::string> path = fileUrlPath(line))
            entry.path = std::move(*path);
        else
            entry.elsewhere = std::string(line);
        // Windows writes '\' between folders, in plain paths and URLs alike.
        std::replace(entry.path.begin(), entry.path.end(), '\\', '/');
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace vantoli
