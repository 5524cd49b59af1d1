#include "device/tag_answer.h"

#include <algorithm>
#include <cstdint>

#include <nlohmann/json.hpp>

namespace vantoli {

namespace {

constexpr const char* Milliseconds = "milliseconds";
constexpr const char* Title = "title";
constexpr const char* Artist = "artist";
constexpr const char* Album = "album";
constexpr const char* AlbumArtist = "albumArtist";

}  // namespace

std::string tagAnswerLine(const std::optional<AudioFileTags>& tags)
{
    nlohmann::ordered_json answer;  // null
    if (tags) {
        answer = {{Milliseconds, tags->milliseconds},
                  {Title, tags->title},
                  {Artist, tags->artist},
                  {Album, tags->album},
                  {AlbumArtist, tags->albumArtist}};
    }
    return answer.dump() + "\n";
}

std::optional<AudioFileTags> parseTagAnswer(const std::string& line)
{
    const nlohmann::json answer = nlohmann::json::parse(line, nullptr, false);
    if (!answer.is_object()) return std::nullopt;
    const auto text = [&answer](const char* name) {
        const auto field = answer.find(name);
        return field != answer.end() && field->is_string() ? field->get<std::string>() : std::string();
    };
    const auto milliseconds = answer.find(Milliseconds);
    return AudioFileTags{milliseconds != answer.end() && milliseconds->is_number_integer()
                             ? std::max<std::int64_t>(0, milliseconds->get<std::int64_t>())
                             : 0,
                         text(Title), text(Artist), text(Album), text(AlbumArtist)};
}

}  // namespace vantoli
