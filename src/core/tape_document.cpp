#include "core/tape_document.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <utility>

#include "core/entry_reading.h"
#include "core/json_number.h"
#include "core/language.h"
#include "core/pattern_format.h"

namespace vantoli {

using Json = nlohmann::ordered_json;

// ---- Plans and label texts -----------------------------------------------------------------------

SavedPlan savedPlanOf(const TapePlan& plan)
{
    return SavedPlan{Tape{plan.tapeMinutes, plan.sideCapacity}, plan.sideA, plan.sideB};
}

bool samePlan(const SavedPlan& saved, const TapePlan& plan) { return saved == savedPlanOf(plan); }

namespace {

void collectTitles(std::map<int, std::string>& titles, const LabelSide& side)
{
    for (const LabelTrack& track : side.tracks) titles[track.number] = track.title;
}

}  // namespace

LabelTexts labelTexts(const LabelContent& prefilled, const LabelContent& shown)
{
    LabelTexts texts{shown.title, shown.artist, shown.note, {}};
    std::map<int, std::string> before;
    collectTitles(before, prefilled.sideA);
    collectTitles(before, prefilled.sideB);
    std::map<int, std::string> now;
    collectTitles(now, shown.sideA);
    collectTitles(now, shown.sideB);
    for (const auto& [number, title] : now) {
        const auto was = before.find(number);
        if (was == before.end() || was->second != title) texts.titles.push_back({number, title});
    }
    return texts;
}

void applyLabelTexts(LabelContent& label, const LabelTexts& texts)
{
    label.title = texts.title;
    label.artist = texts.artist;
    label.note = texts.note;
    for (LabelSide* side : {&label.sideA, &label.sideB})
        for (LabelTrack& track : side->tracks)
            for (const EditedTitle& edited : texts.titles)
                if (edited.number == track.number) track.title = edited.title;
}

// ---- Paths -----------------------------------------------------------------------------------------

namespace {

// A path below the folder relative to it; any other path as it is.
std::string storedPath(const std::string& path, const std::string& folder)
{
    namespace fs = std::filesystem;
    if (folder.empty() || path.empty()) return path;
    const fs::path file = fs::path(path).lexically_normal();
    const fs::path base = fs::path(folder).lexically_normal();
    if (!file.is_absolute() || !base.is_absolute()) return path;
    const fs::path relative = file.lexically_relative(base);
    if (relative.empty() || *relative.begin() == "..") return path;
    return relative.generic_string();
}

std::string readPath(const std::string& stored, const std::string& folder)
{
    namespace fs = std::filesystem;
    const fs::path path(stored);
    if (stored.empty() || path.is_absolute() || folder.empty()) return stored;
    fs::path full = (fs::path(folder) / path).lexically_normal();
    if (!full.has_filename() && full.has_relative_path()) full = full.parent_path();  // "." is the folder itself
    return full.string();
}

// ---- Writing ---------------------------------------------------------------------------------------

Json tapeJson(const Tape& tape) { return Json{{"minutes", tape.minutes}, {"sideCapacity", tape.sideCapacity}}; }

Json audioJson(const AudioSource& audio, const FileStamp& stamp, const std::string& folder)
{
    switch (audio.kind) {
    case AudioSource::Kind::None: return nullptr;
    case AudioSource::Kind::File: {
        Json file{{"file", storedPath(audio.path, folder)}};
        if (audio.startFrame != 0 || audio.endFrame != -1) {
            file["startFrame"] = audio.startFrame;
            file["endFrame"] = audio.endFrame;
        }
        if (stamp.size >= 0) {
            file["size"] = stamp.size;
            file["modified"] = stamp.modified;
        }
        return file;
    }
    case AudioSource::Kind::CdTrack: return Json{{"cdTrack", audio.cdTrack}, {"device", audio.path}};
    }
    return nullptr;
}

}  // namespace

namespace {

// The members of one tape, as the root of a document of one tape holds them and each element of a
// set's `tapes` array.
void writeTape(Json& root, const TapeDocument& document, const std::string& folder)
{
    Json sources = Json::array();
    for (const std::string& source : document.sources) sources.push_back(storedPath(source, folder));
    root["sources"] = sources;
    root["entries"] = document.entries;
    root["album"] = document.tracks.album;
    root["artist"] = document.tracks.artist;
    Json tracks = Json::array();
    for (std::size_t i = 0; i < document.tracks.tracks.size(); ++i) {
        const Track& track = document.tracks.tracks[i];
        const FileStamp stamp = i < document.stamps.size() ? document.stamps[i] : FileStamp{};
        Json item{{"milliseconds", track.milliseconds},
                  {"title", track.title},
                  {"artist", track.artist},
                  {"audio", audioJson(track.audio, stamp, folder)}};
        // Only a time typed over the audio is written: a document without it reads as before.
        if (track.timeTyped) item["typed"] = true;
        tracks.push_back(std::move(item));
    }
    root["tracks"] = tracks;
    root["longList"] = document.longList;
    if (!document.file.empty()) root["file"] = document.file;

    Json tapes = Json::array();
    for (const Tape& tape : document.lineup) tapes.push_back(tapeJson(tape));
    root["options"] = Json{{"keepOrder", document.options.keepOrder},
                           {"gap", document.options.gap},
                           {"exact", document.options.exact},
                           {"tapes", tapes}};

    if (document.plan)
        root["plan"] = Json{{"tape", tapeJson(document.plan->tape)},
                            {"sideA", document.plan->sideA},
                            {"sideB", document.plan->sideB}};
    else
        root["plan"] = nullptr;

    if (document.label) {
        Json titles = Json::array();
        for (const EditedTitle& edited : document.label->titles)
            titles.push_back(Json{{"number", edited.number}, {"title", edited.title}});
        root["label"] = Json{{"title", document.label->title},
                             {"artist", document.label->artist},
                             {"note", document.label->note},
                             {"titles", titles}};
    } else {
        root["label"] = nullptr;
    }

    const DubbingSettings& dubbing = document.dubbing;
    root["dubbing"] =
        Json{{"leadInSeconds", dubbing.leadInSeconds},
             {"loudness", loudnessName(dubbing.loudness)},
             {"tone",
              Json{{"seconds", dubbing.tone.seconds}, {"hertz", dubbing.tone.hertz}, {"dbfs", dubbing.tone.dbfs}}}};
    // Only sides that were checked, so that a document never checked reads as before.
    Json checks = Json::object();
    for (int side = 0; side < 2; ++side)
        if (const auto& check = document.checks[side])
            checks[side == 0 ? "A" : "B"] = Json{{"date", check->date},
                                                 {"speedPercent", check->speedPercent},
                                                 {"dropouts", check->dropouts},
                                                 {"clipped", check->clipped},
                                                 {"cutSeconds", check->cutSeconds}};
    if (!checks.empty()) root["tapeChecks"] = checks;
}

Json documentRoot(int version)
{
    Json root;
    root["format"] = TapeFormatName;
    root["version"] = version;
    root["minReaderVersion"] = version;
    return root;
}

// Text that is not UTF-8 (a file name of another encoding) is written with U+FFFD in its place.
std::string documentText(const Json& root) { return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n"; }

}  // namespace

std::string writeTapeDocument(const TapeDocument& document, const std::string& folder)
{
    Json root = documentRoot(OneTapeFormatVersion);
    writeTape(root, document, folder);
    return documentText(root);
}

std::string writeSetDocument(const SetDocument& set, const std::string& folder)
{
    if (set.albums.empty()) return writeTapeDocument(set.tapes.empty() ? TapeDocument{} : set.tapes.front(), folder);
    Json root = documentRoot(TapeFormatVersion);
    Json albums = Json::array();
    for (const SavedAlbum& album : set.albums) {
        Json sources = Json::array();
        for (const std::string& source : album.sources) sources.push_back(storedPath(source, folder));
        albums.push_back(
            Json{{"sources", sources}, {"album", album.album}, {"artist", album.artist}, {"tracks", album.tracks}});
    }
    root["set"] = Json{{"gap", set.gap}, {"albums", albums}};
    Json tapes = Json::array();
    for (const TapeDocument& tape : set.tapes) {
        Json item = Json::object();
        writeTape(item, tape, folder);
        tapes.push_back(std::move(item));
    }
    root["tapes"] = tapes;
    return documentText(root);
}

std::vector<TrackList> setAlbumTracks(const SetDocument& set)
{
    std::vector<TrackList> albums;
    std::size_t tape = 0, track = 0;
    for (const SavedAlbum& saved : set.albums) {
        TrackList album{saved.album, saved.artist, {}};
        for (int n = 0; n < saved.tracks; ++n) {
            while (tape < set.tapes.size() && track >= set.tapes[tape].tracks.tracks.size()) {
                ++tape;
                track = 0;
            }
            if (tape >= set.tapes.size()) break;
            album.tracks.push_back(set.tapes[tape].tracks.tracks[track++]);
        }
        albums.push_back(std::move(album));
    }
    return albums;
}

// ---- Parsing ---------------------------------------------------------------------------------------

namespace {

struct Refused {
    DocumentError error;
};

[[noreturn]] void refuse(DocumentError::Kind kind, std::string where) { throw Refused{{kind, std::move(where)}}; }

// Reading members with their place in the document, for the message.
class Reader {
public:
    Reader(const Json& value, std::string where) : value_(value), where_(std::move(where)) {}

