// Opening a tape: read and parse a 99-track document from disk, then plan it and write its report,
// as the window and vantoli-plan do with a long list. The goal is well under 5 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <variant>

#include "core/long_disc_plan.h"
#include "core/plan_report.h"
#include "core/track_caption.h"
#include "device/tape_document_file.h"

namespace {

// 99 titled tracks of a single-file rip beside the document, every member filled in.
std::string writeDocument(bool exact)
{
    vantoli::TapeDocument d;
    d.longList = true;
    d.tracks.album = "九十九曲のアルバム";
    d.tracks.artist = "アーティスト";
    for (int i = 0; i < 99; ++i) {
        vantoli::Track track;
        track.milliseconds = (18 + i * 7 % 5) * 1000 + 480;
        track.title = "曲の題名 " + std::to_string(i + 1) + " (Remastered 2024, Live at the Hall)";
        track.artist = "演奏者";
        track.audio = {vantoli::AudioSource::Kind::File, "/music/album/album.flac", i * 1500LL, i * 1500LL + 1500, 0};
        d.tracks.tracks.push_back(track);
    }
    d.options = vantoli::PlanOptions{true, !exact, exact};
    d.lineup = vantoli::standardLineup();
    d.label = vantoli::LabelTexts{"題", "人", "TYPE II", {{3, "三"}, {50, "五十"}}};
    const std::string path = "/tmp/bench_tape_document_" + std::to_string(::getpid()) + ".vantoli";
    std::ofstream(path, std::ios::binary) << vantoli::writeTapeDocument(d, "/music");
    return path;
}

void BM_OpenAndPlanTape(benchmark::State& state)
{
    const bool exact = state.range(0) != 0;
    const std::string path = writeDocument(exact);
    for (auto _ : state) {
        const vantoli::ParsedTapeDocument parsed = vantoli::readTapeDocumentFile(path);
        const auto* document = std::get_if<vantoli::TapeDocument>(&parsed);
        if (!document) {
            state.SkipWithError("the document does not read");
            break;
        }
        const std::vector<int> seconds = vantoli::trackSeconds(document->tracks);
        auto plan = vantoli::planLongDisc(seconds, document->options, 99, document->lineup);
        if (!plan) {
            state.SkipWithError("no plan");
            break;
        }
        std::string text = vantoli::PlanReportText(*plan);
        benchmark::DoNotOptimize(text);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_OpenAndPlanTape)->ArgName("exact")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
