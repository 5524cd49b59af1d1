// What the disc database lookup adds to a CD read (goal: under 50 ms), against a server on
// 127.0.0.1 in this process, asked through the real vantoli-helper --fetch: the same read of a 12-track disc with mnuSettingOnline ticked and
// unticked. The cache is emptied before each read so that every read asks the server, and the
// second of spacing the service demands between requests is waited out untimed.

#include <QAction>
#include <QDir>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include "gui/disc_lookup.h"
#include "gui/main_form.h"
#include "gui_benchmark_main.h"
#include "support/answer_server.h"
#include "support/fake_device.h"
#include "support/musicbrainz_answers.h"

namespace {

using namespace vantoli::test;

const std::vector<std::int32_t> Disc(12, 215000);

void readDisc(benchmark::State& state, bool online)
{
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    AnswerServer server({{200, discAnswer({{"Album", "Band", "2001", "JP", "1", {{"CD", "", songTitles(12)}}}})}});
    qputenv("VANTOLI_MUSICBRAINZ_URL", server.baseUrl());
    qputenv("VANTOLI_HELPER", VANTOLI_HELPER_PROGRAM);
    vantoli::MainForm window(std::make_unique<FakeDevice>(Disc));
    window.mnuSettingOnline()->setChecked(online);
    for (auto _ : state) {
        state.PauseTiming();
        QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/musicbrainz").removeRecursively();
        if (online) QTest::qWait(1050);
        state.ResumeTiming();
        QSignalSpy read(&window, &vantoli::MainForm::discRead);
        window.mnuFileReadCD()->trigger();
        // The drive is read on a thread of its own, and the lookup answers later, from the event loop.
        if (read.isEmpty() && !read.wait(20000)) state.SkipWithError("the disc was not read");
        while (window.findChild<vantoli::DiscLookupRun*>()) QTest::qWait(1);
    }
    if (online && server.requests().size() != static_cast<qsizetype>(state.iterations()))
        state.SkipWithError("not every read asked the server");
}

void BM_DiscReadOffline(benchmark::State& state) { readDisc(state, false); }
BENCHMARK(BM_DiscReadOffline)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DiscReadWithLookup(benchmark::State& state) { readDisc(state, true); }
BENCHMARK(BM_DiscReadWithLookup)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

VANTOLI_GUI_BENCHMARK_MAIN()
