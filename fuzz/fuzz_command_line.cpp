// Arbitrary arguments to vantoli-plan (the bytes split at NUL), and arbitrary values of --tapes,
// --tone and --lead-in: every one is read or refused with a message, never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "core/tape_lineup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantoli::cli;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments{"vantoli-plan"};
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
        arguments.push_back(bytes.substr(start, end - start));
    arguments.push_back(bytes.substr(start));
    parseCommandLine(arguments);

    for (const char* option : {"--tone=", "--lead-in="}) parseCommandLine({"vantoli-plan", option + bytes});
    parseCommandLine({"vantoli-plan", "--tapes=" + bytes});
    // A list of tapes the lineup's checks pass holds no tape of nought minutes or seconds.
    if (const auto tapes = parseTapeList(bytes); tapes && !vantoli::checkTapeChoices(*tapes))
        for (const vantoli::TapeChoice& tape : *tapes)
            if (tape.minutes <= 0 || tape.sideCapacity <= 0) std::abort();
    if (const auto tone = parseTone(bytes))
        if (!(tone->seconds >= 0 && tone->seconds <= 60)) std::abort();
    return 0;
}
