// Arbitrary bytes as a streaming playlist's CSV file: no crash, texts in valid UTF-8, lengths that
// are there are positive and at most a day.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/streaming_csv.h"
#include "core/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto rows = vantoli::parseStreamingCsv(bytes);
    if (!rows) return 0;
    for (const vantoli::CsvPlaylistRow& row : *rows) {
        if (!vantoli::isUtf8(row.title) || !vantoli::isUtf8(row.artist) || !vantoli::isUtf8(row.album)) std::abort();
        if (row.milliseconds && (*row.milliseconds <= 0 || *row.milliseconds > 24LL * 3600 * 1000)) std::abort();
    }
    return 0;
}
