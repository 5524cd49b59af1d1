#include "core/tape_check_text.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include <nlohmann/json.hpp>

#include "core/json_number.h"
#include "core/language.h"

namespace vantoli {

namespace {

using Json = nlohmann::ordered_json;

std::string number(const char* format, double value)
{
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

const char* clipName(ClipKind kind) { return kind == ClipKind::FlatTop ? "flatTop" : "saturation"; }

// A value of the check that is not what vantoli-plan writes (a track number of 1e300 or 2.5, a level
// past what a float holds): the report that holds it is not read.
struct NotACheck {};

int trackNumber(const Json& value)
{
    const std::optional<std::int64_t> number =
        wholeNumber(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    if (!number) throw NotACheck{};
    return static_cast<int>(*number);
}

// A level of the drawn curve, in dB.
float levelOf(const Json& value)
{
    const double db = value.get<double>();
    if (!(std::abs(db) <= 1e6)) throw NotACheck{};
    return static_cast<float>(db);
}

}  // namespace

std::string recordingTimeText(double seconds)
{
    const auto total = static_cast<long long>(std::llround(std::fabs(seconds) * 1000));
    char text[40];
    std::snprintf(text, sizeof text, "%s%lld:%02lld.%03lld", seconds < 0 && total > 0 ? "-" : "", total / 60000,
                  total / 1000 % 60, total % 1000);
    return text;
}

SideCheckRecord sideCheckRecord(const TapeCheck& check, std::string date)
{
    return {std::move(date), check.speedPercent, static_cast<int>(check.dropouts.size()),
            static_cast<int>(check.clipped.size()), check.cutSeconds};
}

std::string tapeCheckLines(const TapeCheck& check, bool sideB)
{
    std::string out = fill(_("＜%1のテープの点検＞"), {sideB ? _("B面") : _("A面")}) + "\n";
    out += fill(_("  面の始まり    録音の %1"), {recordingTimeText(check.offsetSeconds)}) + "\n";
    out += fill(_("  速度          %1 %"), {number("%+.2f", std::fabs(check.speedPercent) < 0.005 ? 0.0 : check.speedPercent)}) + "\n";
    for (const TrackOnTape& track : check.tracks) {
        const std::string level = track.levelDb ? number("%+.1f dB", *track.levelDb) : _("（テープにありません）");
        out += fill(_("  トラック %1    %2    %3"), {std::to_string(track.track), recordingTimeText(track.startSeconds), level}) +
               "\n";
    }
    for (const TapeDropout& dropout : check.dropouts)
        out += fill(_("  ドロップアウト  %1    %2 ms    %3 dB 低い"),
                    {recordingTimeText(dropout.atSeconds), number("%.0f", dropout.milliseconds), number("%.1f", dropout.depthDb)}) +
               "\n";
    for (const ClippedStretch& clip : check.clipped)
        out += fill(clip.kind == ClipKind::FlatTop ? _("  クリップ      %1    %2 ms（録音がフルスケールで平ら）")
                                                   : _("  飽和          %1    %2 ms（テープのレベルがプログラムについていかない）"),
                    {recordingTimeText(clip.atSeconds), number("%.0f", clip.milliseconds)}) +
               "\n";
    if (check.cutSeconds > 0)
        out += fill(_("  途切れ        %1 から最後の %2 秒がありません（トラック %3）"),
                    {recordingTimeText(check.cutAtSeconds), number("%.1f", check.cutSeconds), std::to_string(check.cutTrack)}) +
               "\n";
    out += tapeCheckAdvice(check) + "\n";
    return out;
}

std::string tapeCheckAdvice(const TapeCheck& check)
{
    std::string advice;
    const auto add = [&](const std::string& sentence) { advice += (advice.empty() || currentLanguage() == Language::Japanese ? "" : " ") + sentence; };
    if (check.cutSeconds > 0)
        add(fill(_("トラック %1 の途中で面が終わっています（%2 秒足りません）。長いテープを使うか、曲を減らしてください。"),
                 {std::to_string(check.cutTrack), number("%.1f", check.cutSeconds)}));
    if (!check.dropouts.empty())
        add(fill(_("ドロップアウトが %1 か所あります。ヘッドとテープの通り道を掃除するか、別のテープで録り直してください。"),
                 {std::to_string(check.dropouts.size())}));
    bool flat = false, saturated = false;
    for (const ClippedStretch& clip : check.clipped) (clip.kind == ClipKind::FlatTop ? flat : saturated) = true;
    if (flat) add(_("再生の録音がクリップしています。録音する入力のレベルを下げてください。"));
    if (saturated) add(_("テープが飽和しています。録音レベルを下げてダビングし直してください。"));
    if (std::fabs(check.speedPercent) >= 1.0)
        add(fill(check.speedPercent > 0 ? _("テープは %1 % 速く再生されています。デッキの速度を確かめてください。")
                                        : _("テープは %1 % 遅く再生されています。デッキの速度を確かめてください。"),
                 {number("%.1f", std::fabs(check.speedPercent))}));
    if (advice.empty()) add(_("テープには面がそのまま入っています。"));
    return advice;
}

std::string tapeCheckJson(const TapeCheck& check, bool sideB, bool levels)
{
    Json tracks = Json::array();
    for (const TrackOnTape& track : check.tracks)
        tracks.push_back({{"track", track.track},
                          {"startSeconds", track.startSeconds},
                          {"levelDb", track.levelDb ? Json(*track.levelDb) : Json(nullptr)}});
    Json dropouts = Json::array();
    for (const TapeDropout& dropout : check.dropouts)
        dropouts.push_back(
            {{"atSeconds", dropout.atSeconds}, {"milliseconds", dropout.milliseconds}, {"depthDb", dropout.depthDb}});
    Json clipped = Json::array();
    for (const ClippedStretch& clip : check.clipped)
        clipped.push_back({{"atSeconds", clip.atSeconds}, {"milliseconds", clip.milliseconds}, {"kind", clipName(clip.kind)}});
    Json json{{"side", sideB ? "B" : "A"},
              {"offsetSeconds", check.offsetSeconds},
              {"speedPercent", check.speedPercent},
              {"tracks", tracks},
              {"dropouts", dropouts},
              {"clipped", clipped},
              {"cutSeconds", check.cutSeconds},
              {"cutTrack", check.cutTrack > 0 ? Json(check.cutTrack) : Json(nullptr)},
              {"cutAtSeconds", check.cutSeconds > 0 ? Json(check.cutAtSeconds) : Json(nullptr)},
              {"recordingSeconds", check.recordingSeconds},
              {"noiseFloorDb", std::isfinite(check.noiseFloorDb) ? Json(check.noiseFloorDb) : Json(nullptr)},
              {"advice", tapeCheckAdvice(check)}};
    if (levels) {
        Json points = Json::array();
        for (const LevelPoint& point : check.levels) points.push_back({point.seconds, point.programDb, point.tapeDb});
        json["levels"] = points;
    }
    return json.dump(2) + "\n";
}

std::optional<TapeCheck> parseTapeCheckJson(std::string_view text)
{
    const Json json = Json::parse(text, nullptr, false);
    if (!json.is_object()) return std::nullopt;
    try {
        TapeCheck check;
        check.offsetSeconds = json.at("offsetSeconds").get<double>();
        check.speedPercent = json.at("speedPercent").get<double>();
        for (const Json& item : json.at("tracks")) {
            TrackOnTape track{trackNumber(item.at("track")), item.at("startSeconds").get<double>(), std::nullopt};
            if (!item.at("levelDb").is_null()) track.levelDb = item.at("levelDb").get<double>();
            check.tracks.push_back(track);
        }
        for (const Json& item : json.at("dropouts"))
            check.dropouts.push_back({item.at("atSeconds").get<double>(), item.at("milliseconds").get<double>(),
                                      item.at("depthDb").get<double>()});
        for (const Json& item : json.at("clipped"))
            check.clipped.push_back({item.at("atSeconds").get<double>(), item.at("milliseconds").get<double>(),
                                     item.at("kind").get<std::string>() == "flatTop" ? ClipKind::FlatTop : ClipKind::Saturation});
        check.cutSeconds = json.at("cutSeconds").get<double>();
        if (!json.at("cutTrack").is_null()) check.cutTrack = trackNumber(json.at("cutTrack"));
        if (!json.at("cutAtSeconds").is_null()) check.cutAtSeconds = json.at("cutAtSeconds").get<double>();
        check.recordingSeconds = json.at("recordingSeconds").get<double>();
        if (json.contains("levels"))
            for (const Json& point : json.at("levels"))
                check.levels.push_back({levelOf(point.at(0)), levelOf(point.at(1)), levelOf(point.at(2))});
        return check;
    } catch (const Json::exception&) {
        return std::nullopt;
    } catch (const NotACheck&) {
        return std::nullopt;
    }
}

}  // namespace vantoli