    const Json& value() const { return value_; }
    const std::string& where() const { return where_; }

    bool has(const char* name) const { return value_.contains(name) && !value_.at(name).is_null(); }

    Reader member(const char* name) const
    {
        if (!value_.contains(name)) refuse(DocumentError::Kind::WrongType, path(name));
        return Reader(value_.at(name), path(name));
    }

    Reader object(const char* name) const
    {
        Reader r = member(name);
        if (!r.value_.is_object()) refuse(DocumentError::Kind::WrongType, r.where_);
        return r;
    }

    std::vector<Reader> array(const char* name) const
    {
        const Reader r = member(name);
        if (!r.value_.is_array()) refuse(DocumentError::Kind::WrongType, r.where_);
        std::vector<Reader> items;
        items.reserve(r.value_.size());
        for (std::size_t i = 0; i < r.value_.size(); ++i)
            items.emplace_back(r.value_.at(i), r.where_ + "[" + std::to_string(i) + "]");
        return items;
    }

    std::string text(const char* name) const
    {
        const Reader r = member(name);
        if (!r.value_.is_string()) refuse(DocumentError::Kind::WrongType, r.where_);
        return r.value_.get<std::string>();
    }
    std::string text() const
    {
        if (!value_.is_string()) refuse(DocumentError::Kind::WrongType, where_);
        return value_.get<std::string>();
    }

