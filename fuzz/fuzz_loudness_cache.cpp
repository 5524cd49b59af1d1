// Arbitrary bytes as the loudness cache file: reading it never crashes, hangs or reads out of bounds,
// whatever its lines, fields, numbers and block lists hold.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "audio/loudness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("fuzz-loudness-" + std::to_string(::getpid()) + ".tsv");
    if (std::FILE* out = std::fopen(file.c_str(), "wb")) {
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    vantoli::audio::LoudnessCache cache(file);
    if (cache.measured() != 0 || !cache.save()) std::abort();
    return 0;
}
