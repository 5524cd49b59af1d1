// Writing the cassette label of a 20-track side as PDF: into memory (painting and the PDF itself) and
// into a file through QSaveFile, as the label window saves it. Run on the offscreen platform.

#include <QApplication>
#include <QBuffer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/label_content.h"
#include "core/tape_planner.h"
#include "gui/fonts.h"
#include "gui/jcard_output.h"
#include "gui_benchmark_main.h"

namespace {

using namespace vantoli;

// Forty tracks of two minutes with titles: twenty on each side of the 90-minute tape.
LabelContent twentyTracksASide()
{
    const std::vector<int> seconds(40, 120);
    TrackList titles;
    titles.album = "合唱曲集";
    titles.artist = "少年少女合唱団";
    for (int i = 0; i < 40; ++i) titles.tracks.push_back(Track{0, "春の小川 その" + std::to_string(i + 1), {}, {}});
    LabelContent label = labelContent(MadePlan{*PlanTape(seconds, PlanOptions{}), seconds, 5, titles});
    label.note = "TYPE II (CrO2)  Dolby B  2024-08-31";
    return label;
}

void BM_LabelPdfInMemory(benchmark::State& state)
{
    const LabelContent label = twentyTracksASide();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!writeJCardPdf(buffer, label)) state.SkipWithError("the PDF was not written");
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(BM_LabelPdfInMemory)->Unit(benchmark::kMillisecond);

void BM_LabelPdfSaved(benchmark::State& state)
{
    const LabelContent label = twentyTracksASide();
    QTemporaryDir dir;
    const QString path = dir.filePath("label.pdf");
    for (auto _ : state) {
        if (saveJCardPdf(path, label)) state.SkipWithError("the PDF was not saved");
    }
}
BENCHMARK(BM_LabelPdfSaved)->Unit(benchmark::kMillisecond);

}  // namespace

VANTOLI_GUI_BENCHMARK_MAIN()
