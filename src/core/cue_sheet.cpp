#include "core/cue_sheet.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include <dlfcn.h>
#include <libcue.h>
#include <link.h>

#include "core/text_encoding.h"

namespace vantoli {

namespace {

// libcue's scanner takes any run of bytes between two quotes as one string, across line ends, and
// reads a backslash before a quote as part of the string; its grammar knows only some FILE types and
// gives a FILE named between TRACK and INDEX 01 to that one track alone. So the sheet is handed to
// it tidied: one command a line, every value quoted, only the commands read here, and each FILE
// before the TRACK whose INDEX 01 it holds. Inside a value a backslash and a quote travel as these
// two control characters, which the text cannot hold once its control characters are gone.
constexpr char BackslashStandIn = '\x01';
constexpr char QuoteStandIn = '\x02';

// Titles are kept to the length CD-Text allows and a little more; file names to what libcue's
// buffer of 1024 bytes holds with its quotes.
constexpr std::size_t MaxTitleBytes = 255;
constexpr std::size_t MaxFileNameBytes = 1000;
constexpr int MaxTracks = 99;

constexpr std::string_view Blanks = " ";

std::string_view trimmed(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(Blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(Blanks) - first + 1);
}

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Control characters go (a tab becomes a blank); line ends stay.
std::string withoutControlCharacters(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\t')
            out.push_back(' ');
        else if (u >= 0x20 && u != 0x7F)
            out.push_back(c);
        else if (c == '\n' || c == '\r')
            out.push_back(c);
    }
    return out;
}

// The value of TITLE, PERFORMER or FILE after its keyword: what stands between the first and the
// last quote, or from a lone quote to the line's end, or the rest of the line when it is not quoted.
// `after` gets what follows the closing quote.
std::string_view quotedValue(std::string_view rest, std::string_view* after = nullptr)
{
    rest = trimmed(rest);
    if (after) *after = {};
    if (rest.empty() || rest.front() != '"') return rest;
    const std::size_t close = rest.rfind('"');
    if (close == 0) return rest.substr(1);
    if (after) *after = trimmed(rest.substr(close + 1));
    return rest.substr(1, close - 1);
}

// Cuts UTF-8 text to at most `limit` bytes without splitting a character.
std::string_view cutUtf8(std::string_view s, std::size_t limit)
{
    if (s.size() <= limit) return s;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
    return s.substr(0, end);
}

std::string standIns(std::string_view value)
{
    std::string out(value);
    for (char& c : out) {
        if (c == '\\') c = BackslashStandIn;
        if (c == '"') c = QuoteStandIn;
    }
    return out;
}

std::string fromStandIns(const char* value)
{
    std::string out = value ? value : "";
    for (char& c : out) {
        if (c == BackslashStandIn) c = '\\';
        if (c == QuoteStandIn) c = '"';
    }
    return out;
}

// "mm:ss:ff" in frames; nothing unless the minutes are 1 to 4 digits, the seconds below 60 and the
// frames below 75.
std::optional<std::int64_t> cueTime(std::string_view s)
{
    std::int64_t parts[3] = {0, 0, 0};
    int part = 0, digits = 0;
    for (char c : s) {
        if (c == ':') {
            if (digits == 0 || ++part > 2) return std::nullopt;
            digits = 0;
        } else if (c >= '0' && c <= '9') {
            if (++digits > (part == 0 ? 4 : 2)) return std::nullopt;
            parts[part] = parts[part] * 10 + (c - '0');
        } else {
            return std::nullopt;
        }
    }
    if (part != 2 || digits == 0 || parts[1] >= 60 || parts[2] >= CueFramesPerSecond) return std::nullopt;
    return (parts[0] * 60 + parts[1]) * CueFramesPerSecond + parts[2];
}

char twoDigits(std::int64_t v, int place) { return static_cast<char>('0' + (place ? v / 10 % 10 : v % 10)); }

std::string timeText(std::int64_t frames)
{
    const std::int64_t minutes = frames / CueFramesPerSecond / 60;
    const std::int64_t seconds = frames / CueFramesPerSecond % 60;
    const std::int64_t rest = frames % CueFramesPerSecond;
    std::string text = std::to_string(minutes);
    if (minutes < 10) text.insert(text.begin(), '0');
    text += {':', twoDigits(seconds, 1), twoDigits(seconds, 0), ':', twoDigits(rest, 1), twoDigits(rest, 0)};
    return text;
}

// "1", "01", "001": the index number 1.
bool isIndexOne(std::string_view number)
{
    const std::size_t first = number.find_first_not_of('0');
    return first != std::string_view::npos && number.substr(first) == "1" &&
           number.find_first_not_of("0123456789") == std::string_view::npos;
}

struct TidySheet {
    std::string text;
    std::vector<std::string> rawFiles;
    int tracks = 0;
};

std::variant<TidySheet, CueSheetError> tidyForLibcue(std::string_view text)
{
    TidySheet tidy;
    std::string trackLines;  // the lines of the track being read, from its TRACK line on
    bool inTrack = false, trackHasStart = false;
    bool haveFile = false;
    // The FILE in force for the next TRACK line: named before it, or inside the track being read
    // before its INDEX 01 (libcue then wants it before the TRACK line).
    std::string fileLine;

    const auto endTrack = [&]() -> bool {
        if (!inTrack) return true;
        if (!trackHasStart) return false;
        tidy.text += trackLines;
        trackLines.clear();
        return true;
    };

    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        const std::string_view line = trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.empty()) continue;

