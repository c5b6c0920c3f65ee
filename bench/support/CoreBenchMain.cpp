// The main of the benchmarks without windows: a core application and US English format settings.
#include "platform/rtl/FormatSettings.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    rtl::UseUsEnglishFormatSettings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
