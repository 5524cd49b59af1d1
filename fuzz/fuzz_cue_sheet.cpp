// Arbitrary CUE sheets opened through the CD audio device, next to a BIN file of a real disc's size:
// a broken sheet gives 0 tracks, never a crash, and every length read is a length.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "device/libcdio_device.h"

namespace {

std::filesystem::path workFolder()
{
    static const std::filesystem::path folder = [] {
        const auto path = std::filesystem::temp_directory_path() / ("vantoli-fuzz-cue-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        // 40 minutes of audio frames, sparse: the sheets name it as "disc.bin".
        std::ofstream(path / "disc.bin", std::ios::binary).close();
        std::filesystem::resize_file(path / "disc.bin", std::uintmax_t(40) * 60 * 75 * 2352);
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path sheet = workFolder() / "disc.cue";
    {
        std::ofstream out(sheet, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    vantoli::LibcdioDevice device(sheet.string());
    device.selectCdAudio();
    device.open();
    device.setMillisecondsFormat();
    const std::int32_t count = device.tracks();
    if (count < 0 || count > 99) std::abort();
    device.setTrack(1);
    for (std::int32_t i = 0; i < count; ++i) {
        if (device.trackLength() < 0) std::abort();
        device.setTrack(device.track() + 1);
    }
    device.close();
    device.close();
    return 0;
}
