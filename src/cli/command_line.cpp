#include "cli/command_line.h"
#include "core/file_names.h"

#include <getopt.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "cli/plan_output.h"
#include "core/entry_reading.h"
#include "core/language.h"
#include "core/stream_request.h"
#include "core/tape_document.h"
#include "core/trimmed.h"

#ifndef VANTOLI_VERSION
#error "VANTOLI_VERSION must name the program's version"
#endif

namespace vantoli::cli {

namespace {

// clang-format off
const option LongOptions[] = {
    {"help",          no_argument,       nullptr, 0},
    {"version",       no_argument,       nullptr, 0},
    {"keep-order",    no_argument,       nullptr, 0},
    {"no-keep-order", no_argument,       nullptr, 0},
    {"gap",           no_argument,       nullptr, 0},
    {"no-gap",        no_argument,       nullptr, 0},
    {"exact",         no_argument,       nullptr, 0},
    {"tapes",         required_argument, nullptr, 0},
    {"cd",            optional_argument, nullptr, 0},
    {"report",        no_argument,       nullptr, 0},
    {"crlf",          no_argument,       nullptr, 0},
    {"json",          no_argument,       nullptr, 0},
    {"render",        required_argument, nullptr, 0},
    {"format",        required_argument, nullptr, 0},
    {"lead-in",       required_argument, nullptr, 0},
    {"tone",          required_argument, nullptr, 0},
    {"loudness",      required_argument, nullptr, 0},
    {"stream",        required_argument, nullptr, 0},
    {"play",          no_argument,       nullptr, 0},
    {"side",          required_argument, nullptr, 0},
    {"device",        required_argument, nullptr, 0},
    {"count-down",    required_argument, nullptr, 0},
    {"no-beep",       no_argument,       nullptr, 0},
    {"request",       required_argument, nullptr, 0},
    {"devices",       no_argument,       nullptr, 0},
    {"record",        required_argument, nullptr, 0},
    {"seconds",       required_argument, nullptr, 0},
    {"check-tape",    required_argument, nullptr, 0},
    {"plot",          required_argument, nullptr, 0},
    {"several",       no_argument,       nullptr, 0},
    {"counter",       required_argument, nullptr, 0},
    {"check-files",   required_argument, nullptr, 0},
    {nullptr,         0,                 nullptr, 0},
};
// clang-format on

const option* findOption(std::string_view name)
{
    for (const option& known : LongOptions)
        if (known.name && known.name == name) return &known;
    return nullptr;
}

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// "-130" and "-.5" are times (which the entry checks refuse), not options: no option is one dash long.
bool isDashedTime(const std::string& argument)
{
    return argument.size() >= 2 && argument[0] == '-' && (isAsciiDigit(argument[1]) || argument[1] == '.');
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

// A decimal number of seconds or decibels ("2", "1.5", "-12"); nothing for anything else.
std::optional<double> decimal(std::string_view text)
{
    text = trimmed(text);
    if (text.empty() || text.size() > 20) return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(value)) return std::nullopt;
    if (copy.find_first_not_of("+-.0123456789") != std::string::npos) return std::nullopt;
    return value;
}

// The options of --render, each read into `render`; the mistake if there is one.
std::optional<UsageError> readRenderOption(const std::string& name, const std::string& value, RenderRequest& render)
{
    if (name == "render") {
        if (value.empty()) return UsageError{_("--render= の後に書き出すフォルダーを指定してください。")};
        render.folder = value;
    } else if (name == "format") {
        if (value != "flac" && value != "wav")
            return UsageError{fill(_("--format には flac か wav を指定してください（%1）。"), {bracketed(value)})};
        render.wav = value == "wav";
    } else if (name == "lead-in") {
        const std::optional<double> seconds = decimal(value);
        if (!seconds || *seconds < 0 || *seconds > MaxLeadInSeconds)
            return UsageError{
                fill(_("--lead-in には 0 から 30 までの秒数を指定してください（%1）。"), {bracketed(value)})};
        render.settings.leadInSeconds = *seconds;
    } else if (name == "tone") {
        const std::optional<CalibrationTone> tone = parseTone(value);
        if (!tone)
            return UsageError{
                fill(_("--tone の値%1を読めません（秒[,400 か 1000 Hz[,-20 から 0 dBFS]]、例： 30,1000,-12）。"),
                     {bracketed(value)})};
        render.settings.tone = *tone;
    } else if (name == "loudness") {
        const std::optional<Loudness> loudness = loudnessOfName(value);
        if (!loudness)
            return UsageError{
                fill(_("--loudness には off、track、album のどれかを指定してください（%1）。"), {bracketed(value)})};
        render.settings.loudness = *loudness;
    }
    return std::nullopt;
}

}  // namespace

std::optional<CalibrationTone> parseTone(std::string_view text)
{
    CalibrationTone tone;
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t comma = text.find(',');
        parts.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (parts.size() > 3) return std::nullopt;
    const std::optional<double> seconds = decimal(parts[0]);
    if (!seconds || *seconds < 0 || *seconds > MaxToneSeconds) return std::nullopt;
    tone.seconds = *seconds;
    if (parts.size() > 1) {
        const std::optional<int> hertz = wholeNumber(trimmed(parts[1]));
        if (!hertz || !isToneHertz(*hertz)) return std::nullopt;
        tone.hertz = *hertz;
    }
    if (parts.size() > 2) {
        const std::optional<double> dbfs = decimal(parts[2]);
        if (!dbfs || !isToneDbfs(*dbfs)) return std::nullopt;
        tone.dbfs = *dbfs;
    }
    return tone;
}

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
    RenderRequest render;
    std::vector<std::string> renderOptions;  // as given, for the message when --render is missing
    bool stream = false;
    std::optional<PlayRequest> play;
    PlayRequest playing;
    std::vector<std::string> playOptions;  // as given, for the message when --play is missing
    bool devices = false;
    std::optional<RecordRequest> record;
    std::optional<double> seconds;
    std::optional<std::string> device;
    std::optional<TapeCheckRequest> check;
    std::vector<std::string> checkOptions;  // --side and --plot, for the message when --check-tape is missing
    TapeCheckRequest checkRequest;
    bool several = false;
    std::vector<Source> albums;  // for --several: the operands and --cd sources in the order given
    std::optional<std::pair<CounterReading, CounterReading>> counter;

