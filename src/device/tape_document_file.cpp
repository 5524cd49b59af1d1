#include "device/tape_document_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <variant>

#include "core/language.h"

namespace vantoli {

namespace {

// The document's text, or why it cannot be had.
std::variant<std::string, DocumentError> documentFileText(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        return DocumentError{DocumentError::Kind::Unreadable, _("見つかりません")};
    if (error) return DocumentError{DocumentError::Kind::Unreadable, error.message()};
    if (status.type() != fs::file_type::regular) return DocumentError{DocumentError::Kind::NotAFile, {}};
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) return DocumentError{DocumentError::Kind::Unreadable, error.message()};
    if (size > MaxTapeDocumentBytes) return DocumentError{DocumentError::Kind::TooLarge, {}};

    std::ifstream in(path, std::ios::binary);
    if (!in) return DocumentError{DocumentError::Kind::Unreadable, std::strerror(errno)};
    // The file may have grown since it was looked at: never more than the limit and one byte is read.
    std::string text(static_cast<std::size_t>(MaxTapeDocumentBytes) + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return DocumentError{DocumentError::Kind::Unreadable, std::strerror(errno)};
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

}  // namespace

ParsedTapeDocument readTapeDocumentFile(const std::string& path)
{
    const auto text = documentFileText(path);
    if (const auto* error = std::get_if<DocumentError>(&text)) return *error;
    return parseTapeDocument(std::get<std::string>(text), documentFolder(path));
}

ParsedSetDocument readSetDocumentFile(const std::string& path)
{
    const auto text = documentFileText(path);
    if (const auto* error = std::get_if<DocumentError>(&text)) return *error;
    return parseSetDocument(std::get<std::string>(text), documentFolder(path));
}

std::string documentFolder(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return {};
    return absolute.lexically_normal().parent_path().string();
}

FileStamp stampOf(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
    return FileStamp{static_cast<std::int64_t>(info.st_size),
                     static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

void stampAudioFiles(TapeDocument& document)
{
    const std::vector<Track>& tracks = document.tracks.tracks;
    document.stamps.assign(tracks.size(), FileStamp{});
    for (std::size_t i = 0; i < tracks.size(); ++i)
        if (tracks[i].audio.kind == AudioSource::Kind::File) document.stamps[i] = stampOf(tracks[i].audio.path);
}

AudioFileCheck checkAudioFiles(const TapeDocument& document)
{
    AudioFileCheck check;
    const std::vector<Track>& tracks = document.tracks.tracks;
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const AudioSource& audio = tracks[i].audio;
        if (audio.kind != AudioSource::Kind::File) continue;
        // A single-file rip is named once for all its tracks.
        if (std::find(seen.begin(), seen.end(), audio.path) != seen.end()) continue;
        seen.push_back(audio.path);
        const FileStamp now = stampOf(audio.path);
        const FileStamp saved = i < document.stamps.size() ? document.stamps[i] : FileStamp{};
        if (now.size < 0)
            check.missing.push_back(audio.path);
        else if (saved.size >= 0 && now != saved)
            check.changed.push_back(audio.path);
    }
    return check;
}

}  // namespace vantoli
