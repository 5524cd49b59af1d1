#include "core/deck_check_report.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>

#include "core/language.h"

namespace vantoli {

using nlohmann::json;

namespace {

// A figure with `decimals` decimals, "-0.0" written as "0.0".
std::string decimal(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    if (result.find_first_not_of("-0.") == std::string::npos && result.front() == '-') result.erase(0, 1);
    return result;
}

std::string signedDecimal(double value, int decimals)
{
    const std::string text = decimal(value, decimals);
    return text.front() == '-' || text.find_first_not_of("0.") == std::string::npos ? text : "+" + text;
}

// A third-octave centre as the bands are called: "31.5", "400", "1.25k", "16k".
std::string bandName(double hz)
{
    char text[32];
    if (hz >= 1000)
        std::snprintf(text, sizeof text, "%gk", hz / 1000);
    else
        std::snprintf(text, sizeof text, "%g", hz);
    return text;
}

double rounded(double value, double step)
{
    const double result = std::round(value / step) * step;
    return result == 0 ? 0.0 : result;  // never "-0.0"
}

std::string partLabel(DeckTestPart part)
{
    switch (part) {
    case DeckTestPart::Level: return _("レベル（400 Hz）");
    case DeckTestPart::Speed: return _("速度とワウ・フラッター（3150 Hz）");
    case DeckTestPart::Azimuth: return _("アジマス（1 kHz と 10 kHz）");
    case DeckTestPart::Response: return _("周波数特性");
    case DeckTestPart::Noise: return _("無音（ノイズ）");
    }
    return {};
}

template <typename T>
std::optional<T> number(const json& object, const char* key)
{
    const auto found = object.find(key);
    if (found == object.end() || !found->is_number()) return std::nullopt;
    return found->get<T>();
}

}  // namespace

std::string deckCheckJson(const DeckCheckResult& result)
{
    json out = json::object();
    json missing = json::array();
    for (DeckTestPart part : result.missing) missing.push_back(std::string(deckTestPartName(part)));
    out["missing"] = missing;
    if (result.speed) {
        out["toneHz"] = rounded(result.speed->hz, 0.001);
        out["speedPercent"] = rounded(result.speed->speedPercent, 0.0001);
        out["driftPercent"] = rounded(result.speed->driftPercent, 0.0001);
    }
    if (result.wowFlutter)
        out["wowFlutter"] = {{"weightedPeak", rounded(result.wowFlutter->weightedPeak, 0.0001)},
                             {"weightedRms", rounded(result.wowFlutter->weightedRms, 0.0001)},
                             {"unweightedPeak", rounded(result.wowFlutter->unweightedPeak, 0.0001)}};
    if (result.levels)
        out["levels"] = {{"left", rounded(result.levels->left, 0.01)},
                         {"right", rounded(result.levels->right, 0.01)},
                         {"balance", rounded(result.levels->balance, 0.01)}};
    if (result.azimuth)
        out["azimuth"] = {{"microseconds", rounded(result.azimuth->microseconds, 0.01)},
                          {"degrees", rounded(result.azimuth->degrees, 0.1)}};
    if (!result.response.empty()) {
        json bands = json::array();
        for (const DeckBand& band : result.response) bands.push_back({{"hz", band.hz}, {"db", rounded(band.db, 0.01)}});
        out["response"] = bands;
        out["upper3dbHz"] = result.upper3dbHz ? json(std::round(*result.upper3dbHz)) : json(nullptr);
    }
    if (result.noise) {
        json noise = {{"dbfs", rounded(result.noise->dbfs, 0.01)},
                      {"aWeightedDbfs", rounded(result.noise->aWeightedDbfs, 0.01)}};
        if (result.noise->snrDb) noise["snrDb"] = rounded(*result.noise->snrDb, 0.01);
        if (result.noise->snrADb) noise["snrADb"] = rounded(*result.noise->snrADb, 0.01);
        out["noise"] = noise;
    }
    return out.dump();
}

std::optional<DeckCheckResult> deckCheckFromJson(const std::string& text)
{
    const json in = json::parse(text, nullptr, false);
    if (!in.is_object()) return std::nullopt;
    DeckCheckResult result;
    if (const auto missing = in.find("missing"); missing != in.end() && missing->is_array())
        for (const json& name : *missing)
            for (DeckTestPart part : DeckTestParts)
                if (name.is_string() && name.get<std::string>() == deckTestPartName(part)) result.missing.push_back(part);
    if (const auto speed = number<double>(in, "speedPercent")) {
        result.speed = DeckSpeed{number<double>(in, "toneHz").value_or(0), *speed,
                                 number<double>(in, "driftPercent").value_or(0)};
    }
    if (const auto w = in.find("wowFlutter"); w != in.end() && w->is_object())
        result.wowFlutter = DeckWowFlutter{number<double>(*w, "weightedPeak").value_or(0),
                                           number<double>(*w, "weightedRms").value_or(0),
                                           number<double>(*w, "unweightedPeak").value_or(0)};
    if (const auto l = in.find("levels"); l != in.end() && l->is_object())
        result.levels = DeckLevels{number<double>(*l, "left").value_or(0), number<double>(*l, "right").value_or(0),
                                   number<double>(*l, "balance").value_or(0)};
    if (const auto a = in.find("azimuth"); a != in.end() && a->is_object())
        result.azimuth =
            DeckAzimuth{number<double>(*a, "microseconds").value_or(0), number<double>(*a, "degrees").value_or(0)};
    if (const auto r = in.find("response"); r != in.end() && r->is_array()) {
        for (const json& band : *r) {
            if (!band.is_object()) continue;
            const auto hz = number<double>(band, "hz");
            const auto db = number<double>(band, "db");
            if (hz && db) result.response.push_back({*hz, *db});
        }
        result.upper3dbHz = number<double>(in, "upper3dbHz");
    }
    if (const auto n = in.find("noise"); n != in.end() && n->is_object())
        result.noise = DeckNoise{number<double>(*n, "dbfs").value_or(-150),
                                 number<double>(*n, "aWeightedDbfs").value_or(-150), number<double>(*n, "snrDb"),
                                 number<double>(*n, "snrADb")};
    return result;
}

std::string deckMissingText(const std::vector<DeckTestPart>& missing)
{
    std::string parts;
    for (DeckTestPart part : missing) parts += (parts.empty() ? "" : _("、")) + partLabel(part);
    return fill(_("録音の中に見つからない部分があります： %1"), {parts});
}

std::string deckCheckText(const DeckCheckResult& result)
{
    std::string text;
    const auto line = [&](const std::string& each) { text += each + "\n"; };
    if (result.speed) {
        line(fill(_("速度： %1 %（%2 Hz）"), {signedDecimal(result.speed->speedPercent, 3), decimal(result.speed->hz, 2)}));
        line(fill(_("速度の変化（最初と最後の 5 秒）： %1 %"), {signedDecimal(result.speed->driftPercent, 3)}));
    }
    if (result.wowFlutter)
        line(fill(_("ワウ・フラッター： ±%1 %（聴感補正ピーク）、%2 %（聴感補正 RMS）、±%3 %（補正なしピーク）"),
                  {decimal(result.wowFlutter->weightedPeak, 3), decimal(result.wowFlutter->weightedRms, 3),
                   decimal(result.wowFlutter->unweightedPeak, 3)}));
    if (result.levels)
        line(fill(_("レベル： L %1 dB、R %2 dB、バランス（R−L） %3 dB"),
                  {signedDecimal(result.levels->left, 2), signedDecimal(result.levels->right, 2),
                   signedDecimal(result.levels->balance, 2)}));
    if (result.azimuth)
        line(fill(_("アジマス： R が L より %1 µs 遅れ（10 kHz で %2°）"),
                  {signedDecimal(result.azimuth->microseconds, 1), signedDecimal(result.azimuth->degrees, 0)}));
    if (!result.response.empty()) {
        std::string bands;
        for (const DeckBand& band : result.response)
            bands += (bands.empty() ? "" : "  ") + bandName(band.hz) + " " + signedDecimal(band.db, 1);
        line(fill(_("周波数特性（400 Hz 基準、dB）： %1"), {bands}));
        line(result.upper3dbHz ? fill(_("高域の -3 dB： %1 Hz"), {decimal(*result.upper3dbHz, 0)})
                               : std::string(_("高域の -3 dB： 16 kHz より上")));
    }
    if (result.noise) {
        line(fill(_("ノイズ： %1 dBFS（補正なし）、%2 dBFS（A 補正）"),
                  {decimal(result.noise->dbfs, 1), decimal(result.noise->aWeightedDbfs, 1)}));
        if (result.noise->snrDb && result.noise->snrADb)
            line(fill(_("S/N（400 Hz -10 dBFS に対して）： %1 dB、A 補正 %2 dB"),
                      {decimal(*result.noise->snrDb, 1), decimal(*result.noise->snrADb, 1)}));
    }
    if (!result.missing.empty()) line(deckMissingText(result.missing));
    return text;
}

std::vector<std::string> deckCheckAdvice(const DeckCheckResult& result)
{
    std::vector<std::string> advice;
    if (result.speed && std::abs(result.speed->speedPercent) >= 0.3) {
        const double percent = result.speed->speedPercent;
        // A C90 side is 45 minutes: a deck that runs p % fast plays it about 27 p seconds short.
        const std::string seconds = std::to_string(std::lround(std::abs(percent) * 45 * 60 / 100));
        advice.push_back(percent > 0 ? fill(_("デッキの速度が %1 % 速めです。C90 の片面で約 %2 秒短くなります。"),
                                            {decimal(percent, 1), seconds})
                                     : fill(_("デッキの速度が %1 % 遅めです。C90 の片面で約 %2 秒長くなります。"),
                                            {decimal(-percent, 1), seconds}));
    }
    if (result.speed && std::abs(result.speed->driftPercent) >= 0.2)
        advice.push_back(fill(_("再生中に速度が %1 % 変わります。ベルトの伸びや滑りを点検してください。"),
                              {signedDecimal(result.speed->driftPercent, 2)}));
    if (result.wowFlutter && result.wowFlutter->weightedPeak >= 0.15)
        advice.push_back(fill(_("ワウ・フラッターが ±%1 % と大きめです。ピンチローラーとキャプスタンを清掃し、ベルトを点検してください。"),
                              {decimal(result.wowFlutter->weightedPeak, 2)}));
    if (result.azimuth && std::abs(result.azimuth->microseconds) >= 5)
        advice.push_back(fill(_("アジマスが %1 µs ずれています。ほかのデッキで再生すると高音が失われます。"),
                              {decimal(std::abs(result.azimuth->microseconds), 0)}));
    if (result.levels && std::abs(result.levels->balance) >= 1)
        advice.push_back(fill(_("左右のレベルが %1 dB 違います（%2 が小さめ）。"),
                              {decimal(std::abs(result.levels->balance), 1),
                               result.levels->balance < 0 ? std::string("R") : std::string("L")}));
    if (result.levels && (result.levels->left + result.levels->right) / 2 <= -3)
        advice.push_back(fill(_("録音レベルが %1 dB 低めです。録音レベルを上げてください。"),
                              {decimal(-(result.levels->left + result.levels->right) / 2, 1)}));
    if (!result.response.empty() && result.upper3dbHz && *result.upper3dbHz < 10000)
        advice.push_back(fill(_("高音が %1 kHz から落ちています。ヘッドを清掃し、テープの種類とバイアスの設定を確かめてください。"),
                              {decimal(*result.upper3dbHz / 1000, 1)}));
    if (result.noise && result.noise->snrADb && *result.noise->snrADb < 45)
        advice.push_back(fill(_("ノイズが多めです（S/N %1 dB）。ドルビー NR の設定とテープを確かめてください。"),
                              {decimal(*result.noise->snrADb, 0)}));
    if (!result.missing.empty()) advice.push_back(deckMissingText(result.missing));
    if (advice.empty()) advice.push_back(_("問題は見つかりませんでした。このデッキでそのまま録音できます。"));
    return advice;
}

}  // namespace vantoli
