#include "cli/several_command.h"

#include <nlohmann/json.hpp>

#include "cli/plan_output.h"
#include "cli/side_render_command.h"
#include "core/file_read_result.h"
#include "core/language.h"
#include "core/set_planner.h"
#include "core/tape_counter.h"
#include "core/text_encoding.h"
#include "core/time_text.h"
#include "core/track_caption.h"
#include "device/taglib_reader.h"

namespace vantoli::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* Program = "vantoli-plan: ";

// What the set was read from: each album's tracks, as its source names them.
struct Albums {
    std::vector<TrackList> lists;
    std::vector<std::vector<int>> seconds;
};

std::string sourceName(const Source& source)
{
    if (const auto* files = std::get_if<FileSource>(&source)) return files->items.front();
    const std::string& drive = std::get<DriveSource>(source).path;
    return drive.empty() ? std::string("--cd") : drive;
}

std::string albumName(const Albums& albums, int album)
{
    const std::string& title = albums.lists[static_cast<std::size_t>(album)].album;
    return title.empty() ? fill(_("アルバム %1"), {std::to_string(album + 1)}) : shownText(title);
}

const Track& trackOf(const Albums& albums, const SetTrackPlace& place)
{
    return albums.lists[static_cast<std::size_t>(place.album)].tracks[static_cast<std::size_t>(place.track)];
}

// The tape of the set as one tape's plan, for the render.
PlannedTape plannedTape(const SetTape& tape, const Albums& albums, bool gap, const Lineup& lineup)
{
    PlannedTape planned;
    planned.titles = tracksOfSetTape(tape, albums.lists);
    planned.seconds = trackSeconds(planned.titles);
    planned.longDisc.plan = tapePlanOfSetTape(tape, gap);
    planned.longDisc.trackCount = static_cast<std::int32_t>(planned.titles.tracks.size());
    planned.longDisc.total = planned.longDisc.plan.sideATime + planned.longDisc.plan.sideBTime;
    planned.options = PlanOptions{gap, true, false};
    planned.lineup = lineup;
    return planned;
}

std::string setText(const SetPlan& plan, const Albums& albums, const std::optional<CounterCalibration>& counter)
{
    std::string out;
    const std::size_t count = plan.tapes.size();
    for (std::size_t t = 0; t < count; ++t) {
        const SetTape& tape = plan.tapes[t];
        out += fill(_("テープ %1/%2 ： %3"), {std::to_string(t + 1), std::to_string(count), tapeCaption(tape.minutes)}) +
               "\n";
        for (const auto& [side, name] : {std::pair{&tape.sideA, _("A面")}, std::pair{&tape.sideB, _("B面")}}) {
            out += fill(_("  %1  使用 %2  残り %3"), {name, minutesSecondsText(side->seconds),
                                                      minutesSecondsText(tape.sideCapacity - side->seconds)}) +
                   "\n";
            if (side->tracks.empty()) out += std::string("    ") + _("（空き）") + "\n";
            for (const SetTrackPlace& place : side->tracks) {
                std::string line = "    ";
                if (counter) {
                    char reading[16];
                    std::snprintf(reading, sizeof reading, "[%4d] ", counterAt(*counter, place.start));
                    line += reading;
                }
                char times[32];
                std::snprintf(times, sizeof times, "%6s %6s  ", minutesSecondsText(place.start).c_str(),
                              minutesSecondsText(place.seconds).c_str());
                const std::string& title = trackOf(albums, place).title;
                line += times + albumName(albums, place.album) + " / " +
                        fill(_("%1. %2"), {std::to_string(place.track + 1), title.empty() ? _("（無題）") : shownText(title)});
                out += line + "\n";
            }
        }
    }
    out += fill(_("計 %1 本、%2 分。アルバムの途中で面が変わる所 %3（うちテープが変わる所 %4）"),
                {std::to_string(count), std::to_string(plan.totalMinutes), std::to_string(plan.albumSplits),
                 std::to_string(plan.tapeSplits)}) +
           "\n";
    return out;
}

