// The main of the benchmarks that make windows: an offscreen application and US English format settings.
#include "platform/rtl/FormatSettings.h"

#include <benchmark/benchmark.h>
#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    rtl::UseUsEnglishFormatSettings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
