#pragma once
// One tape as the user makes it: the entries as typed and the tracks behind them (titles, where the
// audio is, whether a time was typed over it), the planning options, the plan made last, the label's
// texts, the dubbing settings, and the file it belongs to with whether it holds unsaved changes.
//
// Every window and vantoli-plan read and change the tape through this one value. It knows nothing of
// windows or files: the windows show it, the device layer reads and writes its document. A set of tapes
// is a list of these.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/dubbing_cues.h"
#include "core/entry_reading.h"
#include "core/label_content.h"
#include "core/long_disc_plan.h"
#include "core/set_planner.h"
#include "core/side_program.h"
#include "core/tape_document.h"
#include "core/tape_lineup.h"
#include "core/tape_planner.h"
#include "core/track_list.h"

namespace vantoli {

// How far a typed time may lie from its audio's length before the audio is no longer used.
inline constexpr std::int64_t TypedTimeToleranceMs = 1000;

// Whether `typedSeconds`, typed over a track read from a source, is too far from the track's audio to
// play it: the track then plays as a typed track (its title stays).
bool typedOverAudio(const Track& track, int typedSeconds);
// Marks every track of `list` whose time in `seconds` (seconds[p] for track p + 1) lies too far from
// its audio, and unmarks the others.
void markTypedTimes(TrackList& list, const std::vector<int>& seconds);
// The numbers (1-based) of the tracks of `list` that play as typed tracks although they have audio.
std::vector<int> typedTrackNumbers(const TrackList& list, const std::vector<int>& numbers);

// What Run gives: the first bad entry, or the total of the entries and the plan (none when no tape of
// the lineup holds them).
struct RunOutcome {
    std::optional<EntryError> error;
    int grandTotal = 0;
    std::optional<TapePlan> plan;
};

class TapeModel {
public:
    // ---- What is on the tape ----
    const EntryTexts& entries() const { return entries_; }
    // Types over one entry (0 .. EntryCount-1); the track behind it follows (see typedOverAudio).
    void setEntry(int index, const std::string& text);
    // The tracks of the entries as their source named them, or of the long list; empty when typed.
    const TrackList& tracks() const { return longList_ ? *longList_ : tracks_; }
    // The tracks behind the entries only (tracks[p] is entry p), whatever a long list holds.
    const TrackList& entryTracks() const { return tracks_; }
    // The files, folders and playlists the tracks were read from (absolute paths).
    const std::vector<std::string>& sources() const { return sources_; }
    bool isLongList() const { return longList_.has_value(); }

    // A track read from a file whose sound ends before its header said: the track takes the length it
    // really has, and so does its entry. Nothing changes when entry `index` no longer holds that sound.
    void correctTrackLength(std::size_t index, const AudioSource& audio, std::int64_t milliseconds);
    // Empties the entries, their tracks, the sources and the label texts; the options, the plan made
    // last and the dubbing settings stay.
    void clear();
    // A source of at most EntryCount tracks: the entries hold their times, the label starts from
    // what the source names.
    void readTracks(const TrackList& list, const std::vector<std::string>& sources);
    // A source's tracks put behind the entries as they are (the entries written by the caller).
    void setTracks(TrackList list);
    // The tape comes from a new source: these are its sources, and the label starts from what the
    // source names (its album and artist, else nothing), never from the tape before.
    void startFromSource(const TrackList& list, const std::vector<std::string>& sources);

    // ---- Options and planning ----
    const PlanOptions& options() const { return options_; }
    void setOptions(const PlanOptions& options);

