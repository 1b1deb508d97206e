#pragma once

#include <benchmark/benchmark.h>
#include <QtGlobal>

namespace veskplan::bench {

// Runs the benchmarks the command line names inside an application of type `App`
// (QGuiApplication for fonts and drawing, QApplication for widgets), on the offscreen platform
// unless another is asked for.
template <typename App>
int runInApplication(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace veskplan::bench
