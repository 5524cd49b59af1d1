#include "core/tape_settings.h"
#include "core/file_names.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <optional>
#include <string>

#include "core/language.h"
#include "core/text_encoding.h"
#include "core/trimmed.h"

namespace vantoli {

namespace {

constexpr std::string_view TapesGroup = "Tapes";

// Blanks around the parts of a line; CR LF line ends leave a CR.
constexpr std::string_view LineBlanks = " \t\r";

// A value as written: a quoted one loses its quotes and the backslashes before quoted characters.
std::string unquoted(std::string_view value)
{
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::string(value);
    std::string text;
    for (std::size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\\' && i + 2 < value.size()) ++i;
        text += value[i];
    }
    return text;
}

// Whole numbers only, as a hand-edited file may hold anything.
std::optional<int> number(const std::string& text)
{
    std::string_view digits = trimmed(text, LineBlanks);
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

std::optional<bool> flag(const std::string& text)
{
    // ASCII only: the settings file reads the same under any locale.
    const std::string word = asciiLower(trimmed(text, LineBlanks));
    if (word == "true" || word == "1") return true;
    if (word == "false" || word == "0") return false;
    return std::nullopt;
}

StoredTapeList damaged(std::vector<BadSettingsLine> badLines = {})
{
    return {StoredTapeList::State::Damaged, standardTapeChoices(), std::move(badLines)};
}

// Whether a line (blanks trimmed) is one an INI file holds: blank, comment, [section] or key=value.
bool isIniLine(std::string_view text)
{
    if (text.empty() || text.front() == ';' || text.front() == '#') return true;
    if (text.front() == '[') return text.back() == ']';
    const std::size_t equals = text.find('=');
    return equals != std::string_view::npos && equals != 0;
}

// A bad line as the message shows it: valid UTF-8, no control characters, not too long.
BadSettingsLine badLine(std::size_t number, std::string_view line)
{
    std::string text = validUtf8(std::string(line.substr(0, 200)));
    std::replace_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
    return {number, std::move(text)};
}

}  // namespace

StoredTapeList parseTapeSettings(std::string_view ini)
{
    std::map<std::string, std::string> tapes;  // the keys of [Tapes] and their values
    std::vector<BadSettingsLine> bad;
    bool hasGroup = false;
    bool anyKey = false;
    bool anything = false;
    std::string section;
    for (std::size_t number = 1; !ini.empty(); ++number) {
        const std::size_t end = ini.find('\n');
        const std::string_view line = trimmed(ini.substr(0, end), LineBlanks);
        ini = end == std::string_view::npos ? std::string_view() : ini.substr(end + 1);
        if (line.empty()) continue;
        anything = true;
        if (!isIniLine(line)) {
            bad.push_back(badLine(number, line));
            continue;
        }
        if (line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            section = percentDecoded(line.substr(1, line.size() - 2));
            hasGroup = hasGroup || section == TapesGroup;
            continue;
        }
        const std::size_t equals = line.find('=');
        anyKey = true;
        if (section == TapesGroup)
            tapes[percentDecoded(trimmed(line.substr(0, equals), LineBlanks))] =
                unquoted(trimmed(line.substr(equals + 1), LineBlanks));
    }
    if (anything && !anyKey) return damaged(std::move(bad));
    if (!hasGroup) return {StoredTapeList::State::NoList, standardTapeChoices(), std::move(bad)};

    const auto value = [&tapes](const std::string& key) {
        const auto found = tapes.find(key);
        return found == tapes.end() ? std::string() : found->second;
    };
    const std::optional<int> size = number(value("size"));
    if (!size || *size < 1 || *size > LongestTapeMinutes) return damaged(std::move(bad));
    std::vector<TapeChoice> choices;
    for (int i = 1; i <= *size; ++i) {
        const std::string row = std::to_string(i) + "\\";
        const std::optional<int> minutes = number(value(row + "minutes"));
        const std::optional<int> capacity = number(value(row + "sideCapacity"));
        const std::optional<bool> owned = flag(value(row + "owned"));
        if (!minutes || !capacity || !owned) return damaged(std::move(bad));
        choices.push_back({*minutes, *capacity, *owned});
    }
    if (checkTapeChoices(choices)) return damaged(std::move(bad));

    // A standard length left out of the list comes back, not owned.
    for (const Tape& tape : standardLineup()) {
        const auto place = std::find_if(choices.begin(), choices.end(),
                                        [&](const TapeChoice& c) { return c.minutes >= tape.minutes; });
        if (place == choices.end() || place->minutes != tape.minutes)
            choices.insert(place, {tape.minutes, tape.sideCapacity, false});
    }
    return {StoredTapeList::State::Read, std::move(choices), std::move(bad)};
}

std::string tapeSettingsText(const std::vector<TapeChoice>& choices, std::string_view earlier)
{
    // The lines of the other groups, as they are.
    std::vector<std::string_view> kept;
    bool inTapes = false;
    for (std::string_view rest = earlier; !rest.empty();) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::string_view text = trimmed(line, LineBlanks);
        // A line that is no INI line was named when the file was read; the list written over it drops it.
        if (!isIniLine(text)) continue;
        const bool section = !text.empty() && text.front() == '[';
        if (section) inTapes = percentDecoded(text.substr(1, text.size() - 2)) == TapesGroup;
        if (!inTapes) kept.push_back(line);
    }
    while (!kept.empty() && trimmed(kept.back(), LineBlanks).empty()) kept.pop_back();

