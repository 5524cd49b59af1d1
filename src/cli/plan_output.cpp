#include "cli/plan_output.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "core/label_content.h"
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
    std::string name = track.title.empty() ? "（無題）" : shownText(track.title);
    if (!artist.empty()) name += " — " + artist;
    return name;
}

std::string padded(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

constexpr const char* Indent = "  ";
constexpr const char* Columns = "  ";
constexpr std::size_t NumberWidth = 4;  // as wide as the heading "番号"
constexpr std::size_t HeadingWidth = 4;

void writeSide(std::string& out, const PlannedTape& planned, const char* heading, const LabelSide& side, int seconds,
               int blank, std::size_t timeWidth, bool titled)
{
    out += heading;
    out += '\n';
    if (side.tracks.empty()) {
        out += Indent;
        out += "（曲なし）\n";
    } else {
        out += Indent;
        out += "番号";
        out += Columns + std::string(timeWidth - HeadingWidth, ' ') + "開始";
        out += Columns + std::string(timeWidth - HeadingWidth, ' ') + "長さ";
        if (titled) out += std::string(Columns) + "タイトル";
        out += '\n';
        for (const LabelTrack& track : side.tracks) {
            std::string line = Indent + padded(std::to_string(track.number), NumberWidth);
            line += Columns + padded(labelTimeText(track.start), timeWidth);
            line += Columns + padded(labelTimeText(track.seconds), timeWidth);
            if (const std::string name = trackName(planned, track); !name.empty()) line += Columns + name;
            out += line + '\n';
        }
    }
    out += "トータル： " + labelTimeText(seconds) + "   ブランク： " + labelTimeText(blank) + "   残り： " +
           labelTimeText(side.left) + "\n";
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
        "使用するテープ： " + tapeCaption(label.tapeMinutes) + "（片面 " + labelTimeText(label.sideCapacity) + "）\n";
    out += "総トラック数： " + std::to_string(planned.longDisc.trackCount) + "\n";
    const std::string album = shownText(planned.titles.album);
    const std::string artist = shownText(planned.titles.artist);
    if (!album.empty()) out += "アルバム： " + album + (artist.empty() ? "" : " — " + artist) + "\n";
    if (album.empty() && !artist.empty()) out += "アーティスト： " + artist + "\n";
    if (plan.exchange)
        out += "入れ替え： トラック " + std::to_string(plan.exchange->outgoingA + 1) + " を B面へ、トラック " +
               std::to_string(plan.exchange->outgoingB + 1) + " を A面へ\n";

    std::size_t timeWidth = HeadingWidth;
    bool titled = false;
    for (const LabelSide* side : {&label.sideA, &label.sideB})
        for (const LabelTrack& track : side->tracks) {
            timeWidth = std::max({timeWidth, labelTimeText(track.start).size(), labelTimeText(track.seconds).size()});
            titled = titled || !trackName(planned, track).empty();
        }

    out += '\n';
    writeSide(out, planned, "＜A面＞", label.sideA, plan.sideATime, plan.sideABlank, timeWidth, titled);
    out += '\n';
    writeSide(out, planned, "＜B面＞", label.sideB, plan.sideBTime, plan.sideBBlank, timeWidth, titled);
    out += "\n＜両面＞\n";
    out += "トータル： " + labelTimeText(planned.longDisc.total) + "   ブランク： " + labelTimeText(plan.totalBlank) +
           "\n";
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
