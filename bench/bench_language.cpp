// What choosing a language costs at start: loading the windows' English from the program's resources,
// loading Qt's own Japanese (as the Japanese program always has), and installing either and telling
// the windows (useLanguage, with the main window open). scripts/startup times the whole start.

#include <QLibraryInfo>
#include <QTranslator>

#include <benchmark/benchmark.h>

#include <memory>

#include "device/libcdio_device.h"
#include "gui/main_form.h"
#include "gui/translation.h"
#include "gui_benchmark_main.h"

namespace {

void BM_LoadEnglish(benchmark::State& state)
{
    for (auto _ : state) {
        QTranslator english;
        if (!english.load(QStringLiteral(":/i18n/vantoli_en.qm"))) std::abort();
        benchmark::DoNotOptimize(english.isEmpty());
    }
}
BENCHMARK(BM_LoadEnglish)->Unit(benchmark::kMicrosecond);

void BM_LoadQtJapanese(benchmark::State& state)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (auto _ : state) {
        QTranslator japanese;
        if (!japanese.load(QStringLiteral("qtbase_ja"), folder)) std::abort();
        benchmark::DoNotOptimize(japanese.isEmpty());
    }
}
BENCHMARK(BM_LoadQtJapanese)->Unit(benchmark::kMicrosecond);

// Switching the language of an open main window: every text shown anew.
void BM_SwitchLanguage(benchmark::State& state)
{
    vantoli::MainForm window(std::make_unique<vantoli::LibcdioDevice>());
    bool english = false;
    for (auto _ : state) {
        english = !english;
        vantoli::useLanguage(english ? vantoli::Language::English : vantoli::Language::Japanese);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }
    vantoli::useLanguage(vantoli::Language::Japanese);
}
BENCHMARK(BM_SwitchLanguage)->Unit(benchmark::kMicrosecond);

}  // namespace

VANTOLI_GUI_BENCHMARK_MAIN()
