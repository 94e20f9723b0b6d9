#include "editors/common/CachedStyle.h"

#include <QApplication>

#include <benchmark/benchmark.h>

// The desktop program's benchmarks run on the offscreen platform unless told otherwise; each
// file of this folder registers its own measurements.
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TCachedStyle::Install();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
