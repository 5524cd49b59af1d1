#include "cli/deck_check_command.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <variant>

#include "audio/file_sound.h"
#include "audio/side_file.h"
#include "core/deck_check.h"
#include "core/deck_test_program.h"
#include "core/language.h"
#include "cli/plan_output.h"

namespace vantoli::cli {

namespace {

constexpr const char* Program = "vantoli-plan: ";

CommandResult failure(const std::string& text, int status = Failed)
{
    return {status, {}, Program + text + "\n"};
}

bool endsWith(std::string name, std::string_view extension)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name.size() > extension.size() && name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

CommandResult writeTestProgram(const std::string& path)
{
    const bool wav = endsWith(path, ".wav");
    if (!wav && !endsWith(path, ".flac"))
        return failure(fill(_("--deck-test のファイル名は .wav か .flac で終えてください（%1）。"), {shownText(path)}));
    const std::vector<float> program = deckTestProgram();
    std::vector<std::int16_t> samples(program.size());
    std::transform(program.begin(), program.end(), samples.begin(), [](float value) {
        return static_cast<std::int16_t>(std::clamp(std::lround(value * 32767.0), -32768L, 32767L));
    });
    const auto frames = static_cast<std::int64_t>(samples.size() / 2);
    audio::SideFile file;
    std::string error = file.open(path, wav ? audio::FileFormat::Wav : audio::FileFormat::Flac, frames);
    if (error.empty() && (!file.write(samples.data(), frames) || !file.commit())) error = file.error();
    if (!error.empty()) return failure(error);
    CommandResult result;
    result.out = fill(_("テストプログラムを書き出しました： %1（%2 秒）"),
                      {shownText(path), std::to_string(std::lround(deckTestSeconds()))}) +
                 "\n";
    return result;
}

// The recording as 44.1 kHz stereo, decoded as any audio file is; or the message why it cannot be read.
std::variant<std::vector<float>, std::string> readRecording(const std::string& path)
{
    auto opened = audio::openFileSound(path, 0, -1);
    if (const auto* error = std::get_if<audio::SoundError>(&opened)) return error->what + ": " + error->cause;
    auto& source = *std::get<std::unique_ptr<audio::SoundSource>>(opened);
    std::vector<float> samples;
    std::vector<float> block(2 * 65536);
    try {
        while (true) {
            const std::int64_t got = source.read(block.data(), 65536);
            if (got <= 0) break;
            samples.insert(samples.end(), block.begin(), block.begin() + 2 * got);
        }
    } catch (const audio::SoundError& error) {
        return error.what + ": " + error.cause;
    }
    return samples;
}

CommandResult checkRecording(const std::string& path, bool json)
{
    auto read = readRecording(path);
    if (const auto* error = std::get_if<std::string>(&read)) return failure(*error);
    const DeckCheckResult measured = analyseDeckRecording(std::get<std::vector<float>>(read), DeckTestRate);
    CommandResult result;
    result.out = json ? deckCheckJson(measured) + "\n" : deckCheckText(measured);
    if (!measured.missing.empty()) {
        result.exitStatus = PartsMissing;
        result.err = Program + deckMissingText(measured.missing) + "\n";
    }
    return result;
}

// The data of a 16-bit stereo WAV file as far as it has been written, the last `most` frames of it.
std::vector<float> wavTail(const std::string& path, std::size_t most, std::size_t& frames)
{
    std::vector<float> samples;
    frames = 0;
    std::ifstream file(path, std::ios::binary);
    char header[12];
    if (!file.read(header, 12) || std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
        return samples;
    // The chunks up to "data"; its size in the header may not be written yet, so the file's end counts.
    while (true) {
        char chunk[8];
        if (!file.read(chunk, 8)) return samples;
        const std::uint32_t size = static_cast<std::uint8_t>(chunk[4]) | static_cast<std::uint8_t>(chunk[5]) << 8 |
                                   static_cast<std::uint8_t>(chunk[6]) << 16 |
                                   static_cast<std::uint32_t>(static_cast<std::uint8_t>(chunk[7])) << 24;
        if (std::memcmp(chunk, "data", 4) == 0) break;
        file.seekg(size + (size & 1), std::ios::cur);
    }
    const std::streamoff data = file.tellg();
    file.seekg(0, std::ios::end);
    const auto available = static_cast<std::size_t>(std::max<std::streamoff>(0, file.tellg() - data)) / 4;
    frames = available;
    const std::size_t count = std::min(available, most);
    file.seekg(data + static_cast<std::streamoff>(4 * (available - count)));
    std::vector<std::int16_t> raw(2 * count);
    if (!file.read(reinterpret_cast<char*>(raw.data()), static_cast<std::streamsize>(raw.size() * 2))) return samples;
    samples.resize(raw.size());
    std::transform(raw.begin(), raw.end(), samples.begin(), [](std::int16_t value) { return static_cast<float>(value) / 32768.0f; });
    return samples;
}

}  // namespace

int followDeckRecording(const std::string& path, std::FILE* in, std::FILE* out, int intervalMs)
{
    std::string pending;
    while (true) {
        std::size_t frames = 0;
        const std::vector<float> tail = wavTail(path, static_cast<std::size_t>(7 * DeckTestRate), frames);
        DeckLiveReading reading = deckLiveReading(tail.data(), tail.size() / 2, DeckTestRate);
        reading.seconds = static_cast<double>(frames) / DeckTestRate;
        const std::string line = deckLiveJson(reading) + "\n";
        if (std::fwrite(line.data(), 1, line.size(), out) != line.size() || std::fflush(out) != 0) return Failed;
        pollfd watch{fileno(in), POLLIN, 0};
        if (poll(&watch, 1, intervalMs) > 0) {
            char buffer[256];
            const ssize_t got = ::read(fileno(in), buffer, sizeof buffer);
            if (got <= 0) return PlanMade;
            pending.append(buffer, static_cast<std::size_t>(got));
            if (pending.find("stop") != std::string::npos) return PlanMade;
            if (pending.size() > 1024) pending.erase(0, pending.size() - 16);
        }
    }
}

std::optional<CommandResult> runDeckCommand(const std::vector<std::string>& arguments)
{
    const auto has = [&](std::string_view prefix) {
        return std::any_of(arguments.begin(), arguments.end(),
                           [&](const std::string& argument) { return argument.rfind(prefix, 0) == 0; });
    };
    if (!has("--deck-test") && !has("--deck-check")) return std::nullopt;
    std::string test, recording;
    bool json = false, live = false;
    for (const std::string& argument : arguments) {
        if (argument.rfind("--deck-test=", 0) == 0)
            test = argument.substr(12);
        else if (argument.rfind("--deck-check=", 0) == 0)
            recording = argument.substr(13);
        else if (argument == "--json")
            json = true;
        else if (argument == "--live")
            live = true;
        else
            return failure(fill(_("--deck-test と --deck-check には %1 を指定できません。"), {shownText(argument)}));
    }
    if (!test.empty() == !recording.empty() || (!test.empty() && (json || live)))
        return failure(_("「--deck-test=ファイル」か「--deck-check=録音 [--json | --live]」のどちらかを指定してください。"));
    if (!test.empty()) return writeTestProgram(test);
    if (live) {
        CommandResult result;
        result.exitStatus = followDeckRecording(recording, stdin, stdout);
        return result;
    }
    return checkRecording(recording, json);
}

std::string deckHelpText()
{
    return _(
        "\n"
        "デッキの点検：\n"
        "  --deck-test=ファイル テストプログラム（速度・ワウフラッター・アジマス・レベル・周波数特性・\n"
        "                       ノイズの信号）を WAV か FLAC（ファイル名の拡張子で）に書き出します\n"
        "  --deck-check=録音    デッキで再生したテストプログラムの録音を測ります（--json で JSON）。\n"
        "                       見つからない部分があると終了ステータスは 2 です\n"
        "  --deck-check=録音 --live  録音中の WAV を追いかけ、0.5 秒ごとに JSON の行を書きます\n"
        "                       （標準入力の stop で終了）\n");
}

}  // namespace vantoli::cli
