#include "cli/plan_output.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "core/label_content.h"
#include "core/language.h"
#include "core/plan_report.h"
#include "core/text_encoding.h"
#include "core/time_text.h"

namespace vantoli::cli {

namespace {

MadePlan madePlan(const PlannedTape& planned)
{
    return MadePlan{planned.longDisc.plan, planned.seconds, planned.options.gap ? GapSeconds : 0, planned.titles};
}

const Track* sourceTrack(const PlannedTape& planned, int number)
{
    if (number < 1 || static_cast<std::size_t>(number) > planned.titles.tracks.size()) return nullptr;
    return &planned.titles.tracks[static_cast<std::size_t>(number) - 1];
}

// "曲名", "曲名 — アーティスト" when the track's artist is not the album's, "（無題） — アーティスト".
std::string trackName(const PlannedTape& planned, const LabelTrack& track)
{
    const Track* source = sourceTrack(planned, track.number);
    const std::string artist =
        source && source->artist != planned.titles.artist ? shownText(source->artist) : std::string();
    if (track.title.empty() && artist.empty()) return {};
    std::string name = track.title.empty() ? _("（無題）") : shownText(track.title);
    if (!artist.empty()) name += " — " + artist;
    return name;
}

constexpr const char* Indent = "  ";
constexpr const char* Columns = "  ";

// The columns a text takes on a terminal: the wide characters (CJK, full-width forms) two each.
std::size_t columnsOf(std::string_view text)
{
    std::size_t columns = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                          (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                          (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6);
        columns += wide ? 2 : 1;
        i += length;
    }
    return columns;
}

// The text right-aligned in `width` columns; a wider text is written whole.
std::string padded(std::string_view text, std::size_t width)
{
    const std::size_t columns = columnsOf(text);
    return (columns >= width ? std::string() : std::string(width - columns, ' ')) + std::string(text);
}

// The headings of the track table; a column is as wide as its heading or its widest value.
struct Headings {
    const char* number = _("番号");
    const char* start = _("開始");
    const char* length = _("長さ");
    const char* title = _("タイトル");
    std::size_t numberWidth = columnsOf(number);
    std::size_t timeWidth = std::max(columnsOf(start), columnsOf(length));
};

void writeSide(std::string& out, const PlannedTape& planned, const char* heading, const LabelSide& side, int seconds,
               int blank, const Headings& headings, std::size_t timeWidth, bool titled)
{
    out += heading;
    out += '\n';
    if (side.tracks.empty()) {
        out += Indent;
        out += _("（曲なし）");
        out += '\n';
    } else {
        out += Indent + padded(headings.number, headings.numberWidth);
        out += Columns + padded(headings.start, timeWidth);
        out += Columns + padded(headings.length, timeWidth);
        if (titled) out += std::string(Columns) + headings.title;
        out += '\n';
        for (const LabelTrack& track : side.tracks) {
            std::string line = Indent + padded(std::to_string(track.number), headings.numberWidth);
            line += Columns + padded(labelTimeText(track.start), timeWidth);
            line += Columns + padded(labelTimeText(track.seconds), timeWidth);
            if (const std::string name = trackName(planned, track); !name.empty()) line += Columns + name;
            out += line + '\n';
        }
    }
    out += fill(_("トータル： %1   ブランク： %2   残り： %3"),
                {labelTimeText(seconds), labelTimeText(blank), labelTimeText(side.left)});
    out += '\n';
}

}  // namespace

std::string shownText(std::string_view text)
{
    std::string shown;
    for (const char c : validUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            shown += "\xEF\xBF\xBD";  // U+FFFD
        else
            shown += c;
    }
    return shown;
}

std::string lfLines(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
            continue;
        }
        out += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return out;
}