    // Sorted as QSettings sorted them: by the key with '/' between its parts, written as '\\'.
    std::map<std::string, std::string> keys;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::string row = std::to_string(i + 1) + "/";
        keys[row + "minutes"] = std::to_string(choices[i].minutes);
        keys[row + "owned"] = choices[i].owned ? "true" : "false";
        keys[row + "sideCapacity"] = std::to_string(choices[i].sideCapacity);
    }
    keys["size"] = std::to_string(choices.size());
    std::string text;
    for (std::string_view line : kept) text.append(line).append("\n");
    if (!text.empty()) text += "\n";
    text += "[" + std::string(TapesGroup) + "]\n";
    for (const auto& [sortKey, value] : keys) {
        std::string key = sortKey;
        std::replace(key.begin(), key.end(), '/', '\\');
        text += key + "=" + value + "\n";
    }
    return text;
}

namespace {

// The lines of a text, each without its line feed.
std::vector<std::string_view> lines(std::string_view text)
{
    std::vector<std::string_view> all;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        all.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return all;
}

// The section a line opens, or nothing for any other line.
std::optional<std::string> sectionOf(std::string_view line)
{
    const std::string_view text = trimmed(line, LineBlanks);
    if (text.size() < 2 || text.front() != '[' || text.back() != ']') return std::nullopt;
    return percentDecoded(text.substr(1, text.size() - 2));
}

// Whether the line sets `key`.
bool setsKey(std::string_view line, std::string_view key)
{
    const std::string_view text = trimmed(line, LineBlanks);
    const std::size_t equals = text.find('=');
    return equals != std::string_view::npos && percentDecoded(trimmed(text.substr(0, equals), LineBlanks)) == key;
}

}  // namespace

std::string settingValue(std::string_view ini, std::string_view group, std::string_view key)
{
    std::string section;
    for (const std::string_view line : lines(ini)) {
        if (std::optional<std::string> opened = sectionOf(line)) {
            section = std::move(*opened);
            continue;
        }
        if (section == group && setsKey(line, key)) {
            const std::string_view text = trimmed(line, LineBlanks);
            return unquoted(trimmed(text.substr(text.find('=') + 1), LineBlanks));
        }
    }
    return {};
}

