// Arbitrary bytes as a pattern file: the reader never takes more than 20 lines or an over-long one,
// and what it reads, written back and read again, gives the same entries.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/pattern_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vantoli::PatternSplit split = vantoli::splitPatternLines(bytes);

    // Reading only the first PatternReadLimit bytes of a file gives the same result as the whole file.
    if (size > vantoli::PatternReadLimit &&
        vantoli::splitPatternLines(bytes.substr(0, vantoli::PatternReadLimit)) != split)
        std::abort();

    const auto* lines = std::get_if<std::vector<std::string>>(&split);
    if (!lines) return 0;
    if (lines->size() > std::size_t(vantoli::EntryCount)) std::abort();

    vantoli::EncodedEntries entries;
    for (std::size_t i = 0; i < lines->size(); ++i) {
        const std::string& line = (*lines)[i];
        if (line.size() > vantoli::MaxPatternLineBytes) std::abort();
        if (line.find_first_of("\r\n") != std::string::npos) std::abort();
        entries[i] = line;
    }

    // Written back, the file reads as the same entries (trailing empty lines are not written).
    const auto again = vantoli::splitPatternLines(vantoli::joinPatternLines(entries));
    const auto* reread = std::get_if<std::vector<std::string>>(&again);
    if (!reread) std::abort();
    vantoli::EncodedEntries back;
    std::copy(reread->begin(), reread->end(), back.begin());
    if (back != entries) std::abort();
    return 0;
}
