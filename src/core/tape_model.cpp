#include "core/tape_model.h"

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

}  // namespace vantoli
