#include "device/read_files.h"
#include "core/file_names.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <set>
#include <variant>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/cue_sheet.h"
#include "core/disc_kind.h"
#include "core/natural_order.h"
#include "core/playlist.h"
#include "core/streaming_csv.h"
#include "core/text_encoding.h"

namespace vantoli {

namespace fs = std::filesystem;

namespace {

// Raw CD audio: 2352 bytes a frame of 1/75 s, no header.
constexpr std::int64_t RawFrameBytes = 2352;

constexpr std::string_view AudioExtensions[] = {"aif", "aifc", "aiff", "ape", "flac", "m4a", "mp3", "mpc",
                                                "oga", "ogg",  "opus", "spx", "tta",  "wav", "wma", "wv"};


// The name the user knows an item by: its last part, as valid UTF-8.
std::string displayName(const fs::path& path)
{
    fs::path normal = path.lexically_normal();
    if (!normal.has_filename()) normal = normal.parent_path();
    std::string name = normal.filename().string();
    return validUtf8(name.empty() ? path.string() : name);
}

bool hidden(const fs::path& path)
{
    const std::string name = path.filename().string();
    return !name.empty() && name.front() == '.';
}

// The same file however it was named: symbolic links and "." and ".." resolved where the file exists.
std::string fileKey(const fs::path& path)
{
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(path, error);
    return (error ? path.lexically_normal() : canonical).string();
}

// A regular file ready to be read, or what keeps it from being read. Opened without waiting, so a
// named pipe is found out rather than waited on.
std::optional<FileProblem> regularFileProblem(const fs::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileProblem::Missing : FileProblem::CannotOpen;
    if (!S_ISREG(info.st_mode)) return FileProblem::NotAFile;
    if (::access(path.c_str(), R_OK) != 0) return FileProblem::CannotOpen;
    return std::nullopt;
}

// The whole of a playlist or CUE sheet, never more than MaxListFileBytes.
std::variant<std::string, FileProblem> readListFile(const fs::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileProblem::Missing : FileProblem::CannotOpen;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileProblem::NotAFile;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > MaxListFileBytes) {
        ::close(fd);
        return FileProblem::TooLarge;
    }
    std::string bytes;
    bytes.resize(MaxListFileBytes + 1);  // one byte more tells a file that grew past the limit
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return FileProblem::CannotOpen;
        }
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (filled > MaxListFileBytes) return FileProblem::TooLarge;
    bytes.resize(filled);
    return bytes;
}

bool existingRegularFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// What a CUE sheet's FILE names, found from the sheet's folder: the name as written ('\' read as
// '/'), else its last part beside the sheet (a sheet that kept the ripping machine's full path),
// else a file beside the sheet of the same name with an audio extension. Empty when none is there.
fs::path findSheetFile(const fs::path& folder, std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    const fs::path written(name);
    const fs::path direct = written.is_absolute() ? written : folder / written;
    if (existingRegularFile(direct)) return direct;
    const fs::path beside = folder / written.filename();
    if (written.has_filename() && existingRegularFile(beside)) return beside;

    const std::string stem = written.stem().string();
    if (stem.empty()) return {};
    std::vector<fs::path> candidates;
    std::error_code error;
    std::size_t seen = 0;
    for (fs::directory_iterator it(folder, error), end; !error && it != end && seen < MaxFolderEntries;
         it.increment(error), ++seen) {
        const fs::path& path = it->path();
        if (path.stem().string() == stem && isAudioFileName(path.filename().string()) && existingRegularFile(path))
            candidates.push_back(path);
    }
    if (candidates.empty()) return {};
    return *std::min_element(candidates.begin(), candidates.end(), [](const fs::path& a, const fs::path& b) {
        return naturalLess(a.filename().string(), b.filename().string());
    });
}

