#include "core/tape_model.h"

#include <algorithm>
#include <cstdlib>

#include "core/exact_planner.h"
#include "core/file_names.h"
#include "core/track_caption.h"

namespace vantoli {

namespace {

// The seconds one entry stands for, read as Run reads it; none for an empty or bad entry.
std::optional<int> entrySeconds(const std::string& text)
{
    EntryTexts one{};
    one[0] = text;
    const auto read = ReadTrackTimes(one);
    const auto* times = std::get_if<TrackTimes>(&read);
    if (!times || times->seconds.empty()) return std::nullopt;
    return times->seconds.front();
}

}  // namespace

bool typedOverAudio(const Track& track, int typedSeconds)
{
    return track.audio.kind != AudioSource::Kind::None &&
           std::llabs(static_cast<long long>(typedSeconds) * 1000 - track.milliseconds) > TypedTimeToleranceMs;
}

void markTypedTimes(TrackList& list, const std::vector<int>& seconds)
{
    for (std::size_t p = 0; p < list.tracks.size(); ++p)
        list.tracks[p].timeTyped = p < seconds.size() && typedOverAudio(list.tracks[p], seconds[p]);
}

std::vector<int> typedTrackNumbers(const TrackList& list, const std::vector<int>& numbers)
{
    std::vector<int> typed;
    for (int number : numbers) {
        const auto slot = static_cast<std::size_t>(number - 1);
        if (number >= 1 && slot < list.tracks.size() && list.tracks[slot].timeTyped) typed.push_back(number);
    }
    return typed;
}

// ---- What is on the tape ------------------------------------------------------------------------

void TapeModel::setEntry(int index, const std::string& text)
{
    if (index < 0 || index >= EntryCount || entries_[static_cast<std::size_t>(index)] == text) return;
    entries_[static_cast<std::size_t>(index)] = text;
    refreshTyped();
    changed_ = true;
}

void TapeModel::refreshTyped()
{
    for (std::size_t p = 0; p < tracks_.tracks.size(); ++p) {
        Track& track = tracks_.tracks[p];
        const std::optional<int> seconds = p < entries_.size() ? entrySeconds(entries_[p]) : std::nullopt;
        // A bad or empty entry plans nothing, so it changes nothing about the track either.
        if (seconds) track.timeTyped = typedOverAudio(track, *seconds);
    }
}

void TapeModel::clear()
{
    entries_ = {};
    tracks_ = {};
    sources_.clear();
    labelTexts_.reset();
    planShown_ = false;
    changed_ = true;
}

void TapeModel::readTracks(const TrackList& list, const std::vector<std::string>& sources)
{
    clear();
    for (std::size_t i = 0; i < list.tracks.size() && i < entries_.size(); ++i)
        entries_[i] = trackEntryText(list.tracks[i]);
    tracks_ = list;
    for (Track& track : tracks_.tracks) track.timeTyped = false;
    longList_.reset();
    startFromSource(list, sources);
}

void TapeModel::correctTrackLength(std::size_t index, const AudioSource& audio, std::int64_t milliseconds)
{
    if (index >= tracks_.tracks.size() || index >= entries_.size() || tracks_.tracks[index].audio != audio) return;
    Track& track = tracks_.tracks[index];
    track.milliseconds = milliseconds;
    track.timeTyped = false;
    entries_[index] = trackEntryText(track);
    changed_ = true;
}

void TapeModel::setTracks(TrackList list)
{
    tracks_ = std::move(list);
    for (Track& track : tracks_.tracks) track.timeTyped = false;
    startFromSource(tracks_, {});
    refreshTyped();
    changed_ = true;
}

// ---- Options and planning -----------------------------------------------------------------------

void TapeModel::setOptions(const PlanOptions& options)
{
    if (options == options_) return;
    options_ = options;
    changed_ = true;
}

RunOutcome TapeModel::run(const Lineup& lineup)
{
    RunOutcome outcome;
    const std::variant<TrackTimes, EntryError> read = ReadTrackTimes(entries_);
    if (const auto* error = std::get_if<EntryError>(&read)) {
        outcome.error = *error;
        return outcome;
    }
    const TrackTimes& times = std::get<TrackTimes>(read);
    outcome.grandTotal = times.grandTotal;
    outcome.plan = planTracks(times.seconds, options_, lineup);
    if (!outcome.plan) return outcome;
    longList_.reset();
    markTypedTimes(tracks_, times.seconds);
    plan_ = MadePlan{*outcome.plan, times.seconds, options_.gap ? GapSeconds : 0, tracks_};
    planShown_ = true;
    changed_ = true;
    return outcome;
}

std::optional<LongDiscPlan> TapeModel::planLongList(const std::vector<int>& seconds, std::int32_t trackCount,
                                                    const TrackList& list, const Lineup& lineup)
{
    std::optional<LongDiscPlan> planned = planLongDisc(seconds, options_, trackCount, lineup);
    if (!planned) return planned;
    TrackList kept = list;
    if (kept.tracks.size() != seconds.size()) {
        kept.tracks.resize(seconds.size());
        for (std::size_t i = 0; i < seconds.size(); ++i) kept.tracks[i].milliseconds = seconds[i] * 1000LL;
    }
    for (Track& track : kept.tracks) track.timeTyped = false;
    longList_ = std::move(kept);
    plan_ = MadePlan{planned->plan, seconds, options_.gap ? GapSeconds : 0, list};
    planShown_ = true;
    changed_ = true;
    return planned;
}

void TapeModel::takeSetTape(const TrackList& list, const MadePlan& made, const std::vector<std::string>& sources)
{
    if (list.tracks.size() <= entries_.size()) {
        readTracks(list, sources);
    } else {
        clear();
        tracks_ = {};
        longList_ = list;
        for (Track& track : longList_->tracks) track.timeTyped = false;
        startFromSource(list, sources);
    }
    plan_ = made;
    planShown_ = true;
    changed_ = true;
}

void TapeModel::startFromSource(const TrackList& list, const std::vector<std::string>& sources)
{
    sources_ = sources;
    labelTexts_ = LabelTexts{list.album, list.artist, {}, {}};
    // A check was of the tape recorded from the old tracks.
    checks_[0].reset();
    checks_[1].reset();
    changed_ = true;
}

bool TapeModel::takeTextsOf(const TapeDocument& saved)
{
    if (!planShown() || !saved.plan || !samePlan(*saved.plan, plan_->plan) || saved.tracks != tracks()) return false;
    setLabelTexts(saved.label);
    setDubbing(saved.dubbing);
    for (const TapeSide side : {TapeSide::A, TapeSide::B})
        if (const auto& check = saved.checks[side == TapeSide::B]) setSideCheck(side, *check);
    return true;
}

// ---- Label and dubbing --------------------------------------------------------------------------

void TapeModel::setLabelTexts(const std::optional<LabelTexts>& texts)
{
    if (labelTexts_ == texts) return;
    labelTexts_ = texts;
    changed_ = true;
}

void TapeModel::setDubbing(const DubbingSettings& settings)
{
    if (settings == dubbing_) return;
    dubbing_ = settings;
    changed_ = true;
}

void TapeModel::setSideCheck(TapeSide side, const SideCheckRecord& check)
{
    checks_[side == TapeSide::B] = check;
    changed_ = true;
}

// ---- The document -------------------------------------------------------------------------------

TapeDocument TapeModel::document(const Lineup& lineup) const
{
    TapeDocument document;
    document.sources = sources_;
    std::size_t filled = entries_.size();
    while (filled > 0 && entries_[filled - 1].empty()) --filled;
    document.entries.assign(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(filled));
    document.longList = longList_.has_value();
    document.tracks = tracks();
    document.options = options_;
    document.lineup = lineup;
    if (planShown()) document.plan = savedPlanOf(plan_->plan);
    document.label = labelTexts_;
    document.dubbing = dubbing_;
    document.checks[0] = checks_[0];
    document.checks[1] = checks_[1];
    return document;
}

TapeModel TapeModel::fromDocument(const TapeDocument& document, const std::string& file)
{
    TapeModel tape;
    for (std::size_t i = 0; i < document.entries.size() && i < tape.entries_.size(); ++i)
        tape.entries_[i] = document.entries[i];
    if (document.longList)
        tape.longList_ = document.tracks;
    else
        tape.tracks_ = document.tracks;
    tape.sources_ = document.sources;
    tape.options_ = document.options;
    tape.labelTexts_ = document.label;
    tape.dubbing_ = document.dubbing;
    tape.checks_[0] = document.checks[0];
    tape.checks_[1] = document.checks[1];
    tape.file_ = file;
    tape.refreshTyped();
    return tape;
}

bool TapeModel::onlyTypedEntries() const
{
    // A disc read fills the entries as typing does; files read, texts typed over the label, dubbing
    // settings and a file of its own make a tape worth a question.
    const TrackList& list = tracks();
    const bool labelTyped = labelTexts_ && *labelTexts_ != LabelTexts{} &&
                            *labelTexts_ != LabelTexts{list.album, list.artist, {}, {}};
    return file_.empty() && sources_.empty() && !labelTyped && dubbing_ == DubbingSettings{};
}

std::string TapeModel::name() const { return fileStem(file_); }

// ---- A set of tapes -----------------------------------------------------------------------------

std::vector<std::vector<int>> setAlbumSeconds(const std::vector<SetAlbum>& albums)
{
    std::vector<std::vector<int>> seconds;
    for (const SetAlbum& album : albums) seconds.push_back(trackSeconds(album.tracks));
    return seconds;
}

TapeModel tapeOfSet(const SetPlan& plan, std::size_t index, const std::vector<SetAlbum>& albums, bool gap)
{
    TapeModel tape;
    if (index >= plan.tapes.size()) return tape;
    const SetTape& setTape = plan.tapes[index];
    std::vector<TrackList> lists;
    for (const SetAlbum& album : albums) lists.push_back(album.tracks);
    const TrackList tracks = tracksOfSetTape(setTape, lists);

    MadePlan made;
    made.plan = tapePlanOfSetTape(setTape, gap);
    for (const SetSide* side : {&setTape.sideA, &setTape.sideB})
        for (const SetTrackPlace& place : side->tracks) made.trackSeconds.push_back(place.seconds);
    made.gap = gap ? GapSeconds : 0;
    made.titles = tracks;
    made.setTape = static_cast<int>(index) + 1;
    made.setTapes = static_cast<int>(plan.tapes.size());

    // Each album's sources once, in the order the albums come on the tape.
    std::vector<std::string> sources;
    std::vector<int> seen;
    for (const SetSide* side : {&setTape.sideA, &setTape.sideB})
        for (const SetTrackPlace& place : side->tracks) {
            if (std::find(seen.begin(), seen.end(), place.album) != seen.end()) continue;
            seen.push_back(place.album);
            if (place.album >= 0 && static_cast<std::size_t>(place.album) < albums.size())
                for (const std::string& source : albums[place.album].sources) sources.push_back(source);
        }

    tape.setOptions(PlanOptions{gap, true, false});
    tape.takeSetTape(tracks, made, sources);
    return tape;
}

SetDocument setDocumentOf(const SetPlan& plan, const std::vector<SetAlbum>& albums, bool gap, const Lineup& lineup,
                          const std::vector<TapeDocument>& kept)
{
    SetDocument set;
    set.gap = gap;
    for (const SetAlbum& album : albums)
        set.albums.push_back(SavedAlbum{album.sources, album.tracks.album, album.tracks.artist,
                                        static_cast<int>(album.tracks.tracks.size())});
    for (std::size_t i = 0; i < plan.tapes.size(); ++i) {
        TapeModel tape = tapeOfSet(plan, i, albums, gap);
        for (const TapeDocument& other : kept)
            if (tape.takeTextsOf(other)) break;
        set.tapes.push_back(tape.document(lineup));
    }
    return set;
}

std::vector<SetAlbum> albumsOfSet(const SetDocument& set)
{
    std::vector<SetAlbum> albums;
    const std::vector<TrackList> tracks = setAlbumTracks(set);
    for (std::size_t i = 0; i < set.albums.size() && i < tracks.size(); ++i)
        albums.push_back(SetAlbum{tracks[i], set.albums[i].sources});
    return albums;
}

}  // namespace vantoli
