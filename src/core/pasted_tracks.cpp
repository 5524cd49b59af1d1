#include "core/pasted_tracks.h"

#include "core/text_encoding.h"
#include "core/text_lines.h"

namespace vantoli {

namespace {

// A line with full-width digits, colons, stops, brackets and spaces and the long dashes written as
// their ASCII look-alikes, one byte each, and where each of its bytes stands in the line as pasted,
// so that titles keep their own characters.
struct PlainLine {
    std::string s;
    std::vector<std::size_t> at;  // at[i]: where s[i] starts in the line; at[s.size()] is its length

    std::string original(std::string_view line, std::size_t from, std::size_t to) const
    {
        return std::string(line.substr(at[from], at[to] - at[from]));
    }
};

PlainLine plainLine(std::string_view line)
{
    PlainLine plain;
    plain.s.reserve(line.size());
    plain.at.reserve(line.size() + 1);
    for (std::size_t i = 0; i < line.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(line[i + k]); };
        char ascii = 0;
        std::size_t length = 1;
        if (i + 2 < line.size() && byte(0) == 0xEF && byte(1) == 0xBC && byte(2) >= 0x90 && byte(2) <= 0x9A) {
            ascii = static_cast<char>('0' + (byte(2) - 0x90));  // U+FF10..U+FF19 digits, U+FF1A colon
            length = 3;
        } else if (i + 2 < line.size() && byte(0) == 0xEF && byte(1) == 0xBC &&
                   (byte(2) == 0x8E || byte(2) == 0x88 || byte(2) == 0x89)) {
            ascii = byte(2) == 0x8E ? '.' : byte(2) == 0x88 ? '(' : ')';
            length = 3;
        } else if (i + 2 < line.size() && byte(0) == 0xE2 && byte(1) == 0x80 && (byte(2) == 0x93 || byte(2) == 0x94)) {
            ascii = '-';  // en and em dash
            length = 3;
        } else if (i + 2 < line.size() && byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) {
            ascii = ' ';  // ideographic space
            length = 3;
        }
        plain.at.push_back(i);
        plain.s.push_back(ascii ? ascii : line[i]);
        i += length;
    }
    plain.at.push_back(line.size());
    return plain;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSpace(char c) { return c == ' ' || c == '\t'; }
bool isEdge(char c) { return isSpace(c) || c == '-' || c == '|' || c == '/'; }

struct Range {
    std::size_t from = 0, to = 0;
    bool empty() const { return from >= to; }
};

Range trimmed(const std::string& s, Range r)
{
    while (r.from < r.to && isEdge(s[r.from])) ++r.from;
    while (r.to > r.from && isEdge(s[r.to - 1])) --r.to;
    return r;
}

struct TimeAt {
    Range range;
    int seconds = 0;
};

// The times of a line: m:ss (up to three digits of minutes) or h:mm:ss, standing alone between
// other characters than digits and colons.
std::vector<TimeAt> timesIn(const std::string& s)
{
    std::vector<TimeAt> times;
    const auto digitsAt = [&](std::size_t i) {
        std::size_t j = i;
        while (j < s.size() && isDigit(s[j])) ++j;
        return j - i;
    };
    const auto number = [&](std::size_t i, std::size_t n) {
        int value = 0;
        for (std::size_t k = 0; k < n; ++k) value = value * 10 + (s[i + k] - '0');
        return value;
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (!isDigit(s[i]) || (i > 0 && (isDigit(s[i - 1]) || s[i - 1] == ':' || s[i - 1] == '.'))) continue;
        const std::size_t first = digitsAt(i);
        std::size_t end = i + first;
        if (first > 3 || end >= s.size() || s[end] != ':' || digitsAt(end + 1) != 2) continue;
        int parts[3] = {number(i, first), number(end + 1, 2), 0};
        int count = 2;
        end += 3;
        if (end < s.size() && s[end] == ':' && first <= 2 && digitsAt(end + 1) == 2) {
            parts[2] = number(end + 1, 2);
            count = 3;
            end += 3;
        }
        if (end < s.size() && (s[end] == ':' || isDigit(s[end]))) continue;
        int seconds = 0;
        if (count == 2) {
            if (parts[1] >= 60) continue;
            seconds = parts[0] * 60 + parts[1];
        } else {
            if (parts[1] >= 60 || parts[2] >= 60) continue;
            seconds = (parts[0] * 60 + parts[1]) * 60 + parts[2];
        }
        if (seconds <= 0) continue;
        times.push_back({{i, end}, seconds});
    }
    return times;
}

// Drops a track number in front: "1.", "01)", "1<tab>", or digits and a space when they are the
// number the track would have.
Range withoutNumber(const std::string& s, Range r, std::size_t expected)
{
    std::size_t k = r.from;
    std::size_t value = 0;
    while (k < r.to && k - r.from < 4 && isDigit(s[k])) value = value * 10 + static_cast<std::size_t>(s[k++] - '0');
    const std::size_t digits = k - r.from;
    if (digits == 0 || digits > 3 || k >= r.to) return r;
    if (s[k] == '.' || s[k] == ')') {
        if (k + 1 < r.to && isDigit(s[k + 1])) return r;  // "2.5 ..." is no number of a track
        ++k;
    } else if (s[k] == '\t' || (s[k] == ' ' && value == expected)) {
        ++k;
    } else {
        return r;
    }
    return trimmed(s, {k, r.to});
}

// Where the title ends and the artist begins: a tab, else a dash between spaces.
std::optional<Range> separatorIn(const std::string& s, Range r)
{
    for (std::size_t k = r.from; k < r.to; ++k)
        if (s[k] == '\t') return Range{k, k + 1};
    for (std::size_t k = r.from + 1; k + 1 < r.to; ++k)
        if (s[k] == '-' && s[k - 1] == ' ' && s[k + 1] == ' ') return Range{k, k + 1};
    return std::nullopt;
}

std::optional<Track> readLine(std::string_view line, std::size_t expected)
{
    const PlainLine plain = plainLine(line);
    const std::string& s = plain.s;
    const std::vector<TimeAt> times = timesIn(s);
    if (times.empty()) return std::nullopt;

    const auto onlyEdges = [&](Range r) { return trimmed(s, r).empty(); };
    const TimeAt* chosen = &times.back();
    if (!onlyEdges({times.back().range.to, s.size()})) {
        if (onlyEdges({0, times.front().range.from})) chosen = &times.front();
    }
    Range time = chosen->range;
    // "(4:31)" and "[4:31]" lose their brackets with the time.
    if (time.from > 0 && time.to < s.size() && (s[time.from - 1] == '(' || s[time.from - 1] == '[') &&
        (s[time.to] == ')' || s[time.to] == ']')) {
        --time.from;
        ++time.to;
    }

    const Range before = withoutNumber(s, trimmed(s, {0, time.from}), expected);
    const Range after = trimmed(s, {time.to, s.size()});
    Range title = before, artist;
    if (!before.empty() && !after.empty()) {
        artist = after;
    } else {
        title = before.empty() ? after : before;
        if (const std::optional<Range> separator = separatorIn(s, title)) {
            artist = trimmed(s, {separator->to, title.to});
            title = trimmed(s, {title.from, separator->from});
        }
    }
    Track track;
    track.milliseconds = static_cast<std::int64_t>(chosen->seconds) * 1000;
    if (!title.empty()) track.title = plain.original(line, title.from, title.to);
    if (!artist.empty()) track.artist = plain.original(line, artist.from, artist.to);
    return track;
}

}  // namespace

std::vector<PastedLine> parsePastedTracks(std::string_view text)
{
    const std::string valid = validUtf8(text);
    std::string_view rest = valid;
    if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);

    std::vector<PastedLine> lines;
    std::size_t number = 0;
    std::size_t read = 0;
    while (!rest.empty()) {
        const std::string_view line = takeLine(rest);
        ++number;
        if (plainLine(line).s.find_first_not_of(" \t") == std::string::npos) continue;
        PastedLine pasted{number, std::string(line), readLine(line, read + 1)};
        if (pasted.track) ++read;
        lines.push_back(std::move(pasted));
    }
    return lines;
}

TrackList pastedTrackList(const std::vector<PastedLine>& lines)
{
    TrackList list;
    for (const PastedLine& line : lines)
        if (line.track) list.tracks.push_back(*line.track);
    return list;
}

}  // namespace vantoli
