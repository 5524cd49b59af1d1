#include "cli/command_line.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/plan_output.h"
#include "core/entry_reading.h"
#include "core/language.h"

#ifndef VANTOLI_VERSION
#error "VANTOLI_VERSION must name the program's version"
#endif

namespace vantoli::cli {

namespace {

enum class Value { None, Required, Optional };

struct OptionName {
    std::string_view name;
    Value value;
};

// clang-format off
constexpr OptionName Options[] = {
    {"help",          Value::None},
    {"version",       Value::None},
    {"keep-order",    Value::None},
    {"no-keep-order", Value::None},
    {"gap",           Value::None},
    {"no-gap",        Value::None},
    {"exact",         Value::None},
    {"tapes",         Value::Required},
    {"cd",            Value::Optional},
    {"report",        Value::None},
    {"crlf",          Value::None},
    {"json",          Value::None},
};
// clang-format on

const OptionName* findOption(std::string_view name)
{
    for (const OptionName& option : Options)
        if (option.name == name) return &option;
    return nullptr;
}

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// "-130" and "-.5" are times (which the entry checks refuse), not options: no option is one dash long.
bool looksLikeOption(const std::string& argument)
{
    if (argument.size() < 2 || argument[0] != '-') return false;
    return !(isAsciiDigit(argument[1]) || argument[1] == '.');
}

bool hasLetterExtension(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view extension = name.substr(dot + 1);
    if (extension.empty() || extension.size() > 8) return false;
    bool letter = false;
    for (char c : extension) {
        if (!isAsciiLetter(c) && !isAsciiDigit(c)) return false;
        letter = letter || isAsciiLetter(c);
    }
    return letter;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Plain decimal digits; a number far beyond any tape saturates, so that the lineup's own checks name it.
std::optional<int> wholeNumber(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    constexpr int Saturated = 1'000'000;
    int value = 0;
    for (char c : text) {
        if (!isAsciiDigit(c)) return std::nullopt;
        value = std::min(Saturated, value * 10 + (c - '0'));
    }
    return value;
}

// An argument inside a message, as a terminal may show it.
std::string bracketed(const std::string& text) { return fill(_("「%1」"), {shownText(text)}); }

}  // namespace

bool isFileOperand(const std::string& operand)
{
    if (operand.find('/') != std::string::npos) return true;
    if (convertEntry(operand).kind != EntryNumber::Kind::NotANumber) return false;
    if (hasLetterExtension(operand)) return true;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(operand, error);
    return !error && std::filesystem::exists(status);
}

std::optional<std::vector<TapeChoice>> parseTapeList(std::string_view text)
{
    std::vector<TapeChoice> choices;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view item = trimmed(text.substr(0, comma));
        const std::size_t colon = item.find(':');
        const std::optional<int> minutes = wholeNumber(trimmed(item.substr(0, colon)));
        if (!minutes) return std::nullopt;
        TapeChoice choice{*minutes, sideCapacity(std::min(*minutes, LongestTapeMinutes + 1)), true};
        if (colon != std::string_view::npos) {
            const std::optional<int> capacity = wholeNumber(trimmed(item.substr(colon + 1)));
            if (!capacity) return std::nullopt;
            choice.sideCapacity = *capacity;
        }
        choices.push_back(choice);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    // A set of tapes, in whatever order it was written; a length given twice stays for the lineup's
    // checks to name.
    std::stable_sort(choices.begin(), choices.end(),
                     [](const TapeChoice& a, const TapeChoice& b) { return a.minutes < b.minutes; });
    return choices;
}

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    PlanRequest request;
    std::optional<bool> keepOrder;  // as last given
    bool exact = false;
    bool cd = false;
    bool report = false;
    bool json = false;
    std::vector<std::string> cdSources;  // from --cd=SOURCE
    std::vector<std::string> operands;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || !looksLikeOption(argument)) {
            if (argument.empty()) return UsageError{_("空の引数は指定できません。")};
            operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument[1] != '-') return UsageError{fill(_("不明なオプションです： %1"), {shownText(argument)})};

        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const OptionName* option = findOption(name);
        if (!option) return UsageError{fill(_("不明なオプションです： %1"), {"--" + shownText(name)})};
        std::optional<std::string> value;
        if (equals != std::string::npos) {
            if (option->value == Value::None) return UsageError{fill(_("オプション --%1 は値をとりません。"), {name})};
            value = argument.substr(equals + 1);
        } else if (option->value == Value::Required) {
            if (i + 1 == arguments.size()) return UsageError{fill(_("オプション --%1 には値が必要です。"), {name})};
            value = arguments[++i];
        }

