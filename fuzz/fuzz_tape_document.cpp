// Arbitrary bytes as a tape document: a document that parses is within its limits, and writing it
// and parsing that again gives the same document.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "core/entry_reading.h"
#include "core/tape_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vantoli::ParsedTapeDocument parsed = vantoli::parseTapeDocument(bytes, "/music");
    const auto* document = std::get_if<vantoli::TapeDocument>(&parsed);
    if (!document) return 0;
    if (document->tracks.tracks.size() > vantoli::MaxDocumentTracks) std::abort();
    if (document->entries.size() > vantoli::EntryCount) std::abort();
    if (!vantoli::isUsableLineup(document->lineup)) std::abort();
    for (const vantoli::Track& track : document->tracks.tracks)
        if (track.milliseconds < 0 || track.milliseconds > vantoli::MaxDocumentTrackMilliseconds) std::abort();
    const vantoli::ParsedTapeDocument again =
        vantoli::parseTapeDocument(vantoli::writeTapeDocument(*document, "/music"), "/music");
    // The parser takes only UTF-8 text, so nothing is replaced on the way out.
    const auto* reread = std::get_if<vantoli::TapeDocument>(&again);
    if (!reread || !(*reread == *document)) std::abort();
    return 0;
}