    // getopt_long over a copy of the arguments, operands returned in order (the leading '-'). A time
    // such as "-130" stands in as a plain word, so that it is taken for an operand; whatever getopt
    // hands back is looked up in the arguments as given.
    static const char Stand[] = "0";
    std::vector<std::string> copies{"vantoli-plan"};
    for (const std::string& argument : arguments) copies.push_back(isDashedTime(argument) ? Stand : argument);
    std::vector<char*> argv;
    for (std::string& copy : copies) argv.push_back(copy.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(copies.size());
    const auto given = [&](const char* text) {
        for (int i = 1; i < argc; ++i)
            if (text == argv[i]) return arguments[i - 1];
        return std::string(text);
    };

    opterr = 0;
    optind = 0;  // starts glibc's getopt afresh, for every call in one process
    while (true) {
        const int at = std::max(optind, 1);  // the argument getopt reads next
        int index = -1;
        const int found = getopt_long(argc, argv.data(), "-:", LongOptions, &index);
        if (found == -1) break;
        if (found == 1) {
            if (optarg[0] == '\0') return UsageError{_("空の引数は指定できません。")};
            operands.push_back(given(optarg));
            albums.push_back(FileSource{{operands.back()}});
            continue;
        }
        const std::string& argument = arguments[static_cast<std::size_t>(at - 1)];
        if (argument.size() < 2 || argument[1] != '-')
            return UsageError{fill(_("不明なオプションです： %1"), {shownText(argument)})};
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const option* known = findOption(name);
        // No abbreviations: "--rep" is no "--report".
        if (!known || (found != '?' && found != ':' && LongOptions[index].name != name))
            return UsageError{fill(_("不明なオプションです： %1"), {"--" + shownText(name)})};
        if (found == ':') return UsageError{fill(_("オプション --%1 には値が必要です。"), {name})};
        if (found == '?') return UsageError{fill(_("オプション --%1 は値をとりません。"), {name})};
        const std::optional<std::string> value = optarg ? std::optional(given(optarg)) : std::nullopt;

        if (name == "help") return ShowHelp{};
        if (name == "several") several = true;
        if (name == "check-files") {
            if (*value != "-") return UsageError{fill(_("--%1 には「-」（標準入力）を指定してください。"), {name})};
            if (arguments.size() != 1)
                return UsageError{fill(_("%1 はほかのオプションやファイルと一緒に指定できません。"), {"--check-files=-"})};
            return CheckFiles{};
        }
        if (name == "counter") {
            counter = parseCounterReadings(*value);
            if (!counter || !calibrateCounter(counter->first, counter->second))
                return UsageError{fill(_("--counter の値%1を読めません（時間@カウンター を 2 つ、例： 10:00@250,40:00@720。"
                                         "時間が進むほどカウンターも大きく）。"),
                                       {bracketed(*value)})};
        }
        if (name == "version") return ShowVersion{};
        if (name == "keep-order" || name == "no-keep-order" || name == "gap" || name == "no-gap" || name == "exact")
            request.optionsGiven = true;
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
        if (name == "stream") {
            if (*value != "-") return UsageError{_("--stream には「-」（標準出力）を指定してください。")};
            stream = true;
        }
        if (name == "play") play = PlayRequest{};
        if (name == "devices") devices = true;
        if (name == "record") {
            if (value->empty()) return UsageError{_("--record= の後に録音するファイルを指定してください。")};
            record = RecordRequest{*value, {}, 0, false};
        }
        if (name == "device") {
            if (value->empty()) return UsageError{_("--device= の後に出力先か入力の名前を指定してください。")};
            device = *value;
        }
        if (name == "seconds") {
            seconds = decimal(*value);
            if (!seconds || *seconds <= 0 || *seconds > 24 * 60 * 60)
                return UsageError{fill(_("--seconds には録音する秒数を指定してください（%1）。"), {bracketed(*value)})};
        }
        if (name == "side" || name == "count-down" || name == "no-beep" || name == "request") {
            if (name == "side") {
                if (*value != "A" && *value != "B" && *value != "a" && *value != "b")
                    return UsageError{fill(_("--side には A か B を指定してください（%1）。"), {bracketed(*value)})};
                playing.side = (*value == "B" || *value == "b") ? TapeSide::B : TapeSide::A;
                checkRequest.sideB = playing.side == TapeSide::B;  // --check-tape takes it too
            }
            if (name == "count-down") {
                const std::optional<double> count = decimal(*value);
                if (!count || *count < 0 || *count > MaxCountDownSeconds)
                    return UsageError{fill(_("--count-down には 0 から 30 までの秒数を指定してください（%1）。"),
                                           {bracketed(*value)})};
                playing.countDownSeconds = *count;
            }
            if (name == "no-beep") playing.beep = false;
            if (name == "request") {
                if (*value != "-") return UsageError{_("--request には「-」（標準入力）を指定してください。")};
                playing.requestOnInput = true;
            }
            playOptions.push_back("--" + name);
        }
        if (name == "check-tape") {
            if (value->empty()) return UsageError{_("--check-tape= の後にテープを再生した録音のファイルを指定してください。")};
            checkRequest.recording = *value;
            check = checkRequest;
        }
        if (name == "plot") {
            if (value->empty()) return UsageError{_("--plot= の後に書き出す PNG のファイルを指定してください。")};
            checkRequest.plot = *value;
            checkOptions.push_back("--plot");
        }
        if (name == "render" || name == "format" || name == "lead-in" || name == "tone" || name == "loudness") {
            if (const std::optional<UsageError> wrong = readRenderOption(name, *value, render)) return *wrong;
            renderOptions.push_back("--" + name);
        }
        if (name == "cd") {
            cd = true;
            if (value && value->empty())
                return UsageError{_("--cd= の後にドライブかディスクイメージを指定してください。")};
            if (value) cdSources.push_back(*value);
            albums.push_back(DriveSource{value.value_or(std::string())});
        }
    }
    // After "--" every argument is an operand.
    for (int i = optind; i < argc; ++i) {
        if (arguments[static_cast<std::size_t>(i - 1)].empty()) return UsageError{_("空の引数は指定できません。")};
        operands.push_back(arguments[static_cast<std::size_t>(i - 1)]);
        albums.push_back(FileSource{{operands.back()}});
    }

    if (several) {
        // A set takes its albums, the gap, the tapes, the counter and the render's options.
        if (devices || record || play || stream || check || report || request.crlf || exact || keepOrder || seconds ||
            device || !playOptions.empty() || !checkOptions.empty())
            return UsageError{_("--several と一緒に指定できるのは --gap、--no-gap、--tapes、--json、--counter、"
                                "--render とその音のオプションだけです。")};
        if (albums.empty())
            return UsageError{_("--several にはアルバムを 1 つ以上（フォルダー、CUE シート、プレイリスト、"
                                "--cd=ディスクイメージ）指定してください。")};
        for (const Source& album : albums)
            if (const auto* files = std::get_if<FileSource>(&album); files && !isFileOperand(files->items.front()))
                return UsageError{fill(_("--several のアルバム%1はファイルかフォルダーではありません。"),
                                       {bracketed(files->items.front())})};
        if (!renderOptions.empty() && render.folder.empty())
            return UsageError{fill(_("%1 は --render と一緒に指定してください。"), {renderOptions.front()})};
        SeveralRequest set{std::move(albums), request.options.gap, request.tapes, json, std::nullopt, counter};
        if (!render.folder.empty()) set.render = render;
        return set;
    }
    if (counter) return UsageError{_("--counter は --several と一緒に指定してください。")};

    if (devices) {
        if (arguments.size() != 1) return UsageError{fill(_("%1 はほかのオプションやファイルと一緒に指定できません。"), {"--devices"})};
        return ListDevices{};
    }
    if (record) {
        if (!operands.empty() || !renderOptions.empty() || !playOptions.empty() || play || cd || report || stream ||
            request.optionsGiven || request.tapes || request.crlf)
            return UsageError{_("--record と一緒に指定できるのは --device、--seconds、--json だけです。")};
        record->device = device.value_or("");
        record->seconds = seconds.value_or(0);
        record->json = json;
        return *record;
    }
    if (seconds) return UsageError{_("--seconds は --record と一緒に指定してください。")};
    if (check && !play) {
        // Of the play's options the check takes the side, and the side's request on standard input.
        for (const std::string& option : playOptions)
            if (option != "--side" && option != "--request")
                return UsageError{fill(_("%1 は --play と一緒に指定してください。"), {option})};
        if (playing.requestOnInput) {
            if (!operands.empty() || cd || !renderOptions.empty() || report || stream || request.optionsGiven ||
                request.tapes || request.crlf || device)
                return UsageError{_("--check-tape --request=- は面を標準入力の JSON で受け取ります。一緒に指定できるのは "
                                    "--side、--plot、--json だけです。")};
            return CheckStream{checkRequest, json};
        }
    }
    if (!play && !check && !playOptions.empty())
        return UsageError{playOptions.front() == "--side"
                              ? std::string(_("--side は --play か --check-tape と一緒に指定してください。"))
                              : fill(_("%1 は --play と一緒に指定してください。"), {playOptions.front()})};
    if (!play && device) return UsageError{_("--device は --play か --record と一緒に指定してください。")};
    if (play) {
        if (stream || report || request.crlf || !render.folder.empty())
            return UsageError{_("--play は --render、--stream、--report と一緒に指定できません。")};
        playing.device = device.value_or("");
        playing.json = json;
        playing.settings = render.settings;
        playing.settingsGiven = !renderOptions.empty();
        if (playing.requestOnInput) {
            if (!operands.empty() || cd || !renderOptions.empty() || request.optionsGiven || request.tapes ||
                playOptions.size() != 1)
                return UsageError{
                    _("--play --request=- は面を標準入力の JSON で受け取ります。一緒に指定できるのは --device と --json "
                      "だけです。")};
            return PlayStream{playing};
        }
        json = false;  // the plan itself is not printed
        renderOptions.clear();
        request.play = playing;
    }
    if (stream) {
        if (!operands.empty() || !renderOptions.empty() || cd || report || json || check)
            return UsageError{
                _("--stream=- は要求を標準入力の JSON で受け取ります。ほかのオプションやファイルは指定できません。")};
        return StreamSide{};
    }
    if (check) {
        // The side's program as --render would write it: the same sound options, but no folder.
        if (!render.folder.empty()) return UsageError{_("--check-tape と --render は一緒に指定できません。")};
        if (report) return UsageError{_("--check-tape と --report は一緒に指定できません。")};
        for (const std::string& option : renderOptions)
            if (option == "--format") return UsageError{fill(_("%1 は --render と一緒に指定してください。"), {option})};
        check->recording = checkRequest.recording;
        check->sideB = checkRequest.sideB;
        check->plot = checkRequest.plot;
        check->settingsGiven = !renderOptions.empty();
        check->settings = render.settings;
        request.check = check;
        renderOptions.clear();
    } else if (!checkOptions.empty()) {
        return UsageError{fill(_("%1 は --check-tape と一緒に指定してください。"), {checkOptions.front()})};
    }
    if (!renderOptions.empty()) {
        if (render.folder.empty())
            return UsageError{fill(_("%1 は --render と一緒に指定してください。"), {renderOptions.front()})};
        if (report) return UsageError{_("--render と --report は一緒に指定できません。")};
        request.render = render;
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
    const auto tape = std::find_if(operands.begin(), operands.end(), [](const std::string& operand) {
        return isFileOperand(operand) && hasExtension(operand, TapeDocumentExtension);
    });
    if (tape != operands.end()) {
        if (operands.size() > 1)
            return UsageError{fill(_("テープ%1はほかのファイルと一緒には指定できません。"), {bracketed(*tape)})};
        request.input = Input::Tape;
    }
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
        "　または： vantoli-plan [オプション] テープ.vantoli\n"
        "カセットテープにダビングするテープを選び、曲を A面と B面に分けます。\n"
        "\n"
        "入力（1 回に 1 種類）：\n"
        "  タイム...            各トラックのタイム。分と秒を続けて書きます（4分31秒は 431）。20 曲まで\n"
        "  ファイル...          音声ファイル、フォルダー、プレイリスト（M3U/M3U8）、CUE シート\n"
        "  --cd[=ソース]        CD から読み取ります。ドライブのデバイス名かディスクイメージ（CUE/BIN など）も\n"
        "                       指定できます。指定しなければ既定のドライブです\n"
        "  テープ.vantoli       ウィンドウで保存したテープ。保存したときの設定とテープの種類で計算します\n"
        "                       （計算のオプションや --tapes を指定するとそちらを使います）\n"
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
        "テープに録音する音（A面・B面を 1 本ずつのファイルに）：\n"
        "  --render=フォルダー  計画のあと、各面を フォルダー/side-a.flac と side-b.flac に書き出します\n"
        "                       （44.1 kHz、16 ビット、ステレオ）。各面のプログラムも表示します\n"
        "  --format=flac|wav    書き出す形式（既定は flac）\n"
        "  --lead-in=秒         最初の曲の前の無音（0〜30 秒、既定は 2）\n"
        "  --tone=秒[,Hz[,dBFS]]  リードインの前の校正用トーン（400 か 1000 Hz、-20〜0 dBFS、\n"
        "                       既定は 1000 Hz、-12 dBFS）\n"
        "  --loudness=off|track|album  音量をそろえる（-16 LUFS、トゥルーピークは -1 dBTP まで）。既定は off\n"
        "  --stream=-           標準入力の JSON で指定された面の音を標準出力に流します（フロントエンド用）\n"
        "\n"
        "サウンドサーバー（PulseAudio、PipeWire）で再生・録音：\n"
        "  --play               計画のあと、面をサウンドサーバーで再生します（入力と --lead-in、--tone、\n"
        "                       --loudness は --render と同じ）。標準入力の 1 行ごとの pause、resume、stop\n"
        "                       で一時停止・再開・停止します。Ctrl+C で中止します\n"
        "  --side=A|B           再生する面（既定は A）\n"
        "  --count-down=秒      面の前のカウントダウン（0〜30 秒、1 秒ごとに短い音。既定は 0）\n"
        "  --no-beep            カウントダウンを無音にする\n"
        "  --request=-          面を標準入力の最初の行の JSON で受け取ります（フロントエンド用）\n"
        "  --device=名前        出力先（--play）か入力（--record）。既定はサーバーの既定\n"
        "  --devices            出力先と入力の一覧を JSON で表示します\n"
        "  --record=ファイル    入力を WAV（44.1 kHz、16 ビット、ステレオ）に録音します。stop か Ctrl+C で終了\n"
        "  --seconds=秒         --record でこの秒数だけ録音します\n"
        "  --play と --record に --json を付けると、位置、レベル、キューを 1 行に 1 つの JSON で出力します\n"
        "テープの点検（ダビングしたテープを再生して録音し、面のプログラムと比べます）：\n"
        "  --check-tape=録音    テープを再生した録音（WAV、FLAC など）を比べ、各トラックの始まりとレベル、\n"
        "                       ドロップアウト、クリップ、途切れを 1 行ずつ表示します（--json で JSON）。\n"
        "                       --lead-in、--tone、--loudness はダビングしたときと同じものを指定します\n"
        "                       （テープ.vantoli ならテープの設定を使います）\n"
        "  --side=A|B           比べる面（既定は A）\n"
        "  --plot=ファイル.png  面のレベルの移り変わりを描きます（プログラムとテープ、トラックの位置、\n"
        "                       ドロップアウトは赤）\n"
        "\n"
        "複数のテープ（ボックスセットや長いプレイリストを最少の本数に）：\n"
        "  --several ソース...  ソース（フォルダー、CUE シート、プレイリスト、CSV、--cd=ディスクイメージ）を\n"
        "                       1 つずつアルバムとして、指定した順にテープ 1 の A面、B面、テープ 2 の A面…\n"
        "                       と詰めます。本数、アルバムの途中で面が変わる回数、テープが変わる回数、\n"
        "                       テープの分数の合計の順に少ない案を選びます（--gap、--no-gap、--tapes、--json）\n"
        "  --counter=時間@数,時間@数  テープカウンターの 2 つの読み（例： 10:00@250,40:00@720）。\n"
        "                       各曲の頭のカウンター値を表示します\n"
        "  --several --render=フォルダー  tape-1-side-a.flac、tape-1-side-b.flac… を書き出します\n"
        "\n"
        "終了ステータス： 0 構成案を出力した、1 どのテープにも収まらない、\n"
        "2 入力の誤り、読み取れない入力、使い方の誤り\n"
        "--play と --record： 0 終わりまで（または stop まで）再生・録音した、\n"
        "1 サウンドサーバー、出力先、入力、音源の失敗、2 使い方の誤り、130 中止\n");
}

std::string versionText() { return "vantoli-plan (Vantoli) " VANTOLI_VERSION "\n"; }

}  // namespace vantoli::cli
