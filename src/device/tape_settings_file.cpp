#include "device/tape_settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "core/tape_settings.h"

namespace vantoli {

namespace {

// A settings file of every length the window allows stays far below this.
constexpr std::uintmax_t MaxSettingsBytes = 1024 * 1024;

// The bytes of a regular file of at most MaxSettingsBytes; nothing for anything else.
std::optional<std::string> settingsBytes(const std::string& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > MaxSettingsBytes) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return text;
}

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
    const std::optional<std::string> text = settingsBytes(file);
    if (!text) return saved;

    const StoredTapeList list = parseTapeSettings(*text);
    saved.damaged = list.state == StoredTapeList::State::Damaged;
    saved.choices = list.choices;
    return saved;
}

bool writeSavedTapes(const std::string& file, const std::vector<TapeChoice>& choices)
{
    if (file.empty()) return false;
    const std::filesystem::path path(file);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    const std::string text = tapeSettingsText(choices, settingsBytes(file).value_or(std::string()));

    // Written beside the file, then put in its place.
    std::string temporary = file + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) return false;
    ::fchmod(descriptor, 0644);
    bool written = true;
    for (std::size_t done = 0; written && done < text.size();) {
        const ssize_t n = ::write(descriptor, text.data() + done, text.size() - done);
        written = n > 0;
        if (written) done += static_cast<std::size_t>(n);
    }
    written = ::fsync(descriptor) == 0 && written;
    written = ::close(descriptor) == 0 && written;
    if (written) std::filesystem::rename(temporary, path, error);
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace vantoli
