#include "core/stream_request.h"

#include "core/tape_document.h"

#include <nlohmann/json.hpp>

#include "core/json_number.h"
#include "core/language.h"

namespace vantoli {

namespace {

using Json = nlohmann::ordered_json;

const char* whatName(StreamWhat what)
{
    switch (what) {
    case StreamWhat::Side: return "side";
    case StreamWhat::Tone: return "tone";
    case StreamWhat::Loudest: return "loudest";
    case StreamWhat::CountDown: return "countdown";
    }
    return "side";
}

// Thrown inside the parser only; parseStreamRequest returns it as a value.
struct Refused {
    std::string text;
};

template <typename T>
T member(const Json& json, const char* key, T fallback)
{
    if (!json.contains(key)) return fallback;
    try {
        return json.at(key).get<T>();
    } catch (const Json::exception&) {
        throw Refused{fill(_("「%1」の値が違います"), {key})};
    }
}

// A whole number of the request between `low` and `high`: 9.2e18 or 1.5 is no number of milliseconds.
std::int64_t integerMember(const Json& json, const char* key, std::int64_t fallback, std::int64_t low, std::int64_t high)
{
    if (!json.contains(key)) return fallback;
    const std::optional<std::int64_t> value = wholeNumber(json.at(key), low, high);
    if (!value) throw Refused{fill(_("「%1」の値が違います"), {key})};
    return *value;
}

// Where a track's sound is: {"kind":"file","path":…,"startFrame":…,"endFrame":…} or {"kind":"cd","path":
// DRIVE,"cdTrack":N}.
Json audioJson(const AudioSource& audio)
{
    const bool cd = audio.kind == AudioSource::Kind::CdTrack;
    return Json{{"kind", cd ? "cd" : "file"},
                {"path", audio.path},
                {"startFrame", audio.startFrame},
                {"endFrame", audio.endFrame},
                {"cdTrack", audio.cdTrack}};
}

AudioSource readAudio(const Json& item)
{
    AudioSource audio;
    const std::string kind = member<std::string>(item, "kind", "file");
    audio.path = member<std::string>(item, "path", "");
    if (kind == "file") {
        audio.kind = AudioSource::Kind::File;
        audio.startFrame = integerMember(item, "startFrame", 0, 0, MaxAudioFramePosition);
        audio.endFrame = integerMember(item, "endFrame", -1, -1, MaxAudioFramePosition);
        if (audio.path.empty()) throw Refused{_("ファイルのトラックに「path」がありません")};
        if (audio.endFrame >= 0 && audio.endFrame <= audio.startFrame)
            throw Refused{_("「startFrame」と「endFrame」の値が違います")};
    } else if (kind == "cd") {
        audio.kind = AudioSource::Kind::CdTrack;
        audio.cdTrack = static_cast<int>(integerMember(item, "cdTrack", 0, 0, 99));
        if (audio.cdTrack < 1 || audio.cdTrack > 99) throw Refused{_("「cdTrack」は 1 から 99 までです")};
    } else {
        throw Refused{_("「kind」は file か cd です")};
    }
    return audio;
}

StreamRequest readRequest(const Json& json)
{
    if (!json.is_object()) throw Refused{_("要求が JSON のオブジェクトではありません")};
    StreamRequest request;
    SideRequest& side = request.side;
    side.gap = member(json, "gap", true);
    DubbingSettings& settings = side.settings;
    settings.leadInSeconds = member(json, "leadInSeconds", 2.0);
    if (settings.leadInSeconds < 0 || settings.leadInSeconds > MaxLeadInSeconds)
        throw Refused{_("「leadInSeconds」は 0 から 30 までです")};
    if (json.contains("tone")) {
        const Json& tone = json.at("tone");
        if (!tone.is_object()) throw Refused{_("「tone」の値が違います")};
        settings.tone.seconds = member(tone, "seconds", 0.0);
        settings.tone.hertz = static_cast<int>(integerMember(tone, "hertz", 1000, 0, 100000));
        settings.tone.dbfs = member(tone, "dbfs", -12.0);
        if (!(settings.tone.seconds >= 0 && settings.tone.seconds <= MaxToneSeconds) || !isToneHertz(settings.tone.hertz) || !isToneDbfs(settings.tone.dbfs))
            throw Refused{_("「tone」の値が違います（400 か 1000 Hz、-20 から 0 dBFS）")};
    }
    const std::optional<Loudness> loudness = loudnessOfName(member<std::string>(json, "loudness", "off"));
    if (!loudness) throw Refused{_("「loudness」は off、track、album のどれかです")};
    settings.loudness = *loudness;
    const std::string what = member<std::string>(json, "what", "side");
    if (what == "side")
        request.what = StreamWhat::Side;
    else if (what == "tone")
        request.what = StreamWhat::Tone;
    else if (what == "loudest")
        request.what = StreamWhat::Loudest;
    else if (what == "countdown")
        request.what = StreamWhat::CountDown;
    else
        throw Refused{_("「what」は side、tone、loudest、countdown のどれかです")};
    request.startFrame = integerMember(json, "startFrame", 0, 0, MaxAudioFramePosition * SamplesPerCdFrame);
    request.countDownSeconds = member(json, "countDownSeconds", 0.0);
    if (!(request.countDownSeconds >= 0 && request.countDownSeconds <= MaxCountDownSeconds))
        throw Refused{_("「countDownSeconds」は 0 から 30 までです")};
    request.beep = member(json, "beep", true);
    if (request.what == StreamWhat::CountDown && request.countDownSeconds <= 0)
        throw Refused{_("「countDownSeconds」は 0 から 30 までです")};
    if (!json.contains("tracks") || !json.at("tracks").is_array()) throw Refused{_("「tracks」がありません")};
    for (const Json& item : json.at("tracks")) {
        if (!item.is_object()) throw Refused{_("「tracks」の要素がオブジェクトではありません")};
        SideTrack track;
        track.number = static_cast<int>(integerMember(item, "number", 0, 0, 9999));
        track.plannedMilliseconds = integerMember(item, "milliseconds", 0, 0, MaxDocumentTrackMilliseconds);
        track.audio = readAudio(item);
        side.tracks.push_back(track);
    }
    if (json.contains("albumTracks")) {
        if (!json.at("albumTracks").is_array()) throw Refused{_("「albumTracks」の値が違います")};
        for (const Json& item : json.at("albumTracks")) {
            if (!item.is_object()) throw Refused{_("「albumTracks」の要素がオブジェクトではありません")};
            side.albumTracks.push_back(readAudio(item));
        }
    }
    if (request.what != StreamWhat::Tone && request.what != StreamWhat::CountDown && side.tracks.empty()) throw Refused{_("「tracks」が空です")};
    return request;
}

}  // namespace

SideRequest sideRequestOf(const std::vector<int>& numbers, const TrackList& tracks, bool gap,
                          const DubbingSettings& settings)
{
    SideRequest side{{}, gap, settings, {}};
    for (const Track& track : tracks.tracks)
        if (track.playsAudio()) side.albumTracks.push_back(track.audio);
    for (const int number : numbers) {
        SideTrack track{number, {}, 0};
        if (number >= 1 && static_cast<std::size_t>(number) <= tracks.tracks.size()) {
            const Track& from = tracks.tracks[static_cast<std::size_t>(number) - 1];
            track.audio = from.audio;
            track.plannedMilliseconds = from.milliseconds;
        }
        side.tracks.push_back(track);
    }
    return side;
}

std::string streamRequestJson(const StreamRequest& request)
{
    const SideRequest& side = request.side;
    Json tracks = Json::array();
    for (const SideTrack& track : side.tracks) {
        Json item{{"number", track.number}};
        item.update(audioJson(track.audio));
        item["milliseconds"] = track.plannedMilliseconds;
        tracks.push_back(item);
    }
    Json album = Json::array();
    for (const AudioSource& audio : side.albumTracks) album.push_back(audioJson(audio));
    const Json json{{"gap", side.gap},
                    {"leadInSeconds", side.settings.leadInSeconds},
                    {"tone",
                     Json{{"seconds", side.settings.tone.seconds},
                          {"hertz", side.settings.tone.hertz},
                          {"dbfs", side.settings.tone.dbfs}}},
                    {"loudness", loudnessName(side.settings.loudness)},
                    {"what", whatName(request.what)},
                    {"startFrame", request.startFrame},
                    {"countDownSeconds", request.countDownSeconds},
                    {"beep", request.beep},
                    {"tracks", tracks},
                    {"albumTracks", album}};
    // A path that is not UTF-8 goes with U+FFFD in its place rather than failing the whole request.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::variant<StreamRequest, RequestError> parseStreamRequest(std::string_view text)
{
    try {
        return readRequest(Json::parse(text));
    } catch (const Json::exception&) {
        return RequestError{_("JSON として読めません")};
    } catch (const Refused& refused) {
        return RequestError{refused.text};
    }
}

}  // namespace vantoli
