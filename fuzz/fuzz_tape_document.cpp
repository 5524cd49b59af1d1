// Arbitrary bytes as a tape document, of one tape or a set: a document that parses is within its
// limits, and writing it and parsing that again gives the same document.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "core/entry_reading.h"
#include "core/tape_document.h"

namespace {

void checkTape(const vantoli::TapeDocument& document)
{
    if (document.tracks.tracks.size() > vantoli::MaxDocumentTracks) std::abort();
    if (document.entries.size() > vantoli::EntryCount) std::abort();
    if (!vantoli::isUsableLineup(document.lineup)) std::abort();
    for (const vantoli::Track& track : document.tracks.tracks)
        if (track.milliseconds < 0 || track.milliseconds > vantoli::MaxDocumentTrackMilliseconds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vantoli::ParsedSetDocument parsed = vantoli::parseSetDocument(bytes, "/music");
    const auto* set = std::get_if<vantoli::SetDocument>(&parsed);
    if (!set) return 0;
    if (set->tapes.empty() || set->tapes.size() > vantoli::MaxSetTapes) std::abort();
    std::size_t tracks = 0;
    for (const vantoli::TapeDocument& tape : set->tapes) {
        checkTape(tape);
        tracks += tape.tracks.tracks.size();
    }
    if (tracks > vantoli::MaxSetTracks) std::abort();
    // A set's albums share out its tracks exactly.
    std::size_t shared = 0;
    for (const vantoli::TrackList& album : vantoli::setAlbumTracks(*set)) shared += album.tracks.size();
    if (!set->albums.empty() && shared != tracks) std::abort();

    const vantoli::ParsedSetDocument again =
        vantoli::parseSetDocument(vantoli::writeSetDocument(*set, "/music"), "/music");
    // The parser takes only UTF-8 text, so nothing is replaced on the way out.
    const auto* reread = std::get_if<vantoli::SetDocument>(&again);
    if (!reread || !(*reread == *set)) std::abort();
    // Where one tape is wanted, the first.
    const vantoli::ParsedTapeDocument first = vantoli::parseTapeDocument(bytes, "/music");
    const auto* tape = std::get_if<vantoli::TapeDocument>(&first);
    if (!tape || !(*tape == set->tapes.front())) std::abort();
    return 0;
}