        const std::size_t space = line.find(' ');
        const std::string keyword = upper(line.substr(0, space));
        const std::string_view args = space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);

        if (keyword == "FILE") {
            std::string_view after;
            std::string_view name = quotedValue(args, &after);
            std::string_view type = after;
            if (!args.empty() && trimmed(args).front() != '"') {
                // Unquoted: the name runs up to the type, the last word, when there is one.
                const std::size_t lastSpace = name.rfind(' ');
                if (lastSpace != std::string_view::npos) {
                    type = name.substr(lastSpace + 1);
                    name = trimmed(name.substr(0, lastSpace));
                }
            }
            if (name.empty() || name.size() > MaxFileNameBytes) return CueSheetError::NotASheet;
            const std::string typeWord = upper(type.substr(0, type.find(' ')));
            if (typeWord == "BINARY" || typeWord == "MOTOROLA") tidy.rawFiles.emplace_back(name);
            fileLine = "FILE \"" + standIns(name) + "\" WAVE\n";
            haveFile = true;
        } else if (keyword == "TRACK") {
            if (!endTrack()) return CueSheetError::NotASheet;
            if (++tidy.tracks > MaxTracks) return CueSheetError::TooManyTracks;
            const std::int64_t n = tidy.tracks;
            trackLines = std::string("TRACK ") + twoDigits(n, 1) + twoDigits(n, 0) + " AUDIO\n";
            inTrack = true;
            trackHasStart = false;
        } else if (keyword == "INDEX") {
            if (!inTrack) return CueSheetError::NotASheet;
            const std::string_view numberAndTime = trimmed(args);
            const std::size_t gap = numberAndTime.find(' ');
            if (gap == std::string_view::npos) return CueSheetError::NotASheet;
            const std::string_view number = numberAndTime.substr(0, gap);
            // Only INDEX 01 starts a track; INDEX 00 and the others are no part of its length.
            if (!isIndexOne(number)) continue;
            if (trackHasStart) continue;
            const std::optional<std::int64_t> start = cueTime(trimmed(numberAndTime.substr(gap + 1)));
            if (!start || !haveFile) return CueSheetError::NotASheet;
            // The track's FILE goes before its TRACK line, where libcue looks for it.
            tidy.text += fileLine;
            fileLine.clear();
            tidy.text += trackLines;
            tidy.text += "INDEX 01 " + timeText(*start) + "\n";
            trackLines.clear();
            trackHasStart = true;
        } else if (keyword == "TITLE" || keyword == "PERFORMER") {
            const std::string valueLine =
                keyword + " \"" + standIns(cutUtf8(quotedValue(args), MaxTitleBytes)) + "\"\n";
            if (inTrack)
                trackLines += valueLine;
            else
                tidy.text += valueLine;
        }
        // REM, PREGAP, POSTGAP, FLAGS, ISRC, CATALOG, SONGWRITER, ...: nothing the plan needs.
    }
    if (!endTrack() || tidy.tracks == 0) return CueSheetError::NotASheet;
    return tidy;
}

struct CdDeleter {
    void operator()(Cd* cd) const { cd_delete(cd); }
};

// libcdio, which the device layer links into the same program, exports a cdtext_get of its own with
// other arguments. Which of the two a plain call reaches depends on the order in which the libraries
// were linked and loaded, and libcdio's crashes on libcue's data; so libcue's is looked up in libcue
// itself.
using CdtextGet = const char* (*)(enum Pti, const Cdtext*);

