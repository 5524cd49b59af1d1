#include "core/tape_lineup.h"
#include "core/language.h"

#include <algorithm>
#include <string>

namespace vantoli {

const Lineup& standardLineup()
{
    static const Lineup lineup = [] {
        Lineup tapes;
        for (int minutes : StandardTapeMinutes) tapes.push_back({minutes, sideCapacity(minutes)});
        return tapes;
    }();
    return lineup;
}

bool isUsableLineup(const Lineup& lineup)
{
    if (lineup.empty()) return false;
    const Tape* previous = nullptr;
    for (const Tape& tape : lineup) {
        if (tape.minutes < ShortestTapeMinutes || tape.minutes > LongestTapeMinutes) return false;
        if (tape.sideCapacity < 1 || tape.sideCapacity > LargestSideCapacity) return false;
        if (previous && (tape.minutes <= previous->minutes || tape.sideCapacity <= previous->sideCapacity))
            return false;
        previous = &tape;
    }
    return true;
}

namespace {

Message tapeMessage(std::string text) { return {_("テープの種類"), std::move(text), MessageIcon::Exclamation}; }

std::string tapeName(int minutes) { return fill(_("%1分テープ"), {std::to_string(minutes)}); }

}  // namespace

std::vector<TapeChoice> standardTapeChoices()
{
    std::vector<TapeChoice> choices;
    for (const Tape& tape : standardLineup()) choices.push_back({tape.minutes, tape.sideCapacity, true});
    return choices;
}

bool isStandardLength(int minutes)
{
    return std::find(StandardTapeMinutes.begin(), StandardTapeMinutes.end(), minutes) != StandardTapeMinutes.end();
}

std::optional<TapeChoiceProblem> checkTapeChoices(const std::vector<TapeChoice>& choices)
{
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const TapeChoice& c = choices[i];
        if (c.minutes < ShortestTapeMinutes || c.minutes > LongestTapeMinutes)
            return TapeChoiceProblem{i, tapeMessage(fill(_("テープの長さは %1～%2 分にしてください。"),
                                                         {std::to_string(ShortestTapeMinutes),
                                                          std::to_string(LongestTapeMinutes)}))};
        if (i > 0 && c.minutes <= choices[i - 1].minutes)
            return TapeChoiceProblem{i, tapeMessage(fill(_("%1が一覧の中で重なっているか、順序が違います。"),
                                                         {tapeName(c.minutes)}))};
        if (c.sideCapacity < 1 || c.sideCapacity > LargestSideCapacity)
            return TapeChoiceProblem{i, tapeMessage(fill(_("%1の片面の時間は 1～%2 秒にしてください。"),
                                                         {tapeName(c.minutes), std::to_string(LargestSideCapacity)}))};
    }
    const auto owned = std::find_if(choices.begin(), choices.end(), [](const TapeChoice& c) { return c.owned; });
    if (owned == choices.end())
        return TapeChoiceProblem{0, tapeMessage(_("使うテープに 1 つ以上チェックを付けてください。"))};
    const TapeChoice* shorter = &*owned;
    for (std::size_t i = static_cast<std::size_t>(owned - choices.begin()) + 1; i < choices.size(); ++i) {
        const TapeChoice& c = choices[i];
        if (!c.owned) continue;
        if (c.sideCapacity <= shorter->sideCapacity)
            return TapeChoiceProblem{i, tapeMessage(
                                            fill(_("%1の片面の時間（%2 秒）を、%3（%4 秒）より長くしてください。"),
                                                 {tapeName(c.minutes), std::to_string(c.sideCapacity),
                                                  tapeName(shorter->minutes), std::to_string(shorter->sideCapacity)}))};
        shorter = &c;
    }
    return std::nullopt;
}

std::optional<Message> addTapeChoice(std::vector<TapeChoice>& choices, int minutes)
{
    if (minutes < ShortestTapeMinutes || minutes > LongestTapeMinutes)
        return tapeMessage(fill(_("追加できるテープの長さは %1～%2 分です。"),
                                {std::to_string(ShortestTapeMinutes), std::to_string(LongestTapeMinutes)}));
    const auto place =
        std::find_if(choices.begin(), choices.end(), [&](const TapeChoice& c) { return c.minutes >= minutes; });
    if (place != choices.end() && place->minutes == minutes)
        return tapeMessage(fill(_("%1はもう一覧にあります。"), {tapeName(minutes)}));
    choices.insert(place, {minutes, sideCapacity(minutes), true});
    return std::nullopt;
}

Lineup lineupOf(const std::vector<TapeChoice>& choices)
{
    Lineup lineup;
    for (const TapeChoice& c : choices)
        if (c.owned) lineup.push_back({c.minutes, c.sideCapacity});
    return lineup;
}

Message unreadableTapesMessage(const std::string& file)
{
    return tapeMessage(fill(_("保存されているテープの種類を読み込めませんでした。\r"
                              "標準の 14 種類のテープ（10～100分）で計算します。\r設定ファイル： %1"),
                            {file}));
}

Message unsavedTapesMessage(const std::string& file)
{
    return tapeMessage(
        fill(_("テープの種類を保存できませんでした。\r次に起動したときは、前の設定に戻ります。\r設定ファイル： %1"),
             {file}));
}

}  // namespace vantoli
