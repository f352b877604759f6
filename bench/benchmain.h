#pragma once

#include <benchmark/benchmark.h>
#include <QApplication>
#include <string>

#include "ui/dialogs.h"

namespace zm::bench {

// Every question answered with OK, without a window.
class AlwaysOk final : public Dialogs {
public:
    Answer msgBox(const std::string&, const std::string&, Icon, Buttons) override {
        return Answer::Ok;
    }
    std::string inputBox(const std::string&, const std::string&) override { return {}; }
};

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