int findLibcue(dl_phdr_info* info, std::size_t, void* path)
{
    const std::string_view name = info->dlpi_name ? info->dlpi_name : "";
    const std::size_t slash = name.rfind('/');
    if (!name.substr(slash == std::string_view::npos ? 0 : slash + 1).starts_with("libcue.so")) return 0;
    *static_cast<std::string*>(path) = std::string(name);
    return 1;
}

CdtextGet libcueCdtextGet()
{
    static const CdtextGet get = []() -> CdtextGet {
        std::string path;
        ::dl_iterate_phdr(&findLibcue, &path);
        if (void* handle = path.empty() ? nullptr : ::dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD)) {
            auto symbol = reinterpret_cast<CdtextGet>(::dlsym(handle, "cdtext_get"));
            ::dlclose(handle);  // libcue stays loaded: the program is linked with it
            if (symbol) return symbol;
        }
        return nullptr;  // no libcue library to be found: the sheet's texts are left out
    }();
    return get;
}

}  // namespace

std::variant<CueSheet, CueSheetError> parseCueSheet(std::string_view bytes)
{
    const std::optional<std::string> text = decodeText(bytes, TextEncoding::Utf8OrShiftJis);
    if (!text || text->find('\0') != std::string::npos) return CueSheetError::NotText;

    std::variant<TidySheet, CueSheetError> tidied = tidyForLibcue(withoutControlCharacters(*text));
    if (const auto* error = std::get_if<CueSheetError>(&tidied)) return *error;
    TidySheet& tidy = std::get<TidySheet>(tidied);

    const std::unique_ptr<Cd, CdDeleter> cd(cue_parse_string(tidy.text.c_str()));
    if (!cd || cd_get_ntrack(cd.get()) != tidy.tracks) return CueSheetError::NotASheet;

    CueSheet sheet;
    const CdtextGet cdText = libcueCdtextGet();
    if (const Cdtext* discText = cd_get_cdtext(cd.get()); discText && cdText) {
        sheet.title = fromStandIns(cdText(PTI_TITLE, discText));
        sheet.performer = fromStandIns(cdText(PTI_PERFORMER, discText));
    }
    for (int i = 1; i <= tidy.tracks; ++i) {
        const ::Track* track = cd_get_track(cd.get(), i);
        if (!track || !track_get_filename(track) || track_get_index(track, 1) < 0) return CueSheetError::NotASheet;
        CueTrack entry;
        entry.file = fromStandIns(track_get_filename(track));
        entry.start = track_get_index(track, 1);
        if (const Cdtext* trackText = track_get_cdtext(track); trackText && cdText) {
            entry.title = fromStandIns(cdText(PTI_TITLE, trackText));
            entry.performer = fromStandIns(cdText(PTI_PERFORMER, trackText));
        }
        // Within one file the tracks follow each other.
        if (!sheet.tracks.empty() && sheet.tracks.back().file == entry.file && sheet.tracks.back().start >= entry.start)
            return CueSheetError::NotASheet;
        sheet.tracks.push_back(std::move(entry));
    }
    for (std::string& file : tidy.rawFiles) {
        if (std::find(sheet.rawFiles.begin(), sheet.rawFiles.end(), file) == sheet.rawFiles.end())
            sheet.rawFiles.push_back(std::move(file));
    }
    return sheet;
}

std::vector<std::string> cueFiles(const CueSheet& sheet)
{
    std::vector<std::string> files;
    for (const CueTrack& track : sheet.tracks)
        if (std::find(files.begin(), files.end(), track.file) == files.end()) files.push_back(track.file);
    return files;
}

std::variant<TrackList, std::string>
cueTrackList(const CueSheet& sheet, const std::function<std::int64_t(const std::string& file)>& fileMilliseconds)
{
    TrackList list;
    list.album = sheet.title;
    list.artist = sheet.performer;
    for (std::size_t i = 0; i < sheet.tracks.size(); ++i) {
        const CueTrack& track = sheet.tracks[i];
        const std::int64_t startMs = track.start * 1000 / CueFramesPerSecond;
        std::int64_t milliseconds = 0;
        if (i + 1 < sheet.tracks.size() && sheet.tracks[i + 1].file == track.file)
            milliseconds = (sheet.tracks[i + 1].start - track.start) * 1000 / CueFramesPerSecond;
        else
            milliseconds = fileMilliseconds(track.file) - startMs;
        if (milliseconds <= 0) return track.file;
        list.tracks.push_back({milliseconds, track.title, track.performer.empty() ? sheet.performer : track.performer, {}});
    }
    return list;
}

}  // namespace vantoli
