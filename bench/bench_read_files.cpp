// Reading the lengths and tags of an album of 99 FLAC files, as the read of files does for a folder
// dropped on the window (warm file cache: the files were just written and are read once before
// timing). The goal is well under 100 ms for the 99 files.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/cue_sheet.h"
#include "device/read_files.h"
#include "device/taglib_reader.h"

namespace fs = std::filesystem;

namespace {

constexpr int Tracks = 99;

void putLe(std::ofstream& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Three minutes of CD-quality silence as a WAV file, for the encoder.
void writeSilence(const fs::path& path)
{
    const std::uint32_t dataBytes = 180u * 44100u * 4u;
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    putLe(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLe(out, 16, 4);
    putLe(out, 1, 2);
    putLe(out, 2, 2);
    putLe(out, 44100, 4);
    putLe(out, 44100 * 4, 4);
    putLe(out, 4, 2);
    putLe(out, 16, 2);
    out.write("data", 4);
    putLe(out, dataBytes, 4);
    out.close();
    fs::resize_file(path, 44 + dataBytes);
}

bool albumMade = false;

// A folder of 99 tagged FLAC files, made once for the whole run.
const fs::path& album()
{
    static const fs::path folder = [] {
        albumMade = true;
        const fs::path path = fs::temp_directory_path() / ("vantoli-bench-flac-" + std::to_string(::getpid()));
        fs::create_directories(path);
        writeSilence(path / "silence.wav");
        const std::string command =
            "flac --silent --force --tag=ARTIST=Artist --tag=ALBUM=Album "
            "--tag=TITLE=Title -o '" +
            (path / "track.flac").string() + "' '" + (path / "silence.wav").string() + "'";
        if (std::system(command.c_str()) != 0) {
            fs::remove_all(path);
            return fs::path();
        }
        fs::remove(path / "silence.wav");
        for (int i = 1; i <= Tracks; ++i)
            fs::copy_file(path / "track.flac", path / (std::to_string(i) + " Title.flac"));
        fs::remove(path / "track.flac");
        return path;
    }();
    return folder;
}

void BM_ReadNinetyNineFlacFiles(benchmark::State& state)
{
    if (album().empty()) {
        state.SkipWithError("flac could not make the files");
        return;
    }
    const std::vector<std::string> items{album().string()};
    vantoli::readTrackFiles(items, vantoli::TagLibReader());  // warms the file cache
    for (auto _ : state) {
        vantoli::FileTracks tracks = vantoli::readTrackFiles(items, vantoli::TagLibReader());
        const auto* list = std::get_if<vantoli::TrackList>(&tracks);
        if (!list || list->tracks.size() != Tracks) {
            state.SkipWithError("the files did not read");
            break;
        }
        benchmark::DoNotOptimize(tracks);
    }
}
BENCHMARK(BM_ReadNinetyNineFlacFiles)->Unit(benchmark::kMillisecond);

// Parsing a sheet of 99 tracks with titles.
void BM_ParseCueSheetOf99Tracks(benchmark::State& state)
{
    std::string sheet = "PERFORMER \"Artist\"\r\nTITLE \"Album\"\r\nFILE \"album.flac\" WAVE\r\n";
    for (int i = 1; i <= Tracks; ++i) {
        const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
        sheet += "  TRACK " + n + " AUDIO\r\n    TITLE \"Track " + n + "\"\r\n    INDEX 01 " + n + ":00:00\r\n";
    }
    for (auto _ : state) {
        auto parsed = vantoli::parseCueSheet(sheet);
        if (!std::holds_alternative<vantoli::CueSheet>(parsed)) {
            state.SkipWithError("the sheet did not read");
            break;
        }
        benchmark::DoNotOptimize(parsed);
    }
}
BENCHMARK(BM_ParseCueSheetOf99Tracks)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code error;
    if (albumMade) fs::remove_all(album(), error);
    return 0;
}