Json setJson(const SetPlan& plan, const Albums& albums, const std::optional<CounterCalibration>& counter)
{
    Json tapes = Json::array();
    for (const SetTape& tape : plan.tapes) {
        Json sides = Json::array();
        for (const auto& [side, name] : {std::pair{&tape.sideA, "A"}, std::pair{&tape.sideB, "B"}}) {
            Json tracks = Json::array();
            for (const SetTrackPlace& place : side->tracks) {
                Json item{{"source", place.album + 1}, {"track", place.track + 1}};
                const std::string& title = trackOf(albums, place).title;
                if (!title.empty()) item["title"] = validUtf8(title);
                item["seconds"] = place.seconds;
                item["start"] = place.start;
                if (counter) item["counter"] = counterAt(*counter, place.start);
                tracks.push_back(std::move(item));
            }
            sides.push_back(Json{{"side", name},
                                 {"tracks", std::move(tracks)},
                                 {"seconds", side->seconds},
                                 {"left", tape.sideCapacity - side->seconds}});
        }
        tapes.push_back(Json{{"tape", tape.minutes}, {"sideCapacity", tape.sideCapacity}, {"sides", std::move(sides)}});
    }
    Json albumTitles = Json::array();
    for (const TrackList& list : albums.lists) albumTitles.push_back(validUtf8(list.album));
    return Json{{"tapes", std::move(tapes)},
                {"albumSplits", plan.albumSplits},
                {"tapeSplits", plan.tapeSplits},
                {"totalMinutes", plan.totalMinutes},
                {"albums", std::move(albumTitles)}};
}

}  // namespace

CommandResult runSeveralCommand(const SeveralRequest& request, const std::string& settingsFile)
{
    CommandResult result;
    const std::optional<Lineup> lineup = requestedLineup(request.tapes, settingsFile, result);
    if (!lineup) return result;

    Albums albums;
    for (std::size_t a = 0; a < request.sources.size(); ++a) {
        SourceTracks read = readSource(request.sources[a], TagLibReader());
        if (const auto* message = std::get_if<Message>(&read)) {
            result.exitStatus = Failed;
            result.err += Program + fill(_("アルバム %1（%2）： %3"), {std::to_string(a + 1),
                                                                      shownText(sourceName(request.sources[a])),
                                                                      lfLines(message->text)}) +
                          "\n";
            return result;
        }
        albums.lists.push_back(std::get<TrackList>(std::move(read)));
        albums.seconds.push_back(trackSeconds(albums.lists.back()));
    }

    const SetPlanResult planned = planSet(albums.seconds, request.gap, *lineup);
    if (const auto* tooLong = std::get_if<TrackTooLong>(&planned)) {
        result.exitStatus = NoTapeHolds;
        const std::string& title = albums.lists[static_cast<std::size_t>(tooLong->album)]
                                       .tracks[static_cast<std::size_t>(tooLong->track)]
                                       .title;
        result.err += Program +
                      lfLines(trackTooLongMessage(*tooLong, albums.lists[static_cast<std::size_t>(tooLong->album)].album,
                                                  title)
                                  .text) +
                      "\n";
        return result;
    }
    if (!std::holds_alternative<SetPlan>(planned)) {
        result.exitStatus = Failed;
        result.err += Program + lfLines(noFileTracksMessage().text) + "\n";
        return result;
    }
    const SetPlan& plan = std::get<SetPlan>(planned);
    std::optional<CounterCalibration> counter;
    if (request.counter) counter = calibrateCounter(request.counter->first, request.counter->second);

    // Only the output asked for is made; the render adds each side's program to it.
    Json json;
    std::string text;
    if (request.json)
        json = setJson(plan, albums, counter);
    else
        text = setText(plan, albums, counter);

    if (request.render) {
        // Every side that holds a track, tape by tape; a blank side B gets no file.
        std::vector<SideToWrite> sides;
        std::vector<std::pair<std::size_t, const char*>> placeOf;  // tape and "A"/"B" of each side written
        for (std::size_t t = 0; t < plan.tapes.size(); ++t) {
            const PlannedTape tape = plannedTape(plan.tapes[t], albums, request.gap, *lineup);
            for (const TapeSide side : {TapeSide::A, TapeSide::B}) {
                const SetSide& placed = side == TapeSide::A ? plan.tapes[t].sideA : plan.tapes[t].sideB;
                if (placed.tracks.empty()) continue;
                auto made = planSideRequest(tape, Input::Files, {}, side, request.render->settings);
                if (const auto* message = std::get_if<std::string>(&made)) {
                    result.exitStatus = Failed;
                    result.err += *message;
                    return result;
                }
                const std::string number = std::to_string(t + 1);
                const bool a = side == TapeSide::A;
                sides.push_back({fill(a ? _("テープ %1 の A面") : _("テープ %1 の B面"), {number}),
                                 "tape-" + number + (a ? "-side-a" : "-side-b"), std::get<SideRequest>(made),
                                 plan.tapes[t].sideCapacity});
                placeOf.emplace_back(t, a ? "A" : "B");
            }
        }
        const std::optional<std::vector<WrittenSide>> written = writeSides(sides, *request.render, result);
        if (!written) return result;
        for (std::size_t i = 0; i < written->size(); ++i) {
            if (request.json)
                json["tapes"][placeOf[i].first]["render"][placeOf[i].second] = writtenSideJson((*written)[i]);
            else
                text += writtenSideText(sides[i].name, (*written)[i]);
        }
    }
    result.out = request.json ? json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n" : text;
    return result;
}

}  // namespace vantoli::cli