    // Reads the entries and plans them under the options; a plan made is kept as the tape's plan.
    RunOutcome run(const Lineup& lineup);
    // Plans a long list (21 to 99 tracks); on success the list and its plan are the tape's, else nothing
    // changes. `seconds` are the lengths planned; a list without lengths of its own takes them.
    std::optional<LongDiscPlan> planLongList(const std::vector<int>& seconds, std::int32_t trackCount,
                                             const TrackList& list, const Lineup& lineup);
    // Becomes one tape of a set: its tracks (side A's, then side B's) and the plan the set made for
    // them, which is shown as made; the label starts from what the tracks name.
    void takeSetTape(const TrackList& list, const MadePlan& made, const std::vector<std::string>& sources);
    // When `saved` is this tape as saved or shown elsewhere (the same tracks and the same plan on show),
    // takes what was typed and set for it there: the label's texts, the dubbing settings and the sides'
    // checks. Returns whether it did.
    bool takeTextsOf(const TapeDocument& saved);
    // The plan made last, for the label and dubbing windows; it stays when the entries are cleared.
    const std::optional<MadePlan>& plan() const { return plan_; }
    // Whether the plan made last is still the one shown (Clear hides it).
    bool planShown() const { return plan_ && planShown_; }

    // ---- Label and dubbing ----
    const std::optional<LabelTexts>& labelTexts() const { return labelTexts_; }
    void setLabelTexts(const std::optional<LabelTexts>& texts);
    const DubbingSettings& dubbing() const { return dubbing_; }
    void setDubbing(const DubbingSettings& settings);
    // The last check of each side as recorded (side 0 is A); new tracks forget them.
    const std::optional<SideCheckRecord>& sideCheck(TapeSide side) const { return checks_[side == TapeSide::B]; }
    void setSideCheck(TapeSide side, const SideCheckRecord& check);

    // ---- The document ----
    // The tape as it would be saved now, planned with `lineup`.
    TapeDocument document(const Lineup& lineup) const;
    // A tape opened from its document: what it holds, not yet planned.
    static TapeModel fromDocument(const TapeDocument& document, const std::string& file);

    // The file it was opened from or saved to (absolute, UTF-8); empty for a new tape.
    const std::string& file() const { return file_; }
    void setFile(const std::string& file) { file_ = file; }
    bool changed() const { return changed_; }
    void setChanged(bool changed) { changed_ = changed; }
    // Whether the tape holds nothing but entries (typed, or read from a disc): no files read, no file
    // of its own, no texts typed over the label, no dubbing settings. Such work ends without a question.
    bool onlyTypedEntries() const;
    // The name the title bar shows: the file's name without its folder and extension; empty when new.
    std::string name() const;

private:
    void refreshTyped();

    EntryTexts entries_{};
    TrackList tracks_;
    std::optional<TrackList> longList_;
    std::vector<std::string> sources_;
    PlanOptions options_;
    std::optional<MadePlan> plan_;
    bool planShown_ = false;
    std::optional<LabelTexts> labelTexts_;
    DubbingSettings dubbing_;
    std::optional<SideCheckRecord> checks_[2];
    std::string file_;
    bool changed_ = false;
};

// ---- A set of tapes ----

// An album of a set: its tracks as read, and the files, folders and playlists read for it.
struct SetAlbum {
    TrackList tracks;
    std::vector<std::string> sources;

    bool operator==(const SetAlbum&) const = default;
};

// Each album's seconds, as planSet takes them.
std::vector<std::vector<int>> setAlbumSeconds(const std::vector<SetAlbum>& albums);

// Tape `index` of a planned set as a tape of its own (takeSetTape): its tracks, side A's then side B's,
// the set's plan for them with the tape's place in the set ("1/3"), the set's gap, the sources of the
// albums on it, and the options the set was planned under (the albums' order kept).
TapeModel tapeOfSet(const SetPlan& plan, std::size_t index, const std::vector<SetAlbum>& albums, bool gap);

// The set as one document: its albums and gap, and every tape of the plan as tapeOfSet makes it,
// planned with `lineup`. `kept` holds tapes as saved or shown before; one that is a tape of the plan
// gives it its texts (takeTextsOf).
SetDocument setDocumentOf(const SetPlan& plan, const std::vector<SetAlbum>& albums, bool gap, const Lineup& lineup,
                          const std::vector<TapeDocument>& kept = {});

// The albums of a set document, as its tapes hold their tracks.
std::vector<SetAlbum> albumsOfSet(const SetDocument& set);

}  // namespace vantoli
