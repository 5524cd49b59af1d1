#include "core/time_text.h"
#include "core/language.h"

namespace vantoli {

std::optional<std::string> timeLabelText(int seconds, int selector)
{
    if (selector < TimeTotal || selector > TBlankTime) return std::nullopt;
    const int minutes = seconds / 60;
    const int rest = seconds - minutes * 60;
    const bool blankLabel = selector == ABlankTime || selector == BBlankTime || selector == TBlankTime;
    std::string text = blankLabel ? "+" : "";
    text += std::to_string(minutes);
    text += rest < 10 ? " : 0" : " : ";
    text += std::to_string(rest);
    return text;
}

std::string minutesSecondsText(std::int64_t seconds)
{
    const std::int64_t magnitude = seconds < 0 ? -seconds : seconds;
    const std::int64_t rest = magnitude % 60;
    return (seconds < 0 ? "-" : "") + std::to_string(magnitude / 60) + (rest < 10 ? ":0" : ":") +
           std::to_string(rest);
}

std::string tapeCaption(int tapeMinutes) { return fill(_("%1分テープ"), {std::to_string(tapeMinutes)}); }

}  // namespace vantoli
