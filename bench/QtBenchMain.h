// The main() of the Qt benchmarks: a QApplication on the offscreen platform
// (unless one is chosen) around Google Benchmark's own run.
#pragma once

#include "BenchCorpus.h"

#include <QApplication>

#include <benchmark/benchmark.h>

inline int RunQtBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    quarno::bench::TakeCorpusOption(argc, argv);
    QApplication application(argc, argv);
    return quarno::bench::RunBenchmarks(argc, argv);
}