// One step of the reading, in the order the tracks come: an audio file, a CUE sheet, or an item
// found unreadable while the items were gathered.
struct Step {
    enum class Kind { Audio, Sheet, Problem, Listed } kind = Kind::Audio;
    fs::path path;          // the audio file or the CUE sheet
    std::string list;       // the playlist that named the audio file, or empty
    std::string title;      // the playlist's #EXTINF title for the audio file
    bool fromList = false;  // named by a playlist (not chosen, not found in a folder)
    CueSheet sheet;
    std::vector<fs::path> sheetFiles;  // the sheet's FILEs as found, as cueFiles() lists them
    UnreadableFile problem;
    std::vector<CsvPlaylistRow> rows;  // Listed: a streaming playlist's tracks, without sound

    std::int64_t trackCount() const
    {
        switch (kind) {
        case Kind::Audio: return 1;
        case Kind::Sheet: return static_cast<std::int64_t>(sheet.tracks.size());
        case Kind::Problem: return 0;
        case Kind::Listed: return static_cast<std::int64_t>(rows.size());
        }
        return 0;
    }
};

class Gathering {
public:
    std::vector<Step> steps;
    std::int64_t tooManyTracks = 0;  // a sheet of more than 99 tracks

    void item(const fs::path& path)
    {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (status.type() == fs::file_type::not_found) return problem(path, FileProblem::Missing);
        if (error) return problem(path, FileProblem::CannotOpen);
        if (fs::is_directory(status)) return folder(path);
        if (!fs::is_regular_file(status)) return problem(path, FileProblem::NotAFile);
        const std::string name = path.filename().string();
        if (isPlaylistName(name)) return playlist(path);
        if (isCueSheetName(name)) return cueSheet(path);
        if (isCsvPlaylistName(name)) return csvPlaylist(path);
        audio(path, {}, {}, false);
    }

private:
    void problem(const fs::path& path, FileProblem kind, std::string list = {})
    {
        Step step;
        step.kind = Step::Kind::Problem;
        step.problem = {displayName(path), std::move(list), kind};
        steps.push_back(std::move(step));
    }

    void audio(const fs::path& path, std::string list, std::string title, bool fromList)
    {
        Step step;
        step.kind = Step::Kind::Audio;
        step.path = path;
        step.list = std::move(list);
        step.title = std::move(title);
        step.fromList = fromList;
        steps.push_back(std::move(step));
    }

    void folder(const fs::path& path)
    {
        std::vector<fs::path> files;
        std::error_code error;
        std::size_t seen = 0;
        for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
            if (++seen > MaxFolderEntries) return problem(path, FileProblem::TooManyFiles);
            const fs::path& file = it->path();
            std::error_code typeError;
            if (!hidden(file) && isAudioFileName(file.filename().string()) && it->is_regular_file(typeError))
                files.push_back(file);
        }
        if (error) return problem(path, FileProblem::CannotOpen);
        std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
            return naturalLess(a.filename().string(), b.filename().string());
        });
        for (const fs::path& file : files) audio(file, {}, {}, false);
    }

    void playlist(const fs::path& path)
    {
        std::variant<std::string, FileProblem> bytes = readListFile(path);
        if (const auto* kind = std::get_if<FileProblem>(&bytes)) return problem(path, *kind);
        const TextEncoding encoding =
            extensionOf(path.filename().string()) == "m3u8" ? TextEncoding::Utf8 : TextEncoding::Utf8OrShiftJis;
        const std::optional<std::vector<PlaylistEntry>> entries = parsePlaylist(std::get<std::string>(bytes), encoding);
        if (!entries) return problem(path, FileProblem::NotAPlaylist);

        const std::string listName = displayName(path);
        const fs::path folder = path.parent_path();
        for (const PlaylistEntry& entry : *entries) {
            if (!entry.elsewhere.empty()) {
                Step step;
                step.kind = Step::Kind::Problem;
                step.problem = {validUtf8(entry.elsewhere), listName, FileProblem::NotLocal};
                steps.push_back(std::move(step));
                continue;
            }
            const fs::path written(entry.path);
            const fs::path file = written.is_absolute() ? written : folder / written;
            const std::string name = file.filename().string();
            if (isPlaylistName(name) || isCueSheetName(name))
                problem(file, FileProblem::ListInList, listName);
            else
                audio(file, listName, entry.title, true);
        }
    }

    void csvPlaylist(const fs::path& path)
    {
        std::variant<std::string, FileProblem> bytes = readListFile(path);
        if (const auto* kind = std::get_if<FileProblem>(&bytes)) return problem(path, *kind);
        std::optional<std::vector<CsvPlaylistRow>> rows = parseStreamingCsv(std::get<std::string>(bytes));
        if (!rows) return problem(path, FileProblem::NotAPlaylist);
        Step step;
        step.kind = Step::Kind::Listed;
        step.path = path;
        step.rows = std::move(*rows);
        steps.push_back(std::move(step));
    }

    void cueSheet(const fs::path& path)
    {
        std::variant<std::string, FileProblem> bytes = readListFile(path);
        if (const auto* kind = std::get_if<FileProblem>(&bytes)) return problem(path, *kind);
        std::variant<CueSheet, CueSheetError> parsed = parseCueSheet(std::get<std::string>(bytes));
        if (const auto* error = std::get_if<CueSheetError>(&parsed)) {
            if (*error == CueSheetError::TooManyTracks) {
                tooManyTracks = LongDiscTrackLimit + 1;
                return;
            }
            return problem(path, FileProblem::NotACueSheet);
        }
        Step step;
        step.kind = Step::Kind::Sheet;
        step.path = path;
        step.sheet = std::move(std::get<CueSheet>(parsed));
        for (const std::string& file : cueFiles(step.sheet))
            step.sheetFiles.push_back(findSheetFile(path.parent_path(), file));
        steps.push_back(std::move(step));
    }
};

