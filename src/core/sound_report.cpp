#include "core/sound_report.h"

#include <algorithm>
#include <cmath>

#include <nlohmann/json.hpp>

namespace vantoli {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* EventNames[] = {"level", "cue", "paused", "resumed", "error"};
constexpr const char* CueNames[] = {"countDown", "tone", "leadIn", "track", "gap", "end"};

template <typename Enum, std::size_t N>
std::optional<Enum> named(const Json& value, const char* const (&names)[N])
{
    if (!value.is_string()) return std::nullopt;
    const std::string& name = value.get_ref<const std::string&>();
    for (std::size_t i = 0; i < N; ++i)
        if (name == names[i]) return static_cast<Enum>(i);
    return std::nullopt;
}

// A level as written: one decimal, never below MinLevelDb.
double shown(double db) { return std::round(std::max(MinLevelDb, db) * 10) / 10; }

bool readPair(const Json& json, const char* key, double& left, double& right)
{
    const auto found = json.find(key);
    if (found == json.end() || !found->is_array() || found->size() != 2 || !(*found)[0].is_number() ||
        !(*found)[1].is_number())
        return false;
    left = (*found)[0].get<double>();
    right = (*found)[1].get<double>();
    return true;
}

std::int64_t integer(const Json& json, const char* key)
{
    const auto found = json.find(key);
    return found != json.end() && found->is_number_integer() ? found->get<std::int64_t>() : 0;
}

Json deviceList(const std::vector<SoundDevice>& devices)
{
    Json list = Json::array();
    for (const SoundDevice& device : devices)
        list.push_back(Json{{"name", device.name}, {"description", device.description}, {"default", device.isDefault}});
    return list;
}

std::optional<std::vector<SoundDevice>> readDevices(const Json& json, const char* key)
{
    const auto found = json.find(key);
    if (found == json.end() || !found->is_array()) return std::nullopt;
    std::vector<SoundDevice> devices;
    for (const Json& item : *found) {
        if (!item.is_object() || !item.contains("name") || !item["name"].is_string()) return std::nullopt;
        SoundDevice device;
        device.name = item["name"].get<std::string>();
        if (item.contains("description") && item["description"].is_string())
            device.description = item["description"].get<std::string>();
        device.isDefault = item.contains("default") && item["default"].is_boolean() && item["default"].get<bool>();
        devices.push_back(std::move(device));
    }
    return devices;
}

}  // namespace

bool SoundReport::operator==(const SoundReport& other) const
{
    const auto same = [](const ChannelLevel& a, const ChannelLevel& b) {
        return a.peakDb == b.peakDb && a.rmsDb == b.rmsDb;
    };
    return event == other.event && frame == other.frame && same(level.left, other.level.left) &&
           same(level.right, other.level.right) && cue == other.cue && track == other.track &&
           seconds == other.seconds && message == other.message;
}

std::string soundReportLine(const SoundReport& report)
{
    Json json{{"event", EventNames[static_cast<int>(report.event)]}};
    if (report.event != SoundEvent::Error) json["frame"] = report.frame;
    switch (report.event) {
    case SoundEvent::Level:
        json["peak"] = {shown(report.level.left.peakDb), shown(report.level.right.peakDb)};
        json["rms"] = {shown(report.level.left.rmsDb), shown(report.level.right.rmsDb)};
        break;
    case SoundEvent::Cue:
        json["cue"] = CueNames[static_cast<int>(report.cue)];
        if (report.cue == SoundCue::Track) json["track"] = report.track;
        if (report.cue == SoundCue::CountDown) json["seconds"] = report.seconds;
        break;
    case SoundEvent::Error: json["message"] = report.message; break;
    case SoundEvent::Paused:
    case SoundEvent::Resumed: break;
    }
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<SoundReport> parseSoundReport(std::string_view line)
{
    const Json json = Json::parse(line, nullptr, false);
    if (!json.is_object() || !json.contains("event")) return std::nullopt;
    const std::optional<SoundEvent> event = named<SoundEvent>(json["event"], EventNames);
    if (!event) return std::nullopt;
    SoundReport report;
    report.event = *event;
    report.frame = integer(json, "frame");
    switch (report.event) {
    case SoundEvent::Level:
        if (!readPair(json, "peak", report.level.left.peakDb, report.level.right.peakDb) ||
            !readPair(json, "rms", report.level.left.rmsDb, report.level.right.rmsDb))
            return std::nullopt;
        break;
    case SoundEvent::Cue: {
        const std::optional<SoundCue> cue = json.contains("cue") ? named<SoundCue>(json["cue"], CueNames) : std::nullopt;
        if (!cue) return std::nullopt;
        report.cue = *cue;
        report.track = static_cast<int>(integer(json, "track"));
        report.seconds = static_cast<int>(integer(json, "seconds"));
        break;
    }
    case SoundEvent::Error:
        if (json.contains("message") && json["message"].is_string()) report.message = json["message"].get<std::string>();
        break;
    case SoundEvent::Paused:
    case SoundEvent::Resumed: break;
    }
    return report;
}

SoundReport cueAt(const SideProgram& program, std::int64_t frame)
{
    SoundReport report;
    report.event = SoundEvent::Cue;
    report.frame = frame;
    if (frame < 0) {
        report.cue = SoundCue::CountDown;
        report.seconds = static_cast<int>((-frame + SampleRate - 1) / SampleRate);
        return report;
    }
    const std::optional<Segment> now = segmentAt(program, frame);
    if (!now) {
        report.cue = SoundCue::End;
        return report;
    }
    switch (now->kind) {
    case SegmentKind::Tone: report.cue = SoundCue::Tone; break;
    case SegmentKind::LeadIn: report.cue = SoundCue::LeadIn; break;
    case SegmentKind::Gap: report.cue = SoundCue::Gap; break;
    case SegmentKind::Track:
        report.cue = SoundCue::Track;
        report.track = now->track;
        break;
    }
    return report;
}

bool sameCue(const SoundReport& a, const SoundReport& b)
{
    return a.cue == b.cue && a.track == b.track && a.seconds == b.seconds;
}

std::string soundDevicesJson(const SoundDevices& devices)
{
    const Json json{{"outputs", deviceList(devices.outputs)}, {"inputs", deviceList(devices.inputs)}};
    return json.dump(2, ' ', false, Json::error_handler_t::replace);
}

std::optional<SoundDevices> parseSoundDevices(std::string_view text)
{
    const Json json = Json::parse(text, nullptr, false);
    if (!json.is_object()) return std::nullopt;
    auto outputs = readDevices(json, "outputs");
    auto inputs = readDevices(json, "inputs");
    if (!outputs || !inputs) return std::nullopt;
    return SoundDevices{std::move(*outputs), std::move(*inputs)};
}

}  // namespace vantoli
