#pragma once
// The main of the widget benchmarks: offscreen unless a platform is named,
// then `tearDown` before the application goes.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

inline int VQRunOffscreenBenchmarks(int argc, char **argv, const std::function<void()> &tearDown)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    tearDown();
    return 0;
}