    bool flag(const char* name) const
    {
        const Reader r = member(name);
        if (!r.value_.is_boolean()) refuse(DocumentError::Kind::WrongType, r.where_);
        return r.value_.get<bool>();
    }

    std::int64_t integer(const char* name, std::int64_t low, std::int64_t high) const
    {
        return member(name).integer(low, high);
    }
    std::int64_t integer(std::int64_t low, std::int64_t high) const
    {
        if (!value_.is_number_integer()) refuse(DocumentError::Kind::WrongType, where_);
        const std::optional<std::int64_t> v = wholeNumber(value_, low, high);
        if (!v) refuse(DocumentError::Kind::OutOfRange, where_);
        return *v;
    }

    double number(const char* name, double low, double high) const
    {
        const Reader r = member(name);
        if (!r.value_.is_number()) refuse(DocumentError::Kind::WrongType, r.where_);
        const double v = r.value_.get<double>();
        if (!std::isfinite(v) || v < low || v > high) refuse(DocumentError::Kind::OutOfRange, r.where_);
        return v;
    }

    // Where a member of this one is: "tapes[2].tracks" for "tracks" of "tapes[2]".
    std::string at(const std::string& name) const { return where_.empty() ? name : where_ + "." + name; }

private:
    std::string path(const char* name) const { return at(name); }

