#include "core/label_content.h"

#include "core/language.h"
#include "core/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <tuple>

#include "core/tape_lineup.h"
#include "core/time_text.h"

namespace vantoli {

namespace {

int saturated(std::int64_t value)
{
    return static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int trackSeconds(const MadePlan& made, int number)
{
    if (number < 1 || static_cast<std::size_t>(number) > made.trackSeconds.size()) return 0;
    return std::max(0, made.trackSeconds[static_cast<std::size_t>(number) - 1]);
}

std::string trackTitle(const MadePlan& made, int number)
{
    if (number < 1 || static_cast<std::size_t>(number) > made.titles.tracks.size()) return {};
    return withoutControlCharacters(made.titles.tracks[static_cast<std::size_t>(number) - 1].title);
}

LabelSide labelSide(const MadePlan& made, const std::vector<int>& numbers, int capacity)
{
    const std::int64_t gap = std::max(0, made.gap);
    LabelSide side;
    std::int64_t at = 0;  // where the next track starts
    std::int64_t end = 0;
    for (const int number : numbers) {
        LabelTrack track;
        track.number = number;
        track.title = trackTitle(made, number);
        track.seconds = trackSeconds(made, number);
        track.start = saturated(at);
        end = at + track.seconds;
        at = end + gap;
        side.tracks.push_back(std::move(track));
    }
    side.playing = saturated(end);
    side.left = saturated(static_cast<std::int64_t>(capacity) - end);
    return side;
}

// A track is the same on two labels when its number, its length and its title from the source agree.
using TrackKey = std::tuple<int, int, std::string>;

TrackKey keyOf(const LabelTrack& track) { return {track.number, track.seconds, track.title}; }

void collectTyped(std::map<TrackKey, std::string>& typedTitles, const LabelSide& before, const LabelSide& typed)
{
    const std::size_t both = std::min(before.tracks.size(), typed.tracks.size());
    for (std::size_t i = 0; i < both; ++i) typedTitles.emplace(keyOf(before.tracks[i]), typed.tracks[i].title);
}

void applyTyped(LabelSide& fresh, const std::map<TrackKey, std::string>& typedTitles)
{
    for (LabelTrack& track : fresh.tracks)
        if (const auto found = typedTitles.find(keyOf(track)); found != typedTitles.end()) track.title = found->second;
}

}  // namespace

LabelContent labelContent(const MadePlan& made)
{
    LabelContent label;
    label.tapeMinutes = made.plan.tapeMinutes;
    // The one place that decides how much a side of the chosen tape holds: what the plan's tape holds
    // (the user may have measured it), or the standard capacity for a plan that does not say.
    label.sideCapacity = made.plan.sideCapacity > 0 ? made.plan.sideCapacity : sideCapacity(made.plan.tapeMinutes);
    label.sideA = labelSide(made, made.plan.sideA, label.sideCapacity);
    label.sideB = labelSide(made, made.plan.sideB, label.sideCapacity);
    label.title = withoutControlCharacters(made.titles.album);
    label.artist = withoutControlCharacters(made.titles.artist);
    if (made.setTapes > 1 && made.setTape >= 1 && made.setTape <= made.setTapes) {
        label.setTape = made.setTape;
        label.setTapes = made.setTapes;
    }
    return label;
}

void fillCounterReadings(LabelContent& label, const std::optional<CounterCalibration>& calibration)
{
    for (LabelSide* side : {&label.sideA, &label.sideB})
        for (LabelTrack& track : side->tracks)
            track.counter = calibration ? std::optional<int>(counterAt(*calibration, track.start)) : std::nullopt;
}

std::string setPlaceText(const LabelContent& label)
{
    if (label.setTapes <= 1 || label.setTape < 1 || label.setTape > label.setTapes) return {};
    return std::to_string(label.setTape) + "/" + std::to_string(label.setTapes);
}

void keepTypedTexts(LabelContent& fresh, const LabelContent& before, const LabelContent& typed)
{
    // A track may change sides between two plans: the titles are looked up over both sides.
    std::map<TrackKey, std::string> typedTitles;
    collectTyped(typedTitles, before.sideA, typed.sideA);
    collectTyped(typedTitles, before.sideB, typed.sideB);
    applyTyped(fresh.sideA, typedTitles);
    applyTyped(fresh.sideB, typedTitles);

    if (fresh.title == before.title) fresh.title = typed.title;
    if (fresh.artist == before.artist) fresh.artist = typed.artist;
    fresh.note = typed.note;
}

Message noPlanForLabelMessage()
{
    return Message{_("カセットレーベル"),
                   _("まだ構成案がありません。\r"
                     "トラックのタイムを入力して［実行］を押し、構成案を作ってから選んでください。"),
                   MessageIcon::Information};
}

std::string labelTimeText(int seconds) { return minutesSecondsText(seconds); }

}  // namespace vantoli