std::string planText(const PlannedTape& planned)
{
    const TapePlan& plan = planned.longDisc.plan;
    const LabelContent label = labelContent(madePlan(planned));

    std::string out =
        fill(_("使用するテープ： %1（片面 %2）"), {tapeCaption(label.tapeMinutes), labelTimeText(label.sideCapacity)}) +
        "\n";
    out += fill(_("総トラック数： %1"), {std::to_string(planned.longDisc.trackCount)}) + "\n";
    const std::string album = shownText(planned.titles.album);
    const std::string artist = shownText(planned.titles.artist);
    if (!album.empty()) out += fill(_("アルバム： %1"), {album + (artist.empty() ? "" : " — " + artist)}) + "\n";
    if (album.empty() && !artist.empty()) out += fill(_("アーティスト： %1"), {artist}) + "\n";
    if (plan.exchange)
        out += fill(_("入れ替え： トラック %1 を B面へ、トラック %2 を A面へ"),
                    {std::to_string(plan.exchange->outgoingA + 1), std::to_string(plan.exchange->outgoingB + 1)}) +
               "\n";

    const Headings headings;
    std::size_t timeWidth = headings.timeWidth;
    bool titled = false;
    for (const LabelSide* side : {&label.sideA, &label.sideB})
        for (const LabelTrack& track : side->tracks) {
            timeWidth = std::max({timeWidth, labelTimeText(track.start).size(), labelTimeText(track.seconds).size()});
            titled = titled || !trackName(planned, track).empty();
        }

    out += '\n';
    writeSide(out, planned, _("＜A面＞"), label.sideA, plan.sideATime, plan.sideABlank, headings, timeWidth, titled);
    out += '\n';
    writeSide(out, planned, _("＜B面＞"), label.sideB, plan.sideBTime, plan.sideBBlank, headings, timeWidth, titled);
    out += '\n';
    out += _("＜両面＞");
    out += '\n';
    out += fill(_("トータル： %1   ブランク： %2"),
                {labelTimeText(planned.longDisc.total), labelTimeText(plan.totalBlank)});
    out += '\n';
    return out;
}

std::string reportText(const PlannedTape& planned, bool crlf)
{
    const std::string report = PlanReportText(planned.longDisc);
    return crlf ? report : lfLines(report);
}

std::string planJson(const PlannedTape& planned)
{
    using Json = nlohmann::ordered_json;  // members in the order written
    const auto text = [](const std::string& bytes) { return validUtf8(bytes); };
    const auto tape = [](int minutes, int sideCapacity) {
        return Json{{"minutes", minutes}, {"sideCapacity", sideCapacity}};
    };
    const TapePlan& plan = planned.longDisc.plan;
    const LabelContent label = labelContent(madePlan(planned));

    Json json;
    json["tape"] = tape(label.tapeMinutes, label.sideCapacity);
    json["trackCount"] = planned.longDisc.trackCount;
    if (!planned.titles.album.empty()) json["album"] = text(planned.titles.album);
    if (!planned.titles.artist.empty()) json["artist"] = text(planned.titles.artist);

    const auto side = [&](const LabelSide& labelSide, int seconds, int blank) {
        Json tracks = Json::array();
        for (const LabelTrack& track : labelSide.tracks) {
            Json item;
            item["number"] = track.number;
            if (!track.title.empty()) item["title"] = text(track.title);
            if (const Track* source = sourceTrack(planned, track.number); source && !source->artist.empty())
                item["artist"] = text(source->artist);
            item["seconds"] = track.seconds;
            item["start"] = track.start;
            tracks.push_back(std::move(item));
        }
        return Json{{"tracks", std::move(tracks)},
                    {"seconds", seconds},
                    {"blank", blank},
                    {"playing", labelSide.playing},
                    {"left", labelSide.left}};
    };
    json["sideA"] = side(label.sideA, plan.sideATime, plan.sideABlank);
    json["sideB"] = side(label.sideB, plan.sideBTime, plan.sideBBlank);
    json["total"] = Json{{"seconds", planned.longDisc.total}, {"blank", plan.totalBlank}};
    json["exchange"] = plan.exchange
                           ? Json{{"toSideB", plan.exchange->outgoingA + 1}, {"toSideA", plan.exchange->outgoingB + 1}}
                           : Json(nullptr);
    json["exact"] = plan.exact;

    Json tapes = Json::array();
    for (const Tape& used : planned.lineup) tapes.push_back(tape(used.minutes, used.sideCapacity));
    json["options"] = Json{{"keepOrder", planned.options.keepOrder},
                           {"gap", planned.options.gap},
                           {"exact", planned.options.exact},
                           {"tapes", std::move(tapes)}};
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace vantoli::cli