std::string withSettingValue(std::string_view ini, std::string_view group, std::string_view key,
                             std::string_view value)
{
    std::string setting(key);
    setting.append("=").append(value);
    std::vector<std::string> out;
    std::string section;
    bool done = false;
    std::optional<std::size_t> groupEnd;  // where the group's last non-blank line ends
    for (const std::string_view line : lines(ini)) {
        if (std::optional<std::string> opened = sectionOf(line)) {
            section = std::move(*opened);
            out.emplace_back(line);
            if (section == group) groupEnd = out.size();
            continue;
        }
        if (!done && section == group && setsKey(line, key)) {
            // A line that already says so stays as it was written.
            const std::string_view text = trimmed(line, LineBlanks);
            const bool same = unquoted(trimmed(text.substr(text.find('=') + 1), LineBlanks)) == value;
            out.push_back(same ? std::string(line) : setting);
            done = true;
            continue;
        }
        out.emplace_back(line);
        if (section == group && !trimmed(line, LineBlanks).empty()) groupEnd = out.size();
    }
    if (!done && groupEnd) {
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(*groupEnd), setting);
    } else if (!done) {
        while (!out.empty() && trimmed(out.back(), LineBlanks).empty()) out.pop_back();
        if (!out.empty()) out.emplace_back();
        std::string header("[");
        header.append(group).append("]");
        out.push_back(std::move(header));
        out.push_back(setting);
    }
    std::string text;
    for (const std::string& line : out) text += line + "\n";
    return text;
}

namespace {

constexpr std::string_view CounterGroup = "Counter";

}  // namespace

std::optional<CounterSetting> counterSetting(std::string_view ini)
{
    const std::optional<bool> use = flag(settingValue(ini, CounterGroup, "use"));
    const std::optional<int> seconds1 = number(settingValue(ini, CounterGroup, "seconds1"));
    const std::optional<int> count1 = number(settingValue(ini, CounterGroup, "count1"));
    const std::optional<int> seconds2 = number(settingValue(ini, CounterGroup, "seconds2"));
    const std::optional<int> count2 = number(settingValue(ini, CounterGroup, "count2"));
    if (!use || !seconds1 || !count1 || !seconds2 || !count2) return std::nullopt;
    return CounterSetting{*use, {{*seconds1, *count1}, {*seconds2, *count2}}};
}

std::string withCounterSetting(std::string_view ini, const CounterSetting& setting)
{
    std::string text(ini);
    text = withSettingValue(text, CounterGroup, "use", setting.use ? "true" : "false");
    text = withSettingValue(text, CounterGroup, "seconds1", std::to_string(setting.readings.first.seconds));
    text = withSettingValue(text, CounterGroup, "count1", std::to_string(setting.readings.first.counter));
    text = withSettingValue(text, CounterGroup, "seconds2", std::to_string(setting.readings.second.seconds));
    text = withSettingValue(text, CounterGroup, "count2", std::to_string(setting.readings.second.counter));
    return text;
}

std::optional<CounterCalibration> counterCalibration(const std::optional<CounterSetting>& setting)
{
    if (!setting || !setting->use) return std::nullopt;
    return calibrateCounter(setting->readings.first, setting->readings.second);
}

Message badSettingsLinesMessage(const std::string& file, const std::vector<BadSettingsLine>& lines)
{
    std::vector<std::string> shown;
    for (const BadSettingsLine& line : lines)
        shown.push_back(fill(_("%1 行目： %2"), {std::to_string(line.number), line.text}));
    return {_("設定ファイル"),
            fill(_("設定ファイルの次の行を読み取れないため、読み飛ばしました。\r%1\r設定ファイル： %2"),
                 {shortList(shown, 5, "\r"), file}),
            MessageIcon::Exclamation};
}

Message unreadableSettingsMessage(const std::string& file)
{
    return {_("設定ファイル"),
            fill(_("設定ファイルを読み込めません。標準の設定で動作し、このファイルには書き込みません。\r"
                   "設定ファイル： %1"),
                 {file}),
            MessageIcon::Exclamation};
}

}  // namespace vantoli
