// vantoli-plan: plans a cassette dub from track times, a CD or audio files, without a window.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/plan_command.h"
#include "device/tape_settings_file.h"
#include "core/language.h"

namespace {

bool writeAll(std::FILE* stream, const std::string& text)
{
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

}  // namespace

int main(int argc, char* argv[])
{
    // The command line speaks the language of the environment; the window has a setting of its own.
    vantoli::setLanguage(vantoli::languageFromEnvironment());
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    const vantoli::cli::CommandResult result = vantoli::cli::runPlanCommand(arguments, vantoli::tapeSettingsPath());

    writeAll(stderr, result.err);
    const bool written = writeAll(stdout, result.out) && std::fflush(stdout) == 0;
    if (!written) {
        std::fprintf(stderr, "%s\n", vantoli::_("vantoli-plan: 標準出力に書き込めません。"));
        return vantoli::cli::Failed;
    }
    return result.exitStatus;
}
