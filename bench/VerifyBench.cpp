// zolctl upload --verify against the emulated panel with 9600-baud wire time, compared with a
// plain upload followed by a download of the same configuration in the same run: the verify
// is one Load All after the Save All plus the comparison, so the ratio should stay within
// 1.05. A plain timed program: each step runs once (a Save All at 9600 bit/s takes seconds).

#include "cli/Cli.h"
#include "model/Data.h"
#include "sim/DemoPanel.h"
#include "storage/ConfigFile.h"
#include "storage/Prompts.h"
#include "support/SilentPrompts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int BitRate = 9600;
constexpr double Budget = 1.05;

double RunSeconds(const QStringList& args)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    TCliContext context{outStream, errStream, nullptr};
    QElapsedTimer timer;
    timer.start();
    const int code = RunZolctl(args, context);
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    if (code != 0) {
        std::fprintf(stderr, "zolctl %s failed: %s\n", qPrintable(args.first()), qPrintable(err));
        return -1;
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    auto panel = RegisterDemoPanel();
    panel->SetWireBitRate(BitRate);

    TData data;
    for (int l = 1; l <= 2; ++l)
        for (int p = 1; p <= data.NoLoopDevices(); p += 3)
            data.Loop(l).PlaceDevice(p, 0);
    TSilentPrompts prompts;
    const QString file = dir.filePath("Site_Panel1.QEM");
    if (!TConfigFile(data, prompts).WriteFile(file))
        return 1;

    const double save = RunSeconds({"upload", file, "--port", "demo", "--yes"});
    const double load = RunSeconds({"download", "--port", "demo", "-o", dir.filePath("back.QEM")});
    const double verify = RunSeconds({"upload", file, "--port", "demo", "--yes", "--verify"});
    if (save < 0 || load < 0 || verify < 0)
        return 1;
    const double ratio = verify / (save + load);
    std::printf("Save All %.2f s, Load All %.2f s, upload --verify %.2f s: %.3f x (budget %.2f)\n",
                save, load, verify, ratio, Budget);
    return 0;
}
