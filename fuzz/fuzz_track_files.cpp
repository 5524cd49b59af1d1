// Arbitrary bytes as an .m3u8 playlist, a .csv list and a .cue sheet in a folder of a few audio files,
// each read as the window and vantoli-plan read what the user chose: the folder and list resolution
// gives tracks or names what it could not read, never a crash, and no track without its audio.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "device/read_files.h"

namespace {

// Every file is an audio file of a minute, as tags would say.
class MinuteReader final : public vantoli::AudioFileReader {
public:
    std::optional<vantoli::AudioFileTags> read(const std::string&) const override
    {
        return vantoli::AudioFileTags{60000, {}, {}, {}, {}};
    }
};

std::filesystem::path workFolder()
{
    static const std::filesystem::path folder = [] {
        const auto path =
            std::filesystem::temp_directory_path() / ("vantoli-fuzz-files-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path / "sub");
        for (const char* name : {"01 a.flac", "02 b.wav", "sub/03 c.mp3", "disc.wav"}) std::ofstream(path / name).close();
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path folder = workFolder();
    static const MinuteReader reader;
    for (const char* name : {"list.m3u8", "list.csv", "list.cue"}) {
        const std::filesystem::path list = folder / name;
        std::ofstream(list, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
        const vantoli::FileTracks tracks = vantoli::readTrackFiles({list.string()}, reader);
        (void)tracks;
        std::filesystem::remove(list);
    }
    // The folder itself, with the list's name among its files.
    (void)vantoli::readTrackFiles({folder.string(), (folder / "sub").string()}, reader);
    return 0;
}
