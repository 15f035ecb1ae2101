// With the dialogs built, the benchmarks run inside one QApplication that main() owns: the
// windows that the benchmarks keep are closed before it goes, and it goes before Qt's own
// globals do.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "MainWindowBench.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (const char* path = lq::memoryProbePath(argc, argv)) {
        return lq::runMemoryProbe(path);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    lq::closeBenchWindows();
    return 0;
}
