#pragma once
// The tape as a document (a .vantoli file): what was read and typed, the options and tapes it was
// planned with, the plan shown, the label's texts and the dubbing settings. UTF-8 JSON with a format
// name and a version. Writing and parsing are text to value and back; the device layer reads the file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/label_content.h"
#include "core/message.h"
#include "core/side_program.h"
#include "core/tape_lineup.h"
#include "core/tape_planner.h"
#include "core/track_list.h"

namespace vantoli {

inline constexpr std::string_view TapeFormatName = "vantoli-tape";
// The latest version this program writes and reads. A document of one tape is written as version 1,
// which every reader reads; a set of tapes as version 2, which a reader of version 1 refuses as too
// new rather than open a tape it cannot find. A document of a later version is read when its
// minReaderVersion is at most this; the members this program does not know are then ignored.
inline constexpr int TapeFormatVersion = 2;
inline constexpr int OneTapeFormatVersion = 1;
inline constexpr std::string_view TapeDocumentExtension = ".vantoli";

// A document of 99 tracks with long titles takes some 50 kB; anything past this is not read at all.
inline constexpr std::uintmax_t MaxTapeDocumentBytes = 4 * 1024 * 1024;
inline constexpr int MaxDocumentTracks = 99;
// A set of tapes: each tape at most MaxDocumentTracks tracks, and all of them together at most these.
inline constexpr int MaxSetTapes = 100;
inline constexpr int MaxSetTracks = 1000;
// The longest track a document may hold: ten hours, far beyond any tape.
inline constexpr std::int64_t MaxDocumentTrackMilliseconds = 10LL * 60 * 60 * 1000;
inline constexpr double MaxToneSeconds = 60.0;

// An audio file as it was when the document was saved, to notice a file replaced since.
struct FileStamp {
    std::int64_t size = -1;     // bytes; -1 when unknown
    std::int64_t modified = 0;  // last change, in nanoseconds since 1970

    bool operator==(const FileStamp&) const = default;
};

// The plan as the window showed it.
struct SavedPlan {
    Tape tape;
    std::vector<int> sideA;  // track numbers in recording order
    std::vector<int> sideB;

    bool operator==(const SavedPlan&) const = default;
};

SavedPlan savedPlanOf(const TapePlan& plan);
// Whether a plan made now shows the same tape and sides as the one saved.
bool samePlan(const SavedPlan& saved, const TapePlan& plan);

// What the user typed over the label the plan filled in: the tape's title, artist and note as shown,
// and the track titles that differ from the source's.
struct EditedTitle {
    int number = 0;  // the track's number on the source
    std::string title;

    bool operator==(const EditedTitle&) const = default;
};

struct LabelTexts {
    std::string title;
    std::string artist;
    std::string note;
    std::vector<EditedTitle> titles;  // by track number, each number once

    bool operator==(const LabelTexts&) const = default;
};

// The texts of `shown` that a document keeps; `prefilled` is the same label as the plan filled it in.
LabelTexts labelTexts(const LabelContent& prefilled, const LabelContent& shown);
// Puts saved texts over a label the plan filled in.
void applyLabelTexts(LabelContent& label, const LabelTexts& texts);

// The last tape check of a side: when, how fast the tape played, and what was found.
struct SideCheckRecord {
    std::string date;  // ISO 8601 in UTC, "2026-12-08T13:45:00Z"
    double speedPercent = 0;
    int dropouts = 0;
    int clipped = 0;
    double cutSeconds = 0;

    bool operator==(const SideCheckRecord&) const = default;
};

struct TapeDocument {
    std::vector<std::string> sources;  // the files, folders and playlists read (absolute paths)
    std::vector<std::string> entries;  // the entry texts as typed, entry 1 first, at most EntryCount
    // The tracks with their titles and sound: the entries' tracks, or every track of a long list.
    TrackList tracks;
    std::vector<FileStamp> stamps;  // stamps[i] belongs to tracks.tracks[i]; one per track when parsed
    bool longList = false;          // planned as a long list (21 to 99 tracks) shown as a report
    PlanOptions options;
    Lineup lineup;                  // the tapes planned with
    std::optional<SavedPlan> plan;  // the plan shown; none when none was shown
    std::optional<LabelTexts> label;
    DubbingSettings dubbing;
    // The tape's own file, in a copy kept for recovery (absolute); empty in the tape's own file.
    std::string file;
    std::optional<SideCheckRecord> checks[2];  // side A's and side B's last check; none before one

