#pragma once

#include <benchmark/benchmark.h>
#include <QApplication>

namespace zm::bench {

// Runs the registered benchmarks with a QApplication, offscreen unless the
// environment names another platform.
inline int runWithWidgets(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace zm::bench
