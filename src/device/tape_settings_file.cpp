#include "device/tape_settings_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

// The bytes of a regular file of at most MaxSettingsBytes; empty when there is no file; nothing for
// anything else.
std::optional<std::string> settingsBytes(const std::string& file)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) return std::string();
    if (!std::filesystem::is_regular_file(status)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > MaxSettingsBytes) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad() || text.size() > MaxSettingsBytes) return std::nullopt;
    return text;
}

// An exclusive lock on the folder of the settings file while it lives (flock on the folder itself, as
// the file is replaced by a rename and a lock file would stay behind).
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder)
        : descriptor_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        while (descriptor_ >= 0 && ::flock(descriptor_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock()
    {
        if (descriptor_ >= 0) ::close(descriptor_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool held() const { return descriptor_ >= 0; }

private:
    int descriptor_;
};

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
    SavedTapes saved{standardTapeChoices(), false, file, false, {}};
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (file.empty() || status.type() == std::filesystem::file_type::not_found) return saved;

    saved.damaged = true;
    const std::optional<std::string> text = settingsBytes(file);
    if (!text) {
        saved.unreadable = true;
        return saved;
    }

    StoredTapeList list = parseTapeSettings(*text);
    saved.damaged = list.state == StoredTapeList::State::Damaged;
    saved.choices = std::move(list.choices);
    saved.badLines = std::move(list.badLines);
    return saved;
}

std::optional<Message> savedTapesProblem(const SavedTapes& saved)
{
    if (saved.unreadable) return unreadableSettingsMessage(saved.file);
    if (saved.damaged) return unreadableTapesMessage(saved.file);
    if (!saved.badLines.empty()) return badSettingsLinesMessage(saved.file, saved.badLines);
    return std::nullopt;
}

namespace {

// Puts `text` in the place of `file`, written beside it first, making its folder when there is none.
bool replaceSettingsFile(const std::string& file, const std::string& text)
{
    const std::filesystem::path path(file);
    std::error_code error;

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

}  // namespace

bool changeSettings(const std::string& file, const std::function<std::string(std::string_view)>& change)
{
    if (file.empty()) return false;
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const FolderLock lock(folder);
    if (!lock.held()) return false;
    const std::optional<std::string> earlier = settingsBytes(file);
    if (!earlier) return false;
    const std::string text = change(*earlier);
    if (text == *earlier) return true;
    return replaceSettingsFile(file, text);
}

bool writeSavedTapes(const std::string& file, const std::vector<TapeChoice>& choices)
{
    return changeSettings(file, [&](std::string_view earlier) { return tapeSettingsText(choices, earlier); });
}

std::string readSettingsText(const std::string& file)
{
    return file.empty() ? std::string() : settingsBytes(file).value_or(std::string());
}

std::string readSetting(const std::string& file, const std::string& group, const std::string& key)
{
    const std::optional<std::string> text = file.empty() ? std::nullopt : settingsBytes(file);
    return text ? settingValue(*text, group, key) : std::string();
}

std::optional<CounterSetting> readSavedCounter(const std::string& file)
{
    const std::optional<std::string> text = file.empty() ? std::nullopt : settingsBytes(file);
    return text ? counterSetting(*text) : std::nullopt;
}

bool writeSavedCounter(const std::string& file, const CounterSetting& setting)
{
    return changeSettings(file, [&](std::string_view earlier) { return withCounterSetting(earlier, setting); });
}

bool writeSetting(const std::string& file, const std::string& group, const std::string& key, const std::string& value)
{
    return changeSettings(file, [&](std::string_view earlier) { return withSettingValue(earlier, group, key, value); });
}

}  // namespace vantoli
