#include "core/cue_sheet.h"
#include "core/file_names.h"

#include <algorithm>

#include "core/text_encoding.h"
#include "core/text_lines.h"

namespace vantoli {

namespace {

// Titles are kept to the length CD-Text allows and a little more; file names to what any file
// system takes.
constexpr std::size_t MaxTitleBytes = 255;
constexpr std::size_t MaxFileNameBytes = 1000;
constexpr std::size_t MaxTracks = 99;

constexpr std::string_view Blanks = " ";

std::string_view trimmed(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(Blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(Blanks) - first + 1);
}

std::string upper(std::string_view s) { return asciiUpper(s); }

// The first word of `s` and what follows it, both trimmed.
std::pair<std::string_view, std::string_view> firstWord(std::string_view s)
{
    s = trimmed(s);
    const std::size_t space = s.find(' ');
    if (space == std::string_view::npos) return {s, {}};
    return {s.substr(0, space), trimmed(s.substr(space + 1))};
}


// The value of TITLE, PERFORMER or FILE after its keyword: what stands between the first and the
// last quote (a title may hold quotes of its own), or from a lone quote to the line's end, or the
// rest of the line when it is not quoted. `after` gets what follows the closing quote.
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

// An index number: "1", "01" and "001" are 1. Nothing unless it is all digits.
std::optional<int> indexNumber(std::string_view number)
{
    if (number.empty() || number.size() > 3 || number.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int value = 0;
    for (char c : number) value = value * 10 + (c - '0');
    return value;
}

CueTrackMode trackMode(std::string_view type)
{
    const std::string mode = upper(type);
    if (mode == "AUDIO" || mode == "CDG") return CueTrackMode::Audio;
    if (mode.starts_with("MODE") || mode.starts_with("CDI")) return CueTrackMode::Data;
    return CueTrackMode::Other;
}

void addOnce(std::vector<std::string>& names, std::string_view name)
{
    if (std::find(names.begin(), names.end(), name) == names.end()) names.emplace_back(name);
}

// A track without INDEX 01 is no track to play; a data track may have none.
bool complete(const CueTrack& track) { return track.start >= 0 || track.mode == CueTrackMode::Data; }

std::variant<CueSheet, CueSheetError> parseLines(std::string_view text)
{
    CueSheet sheet;
    sheet.tracks.reserve(MaxTracks);  // never moves: `track` stays valid
    std::optional<std::string> file;  // the FILE in force
    CueTrack* track = nullptr;        // the track being read

    std::string_view rest = text;
    while (!rest.empty()) {
        const std::string_view line = trimmed(takeLine(rest));
        if (line.empty()) continue;

        const auto [word, args] = firstWord(line);
        const std::string keyword = upper(word);

        if (keyword == "FILE") {
            std::string_view after;
            std::string_view name = quotedValue(args, &after);
            std::string_view type = after;
            if (!args.empty() && args.front() != '"') {
                // Unquoted: the name runs up to the type, the last word, when there is one.
                const std::size_t lastSpace = name.rfind(' ');
                if (lastSpace != std::string_view::npos) {
                    type = name.substr(lastSpace + 1);
                    name = trimmed(name.substr(0, lastSpace));
                }
            }
            if (name.empty() || name.size() > MaxFileNameBytes) return CueSheetError::NotASheet;
            const std::string typeWord = upper(firstWord(type).first);
            if (typeWord == "BINARY" || typeWord == "MOTOROLA") addOnce(sheet.rawFiles, name);
            addOnce(sheet.files, name);
            file = std::string(name);
        } else if (keyword == "TRACK") {
            if (track && !complete(*track)) return CueSheetError::NotASheet;
            if (sheet.tracks.size() == MaxTracks) return CueSheetError::TooManyTracks;
            CueTrack& added = sheet.tracks.emplace_back();
            added.mode = trackMode(firstWord(args).second);
            added.file = file.value_or(std::string());
            added.start = -1;
            track = &added;
        } else if (keyword == "INDEX") {
            if (!track || !file) return CueSheetError::NotASheet;
            const auto [numberText, timeText] = firstWord(args);
            if (timeText.empty()) return CueSheetError::NotASheet;
            const std::optional<int> number = indexNumber(numberText);
            const std::optional<std::int64_t> at = cueTime(timeText);
            if (number == 1 && track->start < 0) {
                if (!at) return CueSheetError::NotASheet;
                track->file = *file;
                track->start = *at;
            }
            if (at && track->firstIndex < 0) {
                track->firstIndexFile = *file;
                track->firstIndex = *at;
            }
        } else if (keyword == "PREGAP") {
            if (track)
                if (const std::optional<std::int64_t> gap = cueTime(args)) track->pregap = *gap;
        } else if (keyword == "TITLE" || keyword == "PERFORMER") {
            std::string value(cutUtf8(quotedValue(args), MaxTitleBytes));
            std::string& field = keyword == "TITLE" ? (track ? track->title : sheet.title)
                                                    : (track ? track->performer : sheet.performer);
            field = std::move(value);
        }
        // REM, POSTGAP, FLAGS, ISRC, CATALOG, SONGWRITER, ...: nothing the plan needs.
    }
    if (sheet.tracks.empty() || !complete(sheet.tracks.back())) return CueSheetError::NotASheet;

    // Within one file the tracks follow each other.
    for (std::size_t i = 1; i < sheet.tracks.size(); ++i) {
        const CueTrack& before = sheet.tracks[i - 1];
        const CueTrack& track = sheet.tracks[i];
        if (before.start >= 0 && track.start >= 0 && before.file == track.file && before.start >= track.start)
            return CueSheetError::NotASheet;
    }
    return sheet;
}

bool sound(const CueTrack& track) { return track.mode != CueTrackMode::Data; }

}  // namespace

std::variant<CueSheet, CueSheetError> parseCueSheet(std::string_view bytes)
{
    const std::optional<std::string> text = decodeText(bytes, TextEncoding::Utf8OrShiftJisOrWindows1252);
    if (!text || text->find('\0') != std::string::npos) return CueSheetError::NotText;
    return parseLines(withoutControlCharacters(*text));
}

std::vector<std::string> cueFiles(const CueSheet& sheet)
{
    std::vector<std::string> files;
    for (const CueTrack& track : sheet.tracks)
        if (sound(track)) addOnce(files, track.file);
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
        if (!sound(track)) continue;
        // Where the next track begins within this file, if it does.
        std::int64_t end = -1;
        if (i + 1 < sheet.tracks.size()) {
            const CueTrack& next = sheet.tracks[i + 1];
            if (sound(next) && next.file == track.file)
                end = next.start;
            else if (!sound(next) && next.firstIndex >= 0 && next.firstIndexFile == track.file)
                end = next.firstIndex;
        }
        std::int64_t milliseconds = 0;
        if (end >= 0)
            milliseconds = (end - track.start) * 1000 / CueFramesPerSecond;
        else
            milliseconds = fileMilliseconds(track.file) - track.start * 1000 / CueFramesPerSecond;
        if (milliseconds <= 0) return track.file;
        list.tracks.push_back({milliseconds,
                               track.title,
                               track.performer.empty() ? sheet.performer : track.performer,
                               {AudioSource::Kind::File, track.file, track.start, end, 0}});
    }
    return list;
}

}  // namespace vantoli
