// Arbitrary bytes as an .m3u and an .m3u8 playlist: every entry points somewhere, paths use '/' only,
// titles are UTF-8 on one line, and an .m3u8 that reads is read the same as an .m3u.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/playlist.h"

namespace {

void check(const std::optional<std::vector<vantoli::PlaylistEntry>>& entries)
{
    if (!entries) return;
    for (const vantoli::PlaylistEntry& entry : *entries) {
        if (entry.path.empty() == entry.elsewhere.empty()) std::abort();
        if (!entry.elsewhere.empty() && !vantoli::isUtf8(entry.elsewhere)) std::abort();
        if (entry.path.find('\0') != std::string::npos) std::abort();
        if (!entry.title.empty() &&
            (!vantoli::isUtf8(entry.title) || entry.title.find_first_of("\r\n") != std::string::npos))
            std::abort();
        if (entry.elsewhere.empty() && entry.path.find('\\') != std::string::npos) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto m3u = vantoli::parsePlaylist(bytes, vantoli::TextEncoding::Utf8OrShiftJis);
    const auto m3u8 = vantoli::parsePlaylist(bytes, vantoli::TextEncoding::Utf8);
    check(m3u);
    check(m3u8);
    // What reads as UTF-8 reads the same whichever the name.
    if (m3u8 && m3u != m3u8) std::abort();
    return 0;
}
