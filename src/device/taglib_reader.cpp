#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/text_encoding.h"
#include "device/audio_file_reader.h"
#include "device/taglib_module.h"

namespace vantoli {

namespace {

// Where the module may lie: beside the running program (the window program is installed beside it),
// where the install rules put it as seen from bin/ (vantoli-plan), and in the build tree.
std::vector<std::filesystem::path> moduleCandidates()
{
    std::vector<std::filesystem::path> candidates;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        candidates.push_back(program.parent_path() / TagLibModuleName);
        candidates.push_back(
            (program.parent_path() / VANTOLI_MODULE_DIR_FROM_BINDIR / TagLibModuleName).lexically_normal());
    }
    candidates.push_back(std::filesystem::path(VANTOLI_BUILD_MODULE_DIR) / TagLibModuleName);
    return candidates;
}

ReadAudioFileFunction loadModule()
{
    std::string failures;
    for (const std::filesystem::path& candidate : moduleCandidates()) {
        if (!std::filesystem::is_regular_file(candidate)) continue;
        // Kept loaded for the rest of the run.
        if (void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            if (void* function = dlsym(module, ReadAudioFileSymbol))
                return reinterpret_cast<ReadAudioFileFunction>(function);
        }
        failures += std::string(" ") + dlerror();
    }
    // An installation without its module cannot read audio files; each one is then refused as no
    // audio file, and this line says why.
    std::fprintf(stderr, "vantoli: cannot load %s:%s\n", TagLibModuleName,
                 failures.empty() ? " not found" : failures.c_str());
    return nullptr;
}

std::string trimmed(const std::string& raw)
{
    const std::string text = validUtf8(raw);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::optional<AudioFileTags> TagLibReader::read(const std::string& path) const
{
    static const ReadAudioFileFunction readAudioFile = loadModule();
    AudioFileTags tags;
    if (!readAudioFile || !readAudioFile(path.c_str(), &tags)) return std::nullopt;
    tags.title = trimmed(tags.title);
    tags.artist = trimmed(tags.artist);
    tags.album = trimmed(tags.album);
    tags.albumArtist = trimmed(tags.albumArtist);
    if (tags.albumArtist.empty()) tags.albumArtist = tags.artist;
    return tags;
}

}  // namespace vantoli