        if (name == "help") return ShowHelp{};
        if (name == "version") return ShowVersion{};
        if (name == "keep-order") keepOrder = true;
        if (name == "no-keep-order") keepOrder = false;
        if (name == "gap") request.options.gap = true;
        if (name == "no-gap") request.options.gap = false;
        if (name == "exact") exact = true;
        if (name == "report") report = true;
        if (name == "json") json = true;
        if (name == "crlf") request.crlf = true;
        if (name == "tapes") {
            request.tapes = parseTapeList(*value);
            if (!request.tapes)
                return UsageError{
                    fill(_("--tapes の値%1を読めません（例： 46,60,90 または 60:1860,90）。"), {bracketed(*value)})};
        }
        if (name == "cd") {
            cd = true;
            if (value && value->empty())
                return UsageError{_("--cd= の後にドライブかディスクイメージを指定してください。")};
            if (value) cdSources.push_back(*value);
        }
    }

    if (report && json) return UsageError{_("--report と --json は一緒に指定できません。")};
    if (request.crlf && !report) return UsageError{_("--crlf は --report と一緒に指定してください。")};
    request.output = report ? Output::Report : json ? Output::Json : Output::Plan;

    // The exact planner searches how to split the tracks between the sides; with the order kept the
    // in-order split is already the shortest, so --exact lets go of the order unless told to keep it.
    if (exact && keepOrder.value_or(false))
        return UsageError{
            _("--exact は曲順を入れ替えて最短のテープを探します。--keep-order とは一緒に指定できません。")};
    request.options.keepOrder = exact ? false : keepOrder.value_or(true);
    request.options.exact = exact;

    if (cd) {
        cdSources.insert(cdSources.end(), operands.begin(), operands.end());
        if (cdSources.size() > 1)
            return UsageError{
                _("--cd に指定できるのはドライブかディスクイメージ 1 "
                  "つだけです（タイムやファイルとは一緒に指定できません）。")};
        request.input = Input::Cd;
        request.operands = std::move(cdSources);
        return request;
    }

    if (operands.empty()) return UsageError{_("トラックのタイム、CD（--cd）、ファイルのどれかを指定してください。")};
    const auto file = std::find_if(operands.begin(), operands.end(), isFileOperand);
    const auto time = std::find_if_not(operands.begin(), operands.end(), isFileOperand);
    if (file != operands.end() && time != operands.end())
        return UsageError{
            fill(_("トラックのタイム%1とファイル%2は一緒に指定できません。"), {bracketed(*time), bracketed(*file)})};
    request.input = file != operands.end() ? Input::Files : Input::Times;
    if (request.input == Input::Times && operands.size() > MostTimes)
        return UsageError{
            fill(_("トラックのタイムは %1 曲まで指定できます（21 曲以上は CD かファイルから読み取ってください）。"),
                 {std::to_string(MostTimes)})};
    request.operands = std::move(operands);
    return request;
}

std::string helpText()
{
    return _(
        "使い方： vantoli-plan [オプション] タイム...\n"
        "　または： vantoli-plan [オプション] ファイル...\n"
        "　または： vantoli-plan [オプション] --cd [ドライブまたはディスクイメージ]\n"
        "カセットテープにダビングするテープを選び、曲を A面と B面に分けます。\n"
        "\n"
        "入力（1 回に 1 種類）：\n"
        "  タイム...            各トラックのタイム。分と秒を続けて書きます（4分31秒は 431）。20 曲まで\n"
        "  ファイル...          音声ファイル、フォルダー、プレイリスト（M3U/M3U8）、CUE シート\n"
        "  --cd[=ソース]        CD から読み取ります。ドライブのデバイス名かディスクイメージ（CUE/BIN など）も\n"
        "                       指定できます。指定しなければ既定のドライブです\n"
        "  「/」を含む引数はファイルです。数値として読める引数はタイムです。英字の拡張子で終わる引数と、\n"
        "  そのファイルやフォルダーがある引数はファイルです。\n"
        "\n"
        "計算：\n"
        "  --keep-order         オリジナルの曲順にこだわる（既定）\n"
        "  --no-keep-order      曲を入れ替えて短いテープにできるか試す\n"
        "  --exact              最短のテープを探す（曲の組み合わせを最適化）。曲順は入れ替えます\n"
        "  --gap                曲の間に 5秒のブランクをいれる（既定）\n"
        "  --no-gap             曲の間にブランクをいれない\n"
        "  --tapes=一覧         使うテープの長さ（分）を「,」で区切って並べます。例： 46,60,90\n"
        "                       片面の時間（秒）を付けるときは 60:1860。既定は保存されているテープの種類\n"
        "\n"
        "出力（既定は読みやすい構成案）：\n"
        "  --report             結果レポートと同じテキスト\n"
        "  --crlf               --report の行末を CR LF にする\n"
        "  --json               JSON（項目は man vantoli-plan を見てください）\n"
        "  --help               この説明を表示して終了する\n"
        "  --version            バージョンを表示して終了する\n"
        "\n"
        "終了ステータス： 0 構成案を出力した、1 どのテープにも収まらない、\n"
        "2 入力の誤り、読み取れない入力、使い方の誤り\n");
}

std::string versionText() { return "vantoli-plan (Vantoli) " VANTOLI_VERSION "\n"; }

}  // namespace vantoli::cli
