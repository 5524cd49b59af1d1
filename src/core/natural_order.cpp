#include "core/natural_order.h"
#include "core/file_names.h"

namespace vantoli {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

unsigned char folded(char c)
{
    return static_cast<unsigned char>(asciiLower(c));
}

// Compares two runs of digits by their value, however long they are: -1, 0 or 1.
int compareNumbers(std::string_view a, std::string_view b)
{
    while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
    while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string_view digitRun(std::string_view s, std::size_t from)
{
    std::size_t end = from;
    while (end < s.size() && isDigit(s[end])) ++end;
    return s.substr(from, end - from);
}

}  // namespace

bool naturalLess(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const std::string_view na = digitRun(a, i);
            const std::string_view nb = digitRun(b, j);
            if (const int c = compareNumbers(na, nb); c != 0) return c < 0;
            i += na.size();
            j += nb.size();
            continue;
        }
        const unsigned char ca = folded(a[i]);
        const unsigned char cb = folded(b[j]);
        if (ca != cb) return ca < cb;
        ++i;
        ++j;
    }
    const bool aDone = i == a.size(), bDone = j == b.size();
    if (aDone != bDone) return aDone;
    return a < b;
}

}  // namespace vantoli
