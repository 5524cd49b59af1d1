#include "core/streaming_csv.h"
#include "core/file_names.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/text_encoding.h"

namespace vantoli {

namespace {

using Row = std::vector<std::string>;

// RFC 4180 records: a quoted field runs to its closing quote ("" is a quote inside it) and may hold
// commas and line breaks; a record ends at CR LF, LF or CR outside quotes.
std::vector<Row> csvRecords(std::string_view text)
{
    std::vector<Row> rows;
    Row row;
    std::string field;
    bool quoted = false, fieldStarted = false;
    const auto endField = [&] {
        row.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
    };
    const auto endRow = [&] {
        endField();
        rows.push_back(std::move(row));
        row.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field.push_back(c);
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            endRow();
        } else {
            field.push_back(c);
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.empty() || !row.empty()) endRow();
    return rows;
}

std::string trimmedText(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

// The header names each column is known by, in lower case.
enum Column { Title, Artist, Album, Duration, ColumnCount };
constexpr std::array<std::array<std::string_view, 4>, ColumnCount> ColumnNames{{
    {"track name", "title", "name", "song"},
    {"artist name(s)", "artist name", "artist", "artists"},
    {"album name", "album", "", ""},
    {"track duration (ms)", "duration (ms)", "duration_ms", "duration ms"},
}};

// Several artists are written "A,B" in one field, a comma within a name as "\,".
std::string artistsText(std::string_view field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 1 < field.size() && field[i + 1] == ',') {
            out.push_back(',');
            ++i;
        } else if (field[i] == ',') {
            out += ", ";
            while (i + 1 < field.size() && field[i + 1] == ' ') ++i;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

std::optional<std::int64_t> millisecondsOf(std::string_view field)
{
    const std::string text = trimmedText(field);
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value);
    // Some exports write the length as a decimal ("215000.0").
    if (error != std::errc() || (next != end && *next != '.') || value <= 0) return std::nullopt;
    constexpr std::int64_t Day = 24LL * 60 * 60 * 1000;  // no track is longer
    if (value > Day) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::vector<CsvPlaylistRow>> parseStreamingCsv(std::string_view bytes)
{
    const std::optional<std::string> text = decodeText(bytes, TextEncoding::Utf8OrShiftJis);
    if (!text || text->find('\0') != std::string::npos) return std::nullopt;

    const std::vector<Row> records = csvRecords(*text);
    if (records.empty()) return std::nullopt;
    std::array<std::optional<std::size_t>, ColumnCount> at;
    for (std::size_t c = 0; c < records.front().size(); ++c) {
        const std::string name = asciiLower(trimmedText(records.front()[c]));
        for (std::size_t k = 0; k < ColumnCount; ++k) {
            const auto& names = ColumnNames[k];
            const auto rank = std::find(names.begin(), names.end(), name);
            // Of two columns known by names of one kind the one named first in the list is taken.
            if (name.empty() || rank == names.end()) continue;
            if (!at[k] || std::find(names.begin(), names.end(), asciiLower(trimmedText(records.front()[*at[k]]))) > rank)
                at[k] = c;
        }
    }
    if (!at[Title] || !at[Duration]) return std::nullopt;

    std::vector<CsvPlaylistRow> rows;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const Row& record = records[r];
        if (std::all_of(record.begin(), record.end(), [](const std::string& f) { return trimmedText(f).empty(); }))
            continue;
        const auto field = [&](Column k) -> std::string_view {
            return at[k] && *at[k] < record.size() ? std::string_view(record[*at[k]]) : std::string_view();
        };
        rows.push_back({trimmedText(field(Title)), trimmedText(artistsText(field(Artist))), trimmedText(field(Album)),
                        millisecondsOf(field(Duration))});
    }
    return rows;
}

bool isCsvPlaylistName(std::string_view name)
{
    return extensionOf(name) == "csv";
}

}  // namespace vantoli