    const Json& value_;
    std::string where_;
};

constexpr std::int64_t IntMax = std::numeric_limits<int>::max();
constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();

Tape readTape(const Reader& r)
{
    return Tape{static_cast<int>(r.integer("minutes", ShortestTapeMinutes, LongestTapeMinutes)),
                static_cast<int>(r.integer("sideCapacity", 1, LargestSideCapacity))};
}

std::vector<int> readNumbers(const Reader& r, const char* name, std::int64_t highest)
{
    std::vector<int> numbers;
    for (const Reader& item : r.array(name)) numbers.push_back(static_cast<int>(item.integer(1, highest)));
    if (numbers.size() > static_cast<std::size_t>(MaxDocumentTracks))
        refuse(DocumentError::Kind::TooManyTracks, r.at(name));
    return numbers;
}

void readTrack(const Reader& r, const std::string& folder, Track& track, FileStamp& stamp)
{
    if (!r.value().is_object()) refuse(DocumentError::Kind::WrongType, r.where());
    track.milliseconds = r.integer("milliseconds", 0, MaxDocumentTrackMilliseconds);
    track.title = r.text("title");
    track.artist = r.text("artist");
    track.timeTyped = r.has("typed") && r.flag("typed");
    if (!r.has("audio")) return;
    const Reader audio = r.object("audio");
    if (audio.has("file")) {
        track.audio.kind = AudioSource::Kind::File;
        track.audio.path = readPath(audio.text("file"), folder);
        if (audio.has("startFrame")) {
            track.audio.startFrame = audio.integer("startFrame", 0, MaxAudioFramePosition);
            track.audio.endFrame = audio.integer("endFrame", -1, MaxAudioFramePosition);
            if (track.audio.endFrame != -1 && track.audio.endFrame <= track.audio.startFrame)
                refuse(DocumentError::Kind::OutOfRange, audio.where() + ".endFrame");
        }
        if (audio.has("size")) {
            stamp.size = audio.integer("size", 0, Int64Max);
            stamp.modified = audio.integer("modified", Int64Min, Int64Max);
        }
    } else if (audio.has("cdTrack")) {
        track.audio.kind = AudioSource::Kind::CdTrack;
        track.audio.cdTrack = static_cast<int>(audio.integer("cdTrack", 1, 99));
        track.audio.path = audio.text("device");
    } else {
        refuse(DocumentError::Kind::WrongType, audio.where());
    }
}

Loudness readLoudness(const Reader& r)
{
    if (const std::optional<Loudness> loudness = loudnessOfName(r.text("loudness"))) return *loudness;
    refuse(DocumentError::Kind::OutOfRange, r.at("loudness"));
}

TapeDocument readDocument(const Reader& root, const std::string& folder)
{
    TapeDocument document;
    for (const Reader& source : root.array("sources")) document.sources.push_back(readPath(source.text(), folder));

    const std::vector<Reader> entries = root.array("entries");
    if (entries.size() > static_cast<std::size_t>(EntryCount))
        refuse(DocumentError::Kind::TooManyTracks, root.at("entries"));
    for (const Reader& entry : entries) {
        document.entries.push_back(entry.text());
        if (document.entries.back().size() > static_cast<std::size_t>(MaxEntryLength) * 4)
            refuse(DocumentError::Kind::OutOfRange, entry.where());
    }

    // The entries as the window plans them: up to the first empty one, each a time it can read.
    EntryTexts typed;
    std::copy(document.entries.begin(), document.entries.end(), typed.begin());
    const auto times = ReadTrackTimes(typed);
    if (const auto* bad = std::get_if<EntryError>(&times))
        refuse(DocumentError::Kind::BadEntry, root.at("entries[" + std::to_string(bad->track - 1) + "]"));

    document.tracks.album = root.text("album");
    document.tracks.artist = root.text("artist");
    const std::vector<Reader> tracks = root.array("tracks");
    if (tracks.size() > static_cast<std::size_t>(MaxDocumentTracks))
        refuse(DocumentError::Kind::TooManyTracks, root.at("tracks"));
    document.tracks.tracks.resize(tracks.size());
    document.stamps.resize(tracks.size());
    for (std::size_t i = 0; i < tracks.size(); ++i)
        readTrack(tracks[i], folder, document.tracks.tracks[i], document.stamps[i]);

    document.longList = root.flag("longList");
    if (root.has("file")) document.file = root.text("file");
    // A long list is planned from its tracks, the entries from the grid: neither can hold the other's count.
    if (document.longList && tracks.size() <= static_cast<std::size_t>(EntryCount))
        refuse(DocumentError::Kind::OutOfRange, root.at("longList"));
    if (!document.longList && tracks.size() > static_cast<std::size_t>(EntryCount))
        refuse(DocumentError::Kind::TooManyTracks, root.at("tracks"));

    const Reader options = root.object("options");
    document.options.keepOrder = options.flag("keepOrder");
    document.options.gap = options.flag("gap");
    document.options.exact = options.flag("exact");
    for (const Reader& tape : options.array("tapes")) {
        if (!tape.value().is_object()) refuse(DocumentError::Kind::WrongType, tape.where());
        document.lineup.push_back(readTape(tape));
    }
    if (!isUsableLineup(document.lineup)) refuse(DocumentError::Kind::OutOfRange, options.at("tapes"));

    if (root.has("plan")) {
        const Reader plan = root.object("plan");
        SavedPlan saved;
        saved.tape = readTape(plan.object("tape"));
        saved.sideA = readNumbers(plan, "sideA", MaxDocumentTracks);
        saved.sideB = readNumbers(plan, "sideB", MaxDocumentTracks);
        document.plan = std::move(saved);
    }

    if (root.has("label")) {
        const Reader label = root.object("label");
        LabelTexts texts{label.text("title"), label.text("artist"), label.text("note"), {}};
        std::set<int> numbers;
        for (const Reader& edited : label.array("titles")) {
            if (!edited.value().is_object()) refuse(DocumentError::Kind::WrongType, edited.where());
            const int number = static_cast<int>(edited.integer("number", 1, MaxDocumentTracks));
            if (!numbers.insert(number).second) refuse(DocumentError::Kind::OutOfRange, edited.where() + ".number");
            texts.titles.push_back({number, edited.text("title")});
        }
        document.label = std::move(texts);
    }

    const Reader dubbing = root.object("dubbing");
    document.dubbing.leadInSeconds = dubbing.number("leadInSeconds", 0, MaxLeadInSeconds);
    document.dubbing.loudness = readLoudness(dubbing);
    const Reader tone = dubbing.object("tone");
    document.dubbing.tone.seconds = tone.number("seconds", 0, MaxToneSeconds);
    document.dubbing.tone.hertz = static_cast<int>(tone.integer("hertz", 0, IntMax));
    if (!isToneHertz(document.dubbing.tone.hertz)) refuse(DocumentError::Kind::OutOfRange, tone.at("hertz"));
    document.dubbing.tone.dbfs = tone.number("dbfs", MinToneDbfs, MaxToneDbfs);
    if (root.has("tapeChecks")) {
        const Reader checks = root.object("tapeChecks");
        for (int side = 0; side < 2; ++side) {
            const char* name = side == 0 ? "A" : "B";
            if (!checks.has(name)) continue;
            const Reader check = checks.object(name);
            document.checks[side] = SideCheckRecord{check.text("date"), check.number("speedPercent", -100, 100),
                                                    static_cast<int>(check.integer("dropouts", 0, IntMax)),
                                                    static_cast<int>(check.integer("clipped", 0, IntMax)),
                                                    check.number("cutSeconds", 0, 86400)};
        }
    }
    return document;
}

// A set: its tapes, each read as a document of one tape is, and its albums, which must share out the
// tapes' tracks exactly.
SetDocument readSet(const Reader& root, const std::string& folder)
{
    SetDocument set;
    const std::vector<Reader> tapes = root.array("tapes");
    if (tapes.empty()) refuse(DocumentError::Kind::OutOfRange, "tapes");
    if (tapes.size() > static_cast<std::size_t>(MaxSetTapes)) refuse(DocumentError::Kind::TooManyTracks, "tapes");
    std::size_t tracks = 0;
    for (const Reader& tape : tapes) {
        if (!tape.value().is_object()) refuse(DocumentError::Kind::WrongType, tape.where());
        set.tapes.push_back(readDocument(tape, folder));
        tracks += set.tapes.back().tracks.tracks.size();
        if (tracks > static_cast<std::size_t>(MaxSetTracks)) refuse(DocumentError::Kind::TooManyTracks, "tapes");
    }

    const Reader about = root.object("set");
    set.gap = about.flag("gap");
    std::int64_t counted = 0;
    for (const Reader& album : about.array("albums")) {
        if (!album.value().is_object()) refuse(DocumentError::Kind::WrongType, album.where());
        SavedAlbum saved;
        for (const Reader& source : album.array("sources")) saved.sources.push_back(readPath(source.text(), folder));
        saved.album = album.text("album");
        saved.artist = album.text("artist");
        saved.tracks = static_cast<int>(album.integer("tracks", 0, MaxSetTracks));
        counted += saved.tracks;
        set.albums.push_back(std::move(saved));
    }
    if (set.albums.empty() || counted != static_cast<std::int64_t>(tracks))
        refuse(DocumentError::Kind::OutOfRange, "set.albums");
    return set;
}

}  // namespace

ParsedSetDocument parseSetDocument(std::string_view text, const std::string& folder)
{
    if (text.size() > MaxTapeDocumentBytes) return DocumentError{DocumentError::Kind::TooLarge, {}};
    // No exceptions from the parser: text that is no JSON gives a discarded value.
    const Json json = Json::parse(text.begin(), text.end(), nullptr, false);
    if (json.is_discarded()) return DocumentError{DocumentError::Kind::NotJson, {}};
    if (!json.is_object() || !json.contains("format") || !json.at("format").is_string() ||
        json.at("format").get<std::string>() != TapeFormatName)
        return DocumentError{DocumentError::Kind::OtherFormat, {}};
    try {
        const Reader root(json, {});
        const std::int64_t version = root.integer("version", 1, IntMax);
        // A later version says which readers can still read it; without that, none can. A reader older
        // than the one a document asks for never reads it, whatever its version says.
        if (version > TapeFormatVersion && !root.has("minReaderVersion"))
            refuse(DocumentError::Kind::TooNew, std::to_string(version));
        if (root.has("minReaderVersion") && root.integer("minReaderVersion", 1, IntMax) > TapeFormatVersion)
            refuse(DocumentError::Kind::TooNew, std::to_string(version));
        if (root.has("tapes")) return readSet(root, folder);
        SetDocument set;
        set.tapes.push_back(readDocument(root, folder));
        set.gap = set.tapes.front().options.gap;
        return set;
    } catch (const Refused& refused) {
        return refused.error;
    }
}

ParsedTapeDocument parseTapeDocument(std::string_view text, const std::string& folder)
{
    ParsedSetDocument parsed = parseSetDocument(text, folder);
    if (auto* error = std::get_if<DocumentError>(&parsed)) return *error;
    return std::move(std::get<SetDocument>(parsed).tapes.front());
}

// ---- Messages --------------------------------------------------------------------------------------

namespace {

// The index of "list[N]" at the start of where, and where its "]" is.
std::optional<std::pair<int, std::size_t>> leadingIndex(const std::string& where, const std::string& list)
{
    if (where.compare(0, list.size(), list) != 0) return std::nullopt;
    const std::size_t close = where.find(']', list.size());
    if (close == std::string::npos) return std::nullopt;
    int index = 0;
    const char* first = where.data() + list.size();
    const auto [end, failed] = std::from_chars(first, where.data() + close, index);
    if (failed != std::errc() || end != where.data() + close) return std::nullopt;
    return std::pair{index, close};
}

// "tracks[2].title" as the user counts: track 3's "title"; of a set, "tapes[1].tracks[2].title" is
// tape 2's track 3's "title"; other members as they are.
std::string memberForUser(const std::string& where)
{
    if (const auto tape = leadingIndex(where, "tapes["); tape && tape->second + 2 < where.size())
        return fill(_("テープ %1 の %2"),
                    {std::to_string(tape->first + 1), memberForUser(where.substr(tape->second + 2))});
    for (const std::string list : {"tracks[", "entries["}) {
        if (where.compare(0, list.size(), list) != 0) continue;
        const std::size_t close = where.find(']', list.size());
        if (close == std::string::npos) break;
        int index = 0;
        const char* first = where.data() + list.size();
        const auto [end, failed] = std::from_chars(first, where.data() + close, index);
        if (failed != std::errc() || end != where.data() + close) break;
        const std::string number = std::to_string(index + 1);
        if (close + 1 >= where.size()) return fill(_("トラック %1"), {number});
        return fill(_("トラック %1 の %2"), {number, where.substr(close + 2)});
    }
    return where;
}

Message tapeDocumentMessage(std::string text, MessageIcon icon = MessageIcon::Exclamation)
{
    return Message{_("テープ"), std::move(text), icon};
}

}  // namespace

Message documentErrorMessage(const DocumentError& error, const std::string& file)
{
    std::string reason;
    switch (error.kind) {
    case DocumentError::Kind::NotJson: reason = _("テープのファイルではありません（JSON ではありません）。"); break;
    case DocumentError::Kind::OtherFormat: reason = _("Vantoli のテープのファイルではありません。"); break;
    case DocumentError::Kind::TooNew:
        reason = fill(_("新しいバージョンの Vantoli で保存されたため、このバージョンでは開けません（形式 %1）。"),
                      {error.where});
        break;
    case DocumentError::Kind::WrongType:
        reason = fill(_("「%1」の値の種類が正しくありません。"), {memberForUser(error.where)});
        break;
    case DocumentError::Kind::OutOfRange:
        reason = fill(_("「%1」の値が範囲を超えています。"), {memberForUser(error.where)});
        break;
    case DocumentError::Kind::BadEntry:
        reason = fill(_("%1 の時間が正しくありません。"), {memberForUser(error.where)});
        break;
    case DocumentError::Kind::TooManyTracks:
        if (error.where == "tapes")
            reason = fill(_("テープが %1 本より多いか、曲が合わせて %2 曲より多くあります。"),
                          {std::to_string(MaxSetTapes), std::to_string(MaxSetTracks)});
        else if (error.where == "entries" || error.where.ends_with(".entries"))
            reason = _("入力欄が 20 より多くあります。");
        else
            reason = _("トラックが 99 より多くあります。");
        break;
    case DocumentError::Kind::TooLarge: reason = _("ファイルが大きすぎます。"); break;
    case DocumentError::Kind::NotAFile: reason = _("ファイルではありません。"); break;
    case DocumentError::Kind::Unreadable:
        reason = error.where.empty() ? std::string(_("読み込めませんでした。"))
                                     : fill(_("読み込めませんでした（%1）。"), {error.where});
        break;
    }
    return tapeDocumentMessage(fill(_("テープ「%1」を開けません。"), {file}) + "\r" + reason);
}

Message planChangedMessage(bool lineupChanged)
{
    return tapeDocumentMessage(lineupChanged ? _("保存したときからテープの種類が変わったため、構成案を作り直しました。")
                                             : _("保存されていた構成案と違うため、構成案を作り直しました。"),
                               MessageIcon::Information);
}

Message changedAudioFilesMessage(const std::vector<std::string>& missing, const std::vector<std::string>& changed)
{
    constexpr std::size_t Shown = 10;
    std::string text;
    std::size_t count = 0;
    const auto list = [&](const std::vector<std::string>& files, const char* heading) {
        if (files.empty()) return;
        text += heading;
        for (const std::string& file : files)
            if (count++ < Shown) text += fill(_("\r　%1"), {file});
    };
    list(missing, _("見つからない音声ファイルがあります："));
    if (!missing.empty() && !changed.empty()) text += "\r";
    list(changed, _("保存したときから変わった音声ファイルがあります："));
    if (count > Shown) text += fill(_("\rほか %1 個"), {std::to_string(count - Shown)});
    text += _("\rこれらの曲はダビングのときにタイマーで録音できます。");
    return tapeDocumentMessage(std::move(text));
}

}  // namespace vantoli
