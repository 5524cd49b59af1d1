#include "device/tape_settings_file.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/tape_settings.h"

namespace vantoli {

namespace {

// A settings file of every length the window allows stays far below this.
constexpr std::uintmax_t MaxSettingsBytes = 1024 * 1024;

}  // namespace

std::string tapeSettingsPath()
{
    std::string folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        folder = config;
    else if (const char* home = std::getenv("HOME"); home && home[0] != '\0')
        folder = std::string(home) + "/.config";
    else
        return {};
    return folder + "/Vantoli/Vantoli.ini";
}

SavedTapes readSavedTapes(const std::string& file)
{
    SavedTapes saved{standardTapeChoices(), false, file};
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (file.empty() || status.type() == std::filesystem::file_type::not_found) return saved;

    saved.damaged = true;
    if (status.type() != std::filesystem::file_type::regular) return saved;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > MaxSettingsBytes) return saved;
    std::ifstream in(file, std::ios::binary);
    if (!in) return saved;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return saved;

    const StoredTapeList list = parseTapeSettings(text);
    saved.damaged = list.state == StoredTapeList::State::Damaged;
    saved.choices = list.choices;
    return saved;
}

}  // namespace vantoli