    bool operator==(const TapeDocument&) const = default;
};

// The document as JSON text (UTF-8, LF line ends). Paths of files below `folder` (the document's own
// folder, absolute) are written relative to it, all others absolute.
std::string writeTapeDocument(const TapeDocument& document, const std::string& folder);

// An album of a set of tapes as its document keeps it: what was read as the album, and how many of
// the set's tracks are its (the set's tracks are its tapes' tracks one after another, tape 1's first).
struct SavedAlbum {
    std::vector<std::string> sources;  // the files, folders and playlists read as the album (absolute)
    std::string album;                 // its title and performer, as the source named them
    std::string artist;
    int tracks = 0;

    bool operator==(const SavedAlbum&) const = default;
};

// Several tapes saved as one document: every tape as a document of one tape holds it, and the albums
// and the gap the set was planned from, so that it can be planned again.
struct SetDocument {
    std::vector<SavedAlbum> albums;  // empty for a document of one tape
    bool gap = true;
    std::vector<TapeDocument> tapes;  // at least one

    bool operator==(const SetDocument&) const = default;
};

// A set with albums as a document whose `tapes` array holds its tapes; a set of one tape and no albums
// as writeTapeDocument writes that tape.
std::string writeSetDocument(const SetDocument& set, const std::string& folder);

// The albums' tracks as the set's tapes hold them, each album with its title and performer.
std::vector<TrackList> setAlbumTracks(const SetDocument& set);

struct DocumentError {
    enum class Kind {
        NotJson,        // not JSON text at all
        OtherFormat,    // JSON, but not a tape document
        TooNew,         // written by a later version that this one cannot read
        WrongType,      // a member of the wrong kind (text for a number, ...)
        OutOfRange,     // a value outside what a tape can have
        TooManyTracks,  // more than MaxDocumentTracks tracks, or more entries than the grid holds; of a
                        // set ("tapes"), more than MaxSetTapes tapes or MaxSetTracks tracks
        BadEntry,       // an entry the window would refuse to plan ("4:6x"); where is "entries[2]"
        TooLarge,       // larger than MaxTapeDocumentBytes
        NotAFile,       // a folder, a pipe, a device
        Unreadable,     // missing, no permission, a read error
    };
    Kind kind = Kind::NotJson;
    std::string where;  // the member, for instance "tracks[3].milliseconds"; or the system's reason

    bool operator==(const DocumentError&) const = default;
};

using ParsedTapeDocument = std::variant<TapeDocument, DocumentError>;

// Reads a document's text. Relative paths are taken from `folder`, the document's folder. A document
// that does not read whole, its entries included, is refused whole. Of a set, the first tape.
ParsedTapeDocument parseTapeDocument(std::string_view text, const std::string& folder);

using ParsedSetDocument = std::variant<SetDocument, DocumentError>;

// Reads a set of tapes, or a document of one tape as a set of that tape without albums (its gap the
// tape's). A fault in any tape refuses the whole set, the member named with its tape ("tapes[2].
// tracks[3].milliseconds"), as does a count of the albums' tracks that is not the tapes' count.
ParsedSetDocument parseSetDocument(std::string_view text, const std::string& folder);

// The message for a document that cannot be opened; `file` names it as the user knows it, and a
// member of a track or an entry is named by the track as users count it ("track 3").
Message documentErrorMessage(const DocumentError& error, const std::string& file);
// The plan made on opening differs from the one saved: the tapes changed since (`lineupChanged`), or
// the saved plan was not the one the options give.
Message planChangedMessage(bool lineupChanged);
// Audio files of the tape that are gone or were changed since it was saved.
Message changedAudioFilesMessage(const std::vector<std::string>& missing, const std::vector<std::string>& changed);

}  // namespace vantoli
