#pragma once
// The order in which people read file names: "2 x" before "10 x", "Track9" before "track10".

#include <string_view>

namespace vantoli {

// A strict total order on names. Runs of digits compare by their value ("007" and "7" are equal
// here), other bytes one by one with ASCII letters in either case alike; names that are alike
// by these rules fall back to their plain byte order, so no two different names tie.
bool naturalLess(std::string_view a, std::string_view b);

}  // namespace vantoli
