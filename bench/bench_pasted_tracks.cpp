// Reading a pasted list of 99 tracks, as the paste window does on every change of its text (goal:
// well under a millisecond), and a streaming playlist's CSV file of 99 rows.

#include <benchmark/benchmark.h>

#include <string>

#include "core/pasted_tracks.h"
#include "core/streaming_csv.h"

namespace {

std::string pastedList()
{
    std::string text;
    for (int i = 1; i <= 99; ++i)
        text += std::to_string(i) + ". Song number " + std::to_string(i) + " \xE2\x80\x93 Some Band feat. Someone " +
                std::to_string(i % 9) + ":" + std::to_string(10 + i % 50) + "\n";
    return text;
}

void BM_Paste99Lines(benchmark::State& state)
{
    const std::string text = pastedList();
    for (auto _ : state) {
        auto lines = vantoli::parsePastedTracks(text);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_Paste99Lines)->Unit(benchmark::kMicrosecond);

void BM_StreamingCsv99Rows(benchmark::State& state)
{
    std::string csv = "\"Track URI\",\"Track Name\",\"Artist Name(s)\",\"Album Name\",\"Track Duration (ms)\"\r\n";
    for (int i = 1; i <= 99; ++i)
        csv += "\"spotify:track:" + std::to_string(i) + "\",\"Song, " + std::to_string(i) + "\",\"A,B\",\"LP\",\"" +
               std::to_string(180000 + i) + "\"\r\n";
    for (auto _ : state) {
        auto rows = vantoli::parseStreamingCsv(csv);
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_StreamingCsv99Rows)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
