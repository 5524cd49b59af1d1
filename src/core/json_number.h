#pragma once
// Whole numbers read from JSON text that no one here wrote: a value is taken only when it is a whole
// number within the bounds given, before any conversion. JSON's numbers of 0 and above come as unsigned
// and may lie beyond any signed one; 1e300 and 2.5 are no whole numbers.

#include <cstdint>
#include <optional>

#include <nlohmann/json.hpp>

namespace vantoli {

inline std::optional<std::int64_t> wholeNumber(const nlohmann::ordered_json& value, std::int64_t low, std::int64_t high)
{
    if (value.is_number_unsigned()) {
        const std::uint64_t v = value.get<std::uint64_t>();
        if (high < 0 || v > static_cast<std::uint64_t>(high) || (low > 0 && v < static_cast<std::uint64_t>(low)))
            return std::nullopt;
        return static_cast<std::int64_t>(v);
    }
    if (!value.is_number_integer()) return std::nullopt;
    const std::int64_t v = value.get<std::int64_t>();
    if (v < low || v > high) return std::nullopt;
    return v;
}

}  // namespace vantoli
