// zolctl upload --changes against the emulated panel with 9600-baud wire time: a one-zone
// rename saved and proven from the command (the handshake included), against a full Save All
// + verify of the same file in the same run, and Save Changes of 10 and 100 changed records.
// Target: the one-zone rename under 5 s. A plain timed program: each step runs once.

#include "cli/Cli.h"
#include "model/Data.h"
#include "sim/DemoPanel.h"
#include "storage/ConfigFile.h"
#include "storage/Prompts.h"
#include "support/LargestConfiguration.h"
#include "support/SilentPrompts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int BitRate = 9600;
constexpr double TargetSeconds = 5.0;

struct TTimed {
    double Seconds = -1;
    QString Out;
};

TTimed Run(const QStringList& args)
{
    TTimed run;
    QString err;
    QTextStream outStream(&run.Out);
    QTextStream errStream(&err);
    TCliContext context{outStream, errStream, nullptr};
    QElapsedTimer timer;
    timer.start();
    const int code = RunZolctl(args, context);
    run.Seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    if (code != 0) {
        std::fprintf(stderr, "zolctl %s failed: %s\n", qPrintable(args.join(' ')), qPrintable(err));
        run.Seconds = -1;
    }
    return run;
}

// The number of records Save Changes reported saving.
int Saved(const QString& out)
{
    static const QRegularExpression saved(QStringLiteral("Saved (\\d+) change"));
    const QRegularExpressionMatch m = saved.match(out);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    auto panel = RegisterDemoPanel();
    panel->SetWireBitRate(BitRate);

    TData data;
    FillLargestConfiguration(data);
    panel->Memory().Protocol = static_cast<quint8>(data.SystemType());
    TSilentPrompts prompts;
    const QString file = dir.filePath("Site_Panel1.QEM");
    auto write = [&] { return TConfigFile(data, prompts).WriteFile(file); };
    if (!write())
        return 1;
    const TTimed whole = Run({"upload", file, "--port", "demo", "--yes", "--force", "--verify"});
    if (whole.Seconds < 0)
        return 1;

    // Each step edits the file and saves the changes to the panel proven by the step before.
    auto changes = [&](const std::function<void()>& edit) {
        edit();
        if (!write())
            return TTimed{};
        return Run({"upload", file, "--port", "demo", "--changes", "--force", "-v"});
    };
    const TTimed one = changes([&] { data.ZoneList.Zone(4).Name = QStringLiteral("Plant Room"); });
    auto points = [&](int count) {
        return changes([&, count] {
            for (int p = 1; p <= count; ++p) {
                int& level = data.Loop1.Devices[p].SharedData[3];
                level = level == 80 ? 81 : 80;
            }
        });
    };
    const TTimed ten = points(10);
    const TTimed hundred = points(100);
    if (one.Seconds < 0 || ten.Seconds < 0 || hundred.Seconds < 0)
        return 1;

    std::printf("Save All + verify of the largest configuration: %.2f s\n", whole.Seconds);
    std::printf("Save Changes, one zone renamed (%d record): %.2f s (target < %.1f s), %.3f x Save "
                "All + verify\n",
                Saved(one.Out), one.Seconds, TargetSeconds, one.Seconds / whole.Seconds);
    std::printf("Save Changes, %d records: %.2f s\n", Saved(ten.Out), ten.Seconds);
    std::printf("Save Changes, %d records: %.2f s\n", Saved(hundred.Out), hundred.Seconds);
    return one.Seconds < TargetSeconds ? 0 : 2;
}