// An audio file chosen together with a playlist or sheet that names it is read through the list.
void dropFilesNamedByLists(std::vector<Step>& steps)
{
    std::set<std::string> named;
    for (const Step& step : steps) {
        if (step.kind == Step::Kind::Audio && step.fromList) named.insert(fileKey(step.path));
        if (step.kind == Step::Kind::Sheet)
            for (const fs::path& file : step.sheetFiles)
                if (!file.empty()) named.insert(fileKey(file));
    }
    if (named.empty()) return;
    std::erase_if(steps, [&](const Step& step) {
        return step.kind == Step::Kind::Audio && !step.fromList && named.contains(fileKey(step.path));
    });
}

// The album and its artist when every track agrees on them, else empty.
class Common {
public:
    void add(const std::string& value)
    {
        if (first_) {
            value_ = value;
            first_ = false;
        } else if (value_ != value) {
            value_.clear();
        }
    }
    const std::string& value() const { return value_; }

private:
    std::string value_;
    bool first_ = true;
};

}  // namespace

bool isAudioFileName(std::string_view name)
{
    const std::string extension = extensionOf(name);
    return std::find(std::begin(AudioExtensions), std::end(AudioExtensions), extension) != std::end(AudioExtensions);
}

bool isPlaylistName(std::string_view name)
{
    const std::string extension = extensionOf(name);
    return extension == "m3u" || extension == "m3u8";
}

bool isCueSheetName(std::string_view name) { return extensionOf(name) == "cue"; }

