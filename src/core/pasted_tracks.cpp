#include "core/pasted_tracks.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "core/text_encoding.h"
#include "core/text_lines.h"
#include "core/trimmed.h"

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
// A position code in front: "A1", "B12" (a record's side and track), "1-03", "CD2-4", "Disc 1-3" (a
// disc of a set and its track), followed by a blank, a stop or a bracket. Returns where the title
// starts, or nothing.
std::optional<std::size_t> afterPositionCode(const std::string& s, Range r)
{
    std::size_t k = r.from;
    const auto digits = [&](std::size_t most) {
        const std::size_t first = k;
        while (k < r.to && k - first < most + 1 && isDigit(s[k])) ++k;
        return k - first >= 1 && k - first <= most;
    };
    const auto ends = [&]() -> std::optional<std::size_t> {
        if (k >= r.to) return std::nullopt;
        if (s[k] == '.' || s[k] == ')') return k + 1;
        if (isSpace(s[k])) return k;
        return std::nullopt;
    };
    if (s[k] >= 'A' && s[k] <= 'H') {
        ++k;
        if (digits(2)) return ends();
        k = r.from;
    }
    for (const std::string_view disc : {"CD", "cd", "Disc", "DISC", "disc"})
        if (s.compare(k, disc.size(), disc) == 0) {
            k += disc.size();
            if (k < r.to && s[k] == ' ') ++k;
            break;
        }
    const bool named = k != r.from;
    if (!digits(2) || k >= r.to || s[k] != '-') return std::nullopt;
    ++k;
    if (!digits(3)) return std::nullopt;
    if (!named && k < r.to && s[k] == '.') return std::nullopt;
    return ends();
}

Range withoutNumber(const std::string& s, Range r, std::size_t expected)
{
    if (r.empty()) return r;
    if (const std::optional<std::size_t> title = afterPositionCode(s, r)) return trimmed(s, {*title, r.to});
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

// ---- Words of lines that are no track ---------------------------------------------------------------

std::string lowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// Whether `text` (lower case) is made only of the words given and of blanks, digits where allowed,
// and punctuation; `needed`, when given, must be among them.
bool onlyWords(std::string text, std::initializer_list<std::string_view> words, bool digitsAllowed,
               std::initializer_list<std::string_view> needed = {})
{
    bool found = needed.size() == 0;
    for (const std::string_view need : needed) found = found || text.find(need) != std::string::npos;
    if (!found) return false;
    // Longest first, so that "running time" goes before "time".
    std::vector<std::string_view> sorted(words);
    std::sort(sorted.begin(), sorted.end(), [](std::string_view a, std::string_view b) { return a.size() > b.size(); });
    for (const std::string_view word : sorted)
        for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at))
            text.replace(at, word.size(), " ");
    return std::all_of(text.begin(), text.end(), [&](char c) {
        return isSpace(c) || (digitsAllowed && isDigit(c)) || std::string_view(":.#()[]|/,;-=*").find(c) != std::string_view::npos;
    });
}

// "Total length", "合計", "総再生時間": the words of a line that gives the album's length.
bool isTotalText(const std::string& lower)
{
    return onlyWords(lower,
                     {"total", "running", "playing", "play", "length", "time", "runtime", "duration", "album", "of",
                      "tracks", "合計", "トータル", "総", "再生", "演奏", "収録", "時間", "全", "曲", "タイム", "長さ"},
                     true, {"total", "runtime", "running time", "合計", "トータル", "総", "収録時間", "全"});
}

// A store's words after a track's time: buy, download, a price. (Not "play" or "listen": titles and
// artists have them.)
const std::initializer_list<std::string_view> StoreWords = {
    "buy track", "buy album", "buy", "add to cart", "download", "preview", "mp3", "flac", "購入", "カートに入れる",
    "ダウンロード", "試聴", "$", "usd", "eur", "jpy", "¥", "€", "£", "円", "税込"};

bool isLink(std::string_view lower)
{
    return lower.starts_with("http://") || lower.starts_with("https://") || lower.starts_with("www.");
}

bool isStoreText(const std::string& lower)
{
    if (isLink(lower)) return lower.find(' ') == std::string::npos;
    return onlyWords(lower, StoreWords, true, StoreWords);
}

// Column headings, and the headings of a disc or a side of a set.
bool isHeadingText(const std::string& lower)
{
    if (onlyWords(lower,
                  {"#", "no.", "no", "nr.", "track", "tracks", "tracklist", "track list", "title", "artist", "artists",
                   "time", "length", "duration", "song", "songs", "name", "composer", "曲名", "曲目", "収録曲",
                   "アーティスト", "歌手", "演奏者", "作曲", "時間", "再生時間", "演奏時間", "長さ", "タイトル",
                   "トラックリスト", "トラック", "番号", "曲", "タイム"},
                  false))
        return true;
    // "Disc 2", "CD 1", "Side B", "A面": a word of a disc or side with one number or letter.
    std::string rest = lower;
    bool named = false;
    for (const std::string_view word : {"disc", "disk", "cd", "side", "ディスク", "面"}) {
        const std::size_t at = rest.find(word);
        if (at == std::string::npos) continue;
        rest.replace(at, word.size(), " ");
        named = true;
    }
    if (!named) return false;
    const std::string_view left = vantoli::trimmed(std::string_view(rest), " \t:.-");
    return !left.empty() && left.size() <= 2 &&
           (std::all_of(left.begin(), left.end(), isDigit) || (left.size() == 1 && left[0] >= 'a' && left[0] <= 'h'));
}

// The range without a store's words at its end ("Artist  Buy track" is Artist; "Buy track" is nothing).
Range withoutStoreTail(const std::string& s, Range r)
{
    const std::string lower = lowerAscii(s);
    for (bool cut = true; cut && !r.empty();) {
        cut = false;
        // The last word, or the last two ("buy track").
        std::size_t start = r.to;
        for (int words = 0; words < 3 && start > r.from; ++words) {
            while (start > r.from && isEdge(s[start - 1])) --start;
            while (start > r.from && !isSpace(s[start - 1])) --start;
            const std::string tail = lower.substr(start, r.to - start);
            if (isStoreText(tail) && tail.find_first_not_of(" \t0123456789.,") != std::string::npos) {
                r = trimmed(s, {r.from, start});
                cut = true;
                break;
            }
        }
    }
    return r;
}

// ---- Reading a track --------------------------------------------------------------------------------

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
    const Range after = withoutStoreTail(s, trimmed(s, {time.to, s.size()}));
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

// The last track read is the list's total when its time is the sum of the two or more tracks above it
// (each may have been rounded to its second: one second each either way).
void markSumAsTotal(std::vector<PastedLine>& lines)
{
    const auto last = std::find_if(lines.rbegin(), lines.rend(), [](const PastedLine& l) { return l.track.has_value(); });
    if (last == lines.rend()) return;
    std::int64_t sum = 0;
    int count = 0;
    for (auto line = std::next(last); line != lines.rend(); ++line)
        if (line->track) {
            sum += line->track->milliseconds;
            ++count;
        }
    if (count < 2 || std::llabs(last->track->milliseconds - sum) > count * 1000LL) return;
    last->track.reset();
    last->notATrack = true;
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
        const std::string lower = lowerAscii(plainLine(line).s);
        if (pasted.track ? isTotalText(lower) : isHeadingText(lower) || isStoreText(lower)) {
            pasted.track.reset();
            pasted.notATrack = true;
        }
        if (pasted.track) ++read;
        lines.push_back(std::move(pasted));
    }
    markSumAsTotal(lines);
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
