// Creating and showing the main window, against a bare QMainWindow with as many widgets, inside one
// running application (offscreen platform). The whole process start is timed by scripts/startup.

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

#include "bare_window.h"
#include "device/libcdio_device.h"
#include "gui/fonts.h"
#include "gui/main_form.h"
#include "gui_benchmark_main.h"

namespace {

template <class Window>
void showAndPaint(Window& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window, 1000)) std::abort();
}

void BM_MainFormShown(benchmark::State& state)
{
    for (auto _ : state) {
        vantoli::MainForm window(std::make_unique<vantoli::LibcdioDevice>());
        showAndPaint(window);
    }
}
BENCHMARK(BM_MainFormShown)->Unit(benchmark::kMillisecond);

void BM_BareWindowShown(benchmark::State& state)
{
    for (auto _ : state) {
        auto window = makeBareWindow();
        showAndPaint(*window);
    }
}
BENCHMARK(BM_BareWindowShown)->Unit(benchmark::kMillisecond);

}  // namespace

VANTOLI_GUI_BENCHMARK_MAIN()