FileTracks readTrackFiles(const std::vector<std::string>& items, const AudioFileReader& reader)
{
    std::vector<fs::path> ordered(items.begin(), items.end());
    std::sort(ordered.begin(), ordered.end(), [](const fs::path& a, const fs::path& b) {
        const std::string nameA = displayName(a), nameB = displayName(b);
        if (nameA != nameB) return naturalLess(nameA, nameB);
        return a.native() < b.native();
    });

    Gathering gathering;
    for (const fs::path& item : ordered) gathering.item(item);
    std::vector<Step>& steps = gathering.steps;
    dropFilesNamedByLists(steps);

    std::int64_t count = gathering.tooManyTracks;
    for (const Step& step : steps) count += step.trackCount();
    if (count > LongDiscTrackLimit) return TooManyFileTracks{count};

    TrackList list;
    UnreadableFiles unreadable;
    Common album, albumArtist;
    for (const Step& step : steps) {
        switch (step.kind) {
        case Step::Kind::Problem: unreadable.files.push_back(step.problem); break;
        case Step::Kind::Listed:
            for (const CsvPlaylistRow& row : step.rows) {
                if (!row.milliseconds) {
                    unreadable.files.push_back({row.title, displayName(step.path), FileProblem::UnknownLength});
                    continue;
                }
                list.tracks.push_back({*row.milliseconds, row.title, row.artist, {}});
                album.add(row.album);
                albumArtist.add(row.artist);
            }
            break;
        case Step::Kind::Audio: {
            if (const std::optional<FileProblem> kind = regularFileProblem(step.path)) {
                unreadable.files.push_back({displayName(step.path), step.list, *kind});
                break;
            }
            const std::optional<AudioFileTags> tags = reader.read(step.path.string());
            if (!tags || tags->milliseconds <= 0) {
                unreadable.files.push_back(
                    {displayName(step.path), step.list, tags ? FileProblem::UnknownLength : FileProblem::NotAudio});
                break;
            }
            std::string title = tags->title;
            if (title.empty()) title = step.title;
            if (title.empty()) title = validUtf8(step.path.stem().string());
            list.tracks.push_back(
                {tags->milliseconds, std::move(title), tags->artist, {AudioSource::Kind::File, step.path.string()}});
            album.add(tags->album);
            albumArtist.add(tags->albumArtist);
            break;
        }
        case Step::Kind::Sheet: {
            const std::vector<std::string> files = cueFiles(step.sheet);
            const std::string sheetName = displayName(step.path);
            std::vector<std::int64_t> lengths(files.size(), 0);
            bool readable = true;
            for (std::size_t i = 0; i < files.size(); ++i) {
                const fs::path& found = step.sheetFiles[i];
                std::string name = files[i];
                std::replace(name.begin(), name.end(), '\\', '/');
                if (found.empty()) {
                    unreadable.files.push_back({displayName(name), sheetName, FileProblem::Missing});
                    readable = false;
                    continue;
                }
                if (const std::optional<FileProblem> kind = regularFileProblem(found)) {
                    unreadable.files.push_back({displayName(found), sheetName, *kind});
                    readable = false;
                    continue;
                }
                const bool raw = std::find(step.sheet.rawFiles.begin(), step.sheet.rawFiles.end(), files[i]) !=
                                 step.sheet.rawFiles.end();
                if (raw) {
                    std::error_code error;
                    const auto bytes = static_cast<std::int64_t>(fs::file_size(found, error));
                    lengths[i] = error ? 0 : bytes / RawFrameBytes * 1000 / CueFramesPerSecond;
                } else if (const std::optional<AudioFileTags> tags = reader.read(found.string())) {
                    lengths[i] = tags->milliseconds;
                } else {
                    unreadable.files.push_back({displayName(found), sheetName, FileProblem::NotAudio});
                    readable = false;
                    continue;
                }
                if (lengths[i] <= 0) {
                    unreadable.files.push_back({displayName(found), sheetName, FileProblem::UnknownLength});
                    readable = false;
                }
            }
            if (!readable) break;
            const auto fileLength = [&](const std::string& file) -> std::int64_t {
                const auto at = std::find(files.begin(), files.end(), file);
                return at == files.end() ? 0 : lengths[static_cast<std::size_t>(at - files.begin())];
            };
            std::variant<TrackList, std::string> tracks = cueTrackList(step.sheet, fileLength);
            if (const auto* file = std::get_if<std::string>(&tracks)) {
                const std::size_t at =
                    static_cast<std::size_t>(std::find(files.begin(), files.end(), *file) - files.begin());
                unreadable.files.push_back({displayName(step.sheetFiles[at]), sheetName, FileProblem::PastFileEnd});
                break;
            }
            for (Track& track : std::get<TrackList>(tracks).tracks) {
                // The sound is in the file as found, not as the sheet spells it.
                const auto at = std::find(files.begin(), files.end(), track.audio.path);
                track.audio.path = step.sheetFiles[static_cast<std::size_t>(at - files.begin())].string();
                list.tracks.push_back(std::move(track));
                album.add(step.sheet.title);
                albumArtist.add(step.sheet.performer);
            }
            break;
        }
        }
    }
    if (!unreadable.files.empty()) return unreadable;
    list.album = album.value();
    list.artist = albumArtist.value();
    return list;
}

}  // namespace vantoli
