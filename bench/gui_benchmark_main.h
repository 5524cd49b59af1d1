#pragma once
// main() of a benchmark of windows: an application on the offscreen platform with the program's
// fonts, then the registered benchmarks.

#include <QApplication>

#include <benchmark/benchmark.h>

#include "gui/fonts.h"

#define VANTOLI_GUI_BENCHMARK_MAIN()                                                                                   \
    int main(int argc, char* argv[])                                                                                   \
    {                                                                                                                  \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                                       \
        QApplication app(argc, argv);                                                                                  \
        vantoli::registerFontSubstitutions();                                                                          \
        benchmark::Initialize(&argc, argv);                                                                            \
        benchmark::RunSpecifiedBenchmarks();                                                                           \
        benchmark::Shutdown();                                                                                         \
        return 0;                                                                                                      \
    }
