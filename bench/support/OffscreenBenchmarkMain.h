#pragma once
// The main of every benchmark program: a QApplication on the offscreen
// platform (unless another is asked for), then the registered benchmarks.
#include <QApplication>
#include <benchmark/benchmark.h>

inline int runBenchmarksOffscreen(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
