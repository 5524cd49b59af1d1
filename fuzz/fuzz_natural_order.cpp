// Arbitrary names in the natural order: it must be a strict total order, or sorting a folder could go
// wrong. The input is split into three names at its first two NUL bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/natural_order.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string_view names[3];
    for (int i = 0; i < 3; ++i) {
        const std::size_t cut = i < 2 ? rest.find('\0') : std::string_view::npos;
        names[i] = rest.substr(0, cut);
        rest = cut == std::string_view::npos ? std::string_view{} : rest.substr(cut + 1);
    }
    using vantoli::naturalLess;
    const auto& [a, b, c] = names;
    if (naturalLess(a, a)) std::abort();
    const bool ab = naturalLess(a, b), ba = naturalLess(b, a);
    if (ab && ba) std::abort();
    if (!ab && !ba && a != b) std::abort();  // total: only equal names tie
    if (ab && naturalLess(b, c) && !naturalLess(a, c)) std::abort();
    return 0;
}
