#include "cli/Cli.h"
#include "panel/RichConfig.h"
#include "panel/TransferSequencer.h"
#include "sim/DemoPanel.h"
#include "sim/PtyPanel.h"
#include "storage/ConfigFile.h"
#include "storage/ScriptedPrompts.h"

#include "model/Data.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <QScopeGuard>

#include <algorithm>
#include <csignal>
#include <deque>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// The transfer commands run the event loop; the report command, in the same executable,
// needs a QGuiApplication, so that is the one created when there is none.
void EnsureApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tests_cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

struct TRun {
    int Code = -1;
    QString Out;
    QString Err;
};

TRun Zolctl(const QStringList& args)
{
    EnsureApplication();
    TRun run;
    QTextStream out(&run.Out);
    QTextStream err(&run.Err);
    TCliContext context{out, err, nullptr};
    run.Code = RunZolctl(args, context);
    return run;
}

// A fresh emulated panel behind the "demo" port, speaking the protocol given.
std::shared_ptr<TPanelEmulator> FreshDemoPanel(TSystemType protocol, int loopCount = 2)
{
    auto panel = RegisterDemoPanel();
    panel->Memory().Protocol = protocol;
    panel->Memory().LoopCount = static_cast<quint8>(loopCount);
    return panel;
}

QString WriteConfiguration(const TData& data, const QString& path)
{
    TData copy;
    copy.AssignContent(data);
    TScriptedPrompts prompts;
    EXPECT_TRUE(TConfigFile(copy, prompts).WriteFile(path));
    return path;
}

bool OpenConfiguration(TData& data, const QString& path)
{
    TScriptedPrompts prompts;
    return TConfigFile(data, prompts).Open(path);
}

} // namespace

TEST(ZolctlTransfer, UploadThenDownloadRoundTripsAFile)
{
    QTemporaryDir dir;
    FreshDemoPanel(stHochikiLoop);
    TData rich;
    FillRichConfiguration(rich, stHochikiLoop);
    const QString in = WriteConfiguration(rich, dir.filePath("site.QEM"));

    // --force: the rich configuration holds codes the check does not know.
    const TRun up = Zolctl({"upload", in, "--port", "demo", "--yes", "--send-date", "--force"});
    ASSERT_EQ(up.Code, ecSuccess) << up.Err.toStdString();

    const QString out = dir.filePath("back.QEM");
    const TRun down = Zolctl({"download", "--port=demo", "-o", out});
    ASSERT_EQ(down.Code, ecSuccess) << down.Err.toStdString();

    TData sent;
    TData received;
    ASSERT_TRUE(OpenConfiguration(sent, in));
    ASSERT_TRUE(OpenConfiguration(received, out));
    ExpectSameTransferredData(sent, received);
}

TEST(ZolctlTransfer, OneBlockGoesIntoTheConfigurationGiven)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    panel->Memory().ZoneNames[7] = "Boiler House";
    TData base;
    base.SiteConfig.ClientName = QStringLiteral("Acme");
    base.ZoneList.Zone(7).Name = QStringLiteral("Old name");
    const QString into = WriteConfiguration(base, dir.filePath("base.QEM"));

    const QString out = dir.filePath("merged.QEM");
    const TRun run = Zolctl({"download", "--port", "demo", "--block", "zones", "--into", into,
                             "-o", out});
    ASSERT_EQ(run.Code, ecSuccess) << run.Err.toStdString();
    TData merged;
    ASSERT_TRUE(OpenConfiguration(merged, out));
    EXPECT_EQ(merged.ZoneList.Zone(7).Name, "Boiler House");
    EXPECT_EQ(merged.SiteConfig.ClientName, "Acme");
}

TEST(ZolctlTransfer, QuestionsWithoutTheirFlagFailNamingIt)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    TData data;
    const QString in = WriteConfiguration(data, dir.filePath("plain.QEM"));

    const TRun unconfirmed = Zolctl({"upload", in, "--port", "demo"});
    EXPECT_EQ(unconfirmed.Code, ecFailure);
    EXPECT_EQ(unconfirmed.Err.count('\n'), 1);
    EXPECT_TRUE(unconfirmed.Err.contains("--yes"));
    EXPECT_EQ(panel->FramesReceived(), 0);

    // The output-delay check refuses before anything is sent.
    data.ZoneList.Zone(2).Dependancy[1] = doInvestigation;
    data.ZoneList.Zone(2).SounderTimer = 900;
    const QString delayed = WriteConfiguration(data, dir.filePath("delayed.QEM"));
    const TRun refused = Zolctl({"upload", delayed, "--port", "demo", "--block", "zones"});
    EXPECT_EQ(refused.Code, ecFailure);
    EXPECT_TRUE(refused.Err.contains("There are output delays exceeding 10 Minutes which MUST be "
                                     "resolved"));
    EXPECT_EQ(panel->FramesReceived(), 0);
}

TEST(ZolctlTransfer, UsageErrors)
{
    EXPECT_EQ(Zolctl({"download", "--port", "demo"}).Code, ecUsage);
    EXPECT_EQ(Zolctl({"download", "-o", "x.QEM"}).Code, ecUsage);
    EXPECT_EQ(Zolctl({"download", "--port", "demo", "--block", "everything", "-o", "x.QEM"}).Code,
              ecUsage);
    EXPECT_EQ(Zolctl({"download", "--port", "demo", "--panel", "9", "-o", "x.QEM"}).Code, ecUsage);
    EXPECT_EQ(Zolctl({"download", "--port", "demo", "--yes", "-o", "x.QEM"}).Code, ecUsage);
    EXPECT_EQ(Zolctl({"upload", "--port", "demo", "--yes"}).Code, ecUsage);
    EXPECT_EQ(Zolctl({"upload", "a.QEM", "--port"}).Code, ecUsage);
    EXPECT_EQ(Zolctl({"events", "--port", "demo"}).Code, ecUsage);
    const TRun events = Zolctl({"events", "--port", "demo", "--into", "a.QEM", "-o", "x.log"});
    EXPECT_EQ(events.Code, ecUsage);
    EXPECT_TRUE(events.Err.startsWith("zolctl: unknown option '--into'"));
}

TEST(ZolctlTransfer, EventsReadWithAndWithoutClearing)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    panel->Memory().Events = {"Fire Zone 3", "Fault Loop 1"};

    const QString kept = dir.filePath("kept.log");
    const TRun read = Zolctl({"events", "--port", "demo", "-o", kept});
    ASSERT_EQ(read.Code, ecSuccess) << read.Err.toStdString();
    EXPECT_TRUE(read.Out.contains("2 events"));
    EXPECT_EQ(panel->Memory().Events.size(), 2u);
    QFile log(kept);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("Fire Zone 3"));
    EXPECT_TRUE(text.contains("Fault Loop 1"));
    EXPECT_FALSE(text.contains("INCOMPLETE"));

    const TRun cleared = Zolctl({"events", "--port", "demo", "--clear", "-o", dir.filePath("c.log")});
    ASSERT_EQ(cleared.Code, ecSuccess) << cleared.Err.toStdString();
    EXPECT_TRUE(cleared.Out.contains("2 events"));
    EXPECT_TRUE(panel->Memory().Events.empty());
}

// Killed politely part-way through "events --clear": every event gone from the panel is in the
// log, which is kept marked incomplete.
TEST(ZolctlTransfer, InterruptedClearingKeepsEveryEventItDeleted)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    const std::deque<QByteArray> history = {"Fire Zone 1", "Fault Loop 1", "Fire Zone 2",
                                            "Fault Loop 2", "Fire Zone 3", "Fault Loop 3"};
    panel->Memory().Events = history;
    // A line of real speed: the interrupt comes while the history is being read.
    panel->SetWireBitRate(2400);
    int clears = 0;
    panel->OnFrame = [&](bool fromTool, const QByteArray& frame) {
        // Frame: SOH, panel, 'q', 3, index (2), clear flag, checksum.
        if (fromTool && frame.size() == 8 && frame.at(2) == 'q' && frame.at(6) == 1 && ++clears == 3)
            QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    };
    const QString target = dir.filePath("history.log");
    const TRun run = Zolctl({"events", "--port", "demo", "--clear", "-o", target});
    panel->OnFrame = nullptr;
    EXPECT_EQ(run.Code, 130);
    EXPECT_LT(panel->Memory().Events.size(), history.size());
    QFile log(target);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << run.Err.toStdString();
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("INCOMPLETE"));
    for (const QByteArray& event : history) {
        const bool onPanel = std::find(panel->Memory().Events.begin(), panel->Memory().Events.end(),
                                       event) != panel->Memory().Events.end();
        EXPECT_TRUE(onPanel || text.contains(event)) << event.toStdString();
    }
}

// zolctl killed outright (SIGKILL) part-way through clearing over a serial line: the target
// itself already holds, marked incomplete, every event that has left the panel.
TEST(ZolctlTransfer, KilledClearingLeavesEveryDeletedEventInTheTarget)
{
    EnsureApplication();
    QTemporaryDir dir;
    auto panel = std::make_shared<TPanelEmulator>();
    panel->Memory().Protocol = stApolloLoop;
    const std::deque<QByteArray> history = {"Fire Zone 1", "Fault Loop 1", "Fire Zone 2",
                                            "Fault Loop 2", "Fire Zone 3", "Fault Loop 3"};
    panel->Memory().Events = history;
    TPtyPanel pty(panel);
    QString error;
    ASSERT_TRUE(pty.Start(&error)) << error.toStdString();
    const QString target = dir.filePath("history.log");
    QProcess zolctl;
    int clears = 0;
    panel->OnFrame = [&](bool fromTool, const QByteArray& frame) {
        // Frame: SOH, panel, 'q', 3, index (2), clear flag, checksum.
        if (fromTool && frame.size() == 8 && frame.at(2) == 'q' && frame.at(6) == 1 && ++clears == 3)
            zolctl.kill();
    };
    QEventLoop loop;
    QObject::connect(&zolctl, &QProcess::finished, &loop, &QEventLoop::quit);
    zolctl.start(QStringLiteral(ZOLCTL_PATH),
                 {"events", "--port", pty.DeviceName(), "--clear", "-o", target});
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    panel->OnFrame = nullptr;
    ASSERT_EQ(zolctl.exitStatus(), QProcess::CrashExit) << zolctl.readAllStandardError().toStdString();
    EXPECT_LT(panel->Memory().Events.size(), history.size());
    QFile log(target);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("INCOMPLETE"));
    for (const QByteArray& event : history) {
        const bool onPanel = std::find(panel->Memory().Events.begin(), panel->Memory().Events.end(),
                                       event) != panel->Memory().Events.end();
        EXPECT_TRUE(onPanel || text.contains(event)) << event.toStdString();
    }
}

TEST(ZolctlTransfer, InterruptCancelsAndTheNextCommandWorks)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    // A panel that answers nothing: the download waits on its time-out when Ctrl-C comes.
    panel->Faults.DropEveryRequest = 1;
    EnsureApplication();
    int framesAtInterrupt = -1;
    QTimer::singleShot(600, [&] {
        framesAtInterrupt = panel->FramesReceived();
        std::raise(SIGINT);
    });
    const TRun cancelled = Zolctl({"download", "--port", "demo", "-o", dir.filePath("x.QEM")});
    EXPECT_EQ(cancelled.Code, 130);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.QEM")));
    EXPECT_EQ(panel->FramesReceived(), framesAtInterrupt);

    panel->Faults = {};
    const TRun after = Zolctl({"download", "--port", "demo", "--block", "site", "-o",
                               dir.filePath("site.QEM")});
    EXPECT_EQ(after.Code, ecSuccess) << after.Err.toStdString();
}

// Every output is open in its folder before the panel is asked anything: a path that cannot
// be written fails at once, and the history is never cleared when the log cannot be kept.
TEST(ZolctlTransfer, OutputsThatCannotBeWrittenFailBeforeAnythingIsSent)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    panel->Memory().Events = {"Fire Zone 3"};
    for (const QStringList& args :
         {QStringList{"download", "--port", "demo", "-o", dir.filePath("nodir/x.QEM")},
          QStringList{"events", "--port", "demo", "--clear", "-o", dir.filePath("nodir/ev.log")},
          QStringList{"events", "--port", "demo", "--clear", "-o", dir.path()}}) {
        const TRun run = Zolctl(args);
        EXPECT_EQ(run.Code, ecFailure);
        EXPECT_TRUE(run.Err.contains(args.last())) << run.Err.toStdString();
    }
    EXPECT_EQ(panel->FramesReceived(), 0);
    EXPECT_EQ(panel->Memory().Events.size(), 1u);
}

// The panel number comes from the file's "_Panel" digit unless --panel says otherwise; an
// upload cut short says the panel is partly saved.
TEST(ZolctlTransfer, UploadsGoToTheFilesPanelAndSayWhenCutShort)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    panel->Faults.OnlyPanelNumber = 3;
    TData data;
    data.Loop1.PlaceDevice(1, 0);
    const QString site = WriteConfiguration(data, dir.filePath("site_Panel3.QEM"));
    const TRun up = Zolctl({"upload", site, "--port", "demo", "--yes", "--block", "site"});
    EXPECT_EQ(up.Code, ecSuccess) << up.Err.toStdString();
    EXPECT_TRUE(up.Out.contains("panel 3"));

    panel->Faults = {};
    const TRun other = Zolctl({"upload", site, "--port", "demo", "--yes", "--panel", "2", "--block", "site"});
    EXPECT_EQ(other.Code, ecSuccess) << other.Err.toStdString();
    EXPECT_TRUE(other.Err.contains("is for panel 3; using panel 2")) << other.Err.toStdString();

    // A panel of another protocol: an error, and nothing was written.
    panel->Memory().Protocol = stHochikiLoop;
    const TRun mismatch = Zolctl({"upload", site, "--port", "demo", "--yes", "--force"});
    EXPECT_NE(mismatch.Code, ecSuccess);
    EXPECT_TRUE(mismatch.Err.contains(TransferText::ProtocolMismatch)) << mismatch.Err.toStdString();
    EXPECT_FALSE(mismatch.Err.contains(TransferText::PartlySaved));
    panel->Memory().Protocol = stApolloLoop;

    // Ctrl-C once writes have begun (at the wire time of 9600 bit/s a Save All takes a while).
    panel->SetWireBitRate(9600);
    QTimer::singleShot(1500, [] { std::raise(SIGINT); });
    const TRun cancelled = Zolctl({"upload", site, "--port", "demo", "--yes", "--force"});
    EXPECT_EQ(cancelled.Code, 130);
    EXPECT_EQ(cancelled.Err.count(TransferText::PartlySaved), 1) << cancelled.Err.toStdString();
}

// Files that would go wrong on the way to the panel are named before anything is sent: a text
// the panel refuses, a file cut off part-way, a file too large to be a configuration.
TEST(ZolctlTransfer, FilesThatWouldGoWrongAreNamedFirst)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    TData rich;
    FillRichConfiguration(rich, stApolloLoop);
    rich.SiteConfig.MaintenanceString = QStringLiteral("Call") + QChar(0) + QStringLiteral("Acme");
    const QString nul = WriteConfiguration(rich, dir.filePath("nul.QEM"));
    const TRun check = Zolctl({"check", nul});
    EXPECT_EQ(check.Code, ecFailure);
    EXPECT_TRUE(check.Out.contains("Maintenance text")) << check.Out.toStdString();
    EXPECT_TRUE(check.Out.contains("NUL"));
    const TRun up = Zolctl({"upload", nul, "--port", "demo", "--yes"});
    EXPECT_NE(up.Code, ecSuccess);
    EXPECT_TRUE(up.Err.contains("Maintenance text")) << up.Err.toStdString();
    EXPECT_EQ(panel->FramesReceived(), 0);

    rich.SiteConfig.MaintenanceString = QStringLiteral("Call Acme");
    const QString whole = WriteConfiguration(rich, dir.filePath("whole.QEM"));
    QFile source(whole);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QString cut = dir.filePath("cut.QEM");
    QFile cutFile(cut);
    ASSERT_TRUE(cutFile.open(QIODevice::WriteOnly));
    cutFile.write(source.read(20000));
    cutFile.close();
    const TRun cutCheck = Zolctl({"check", cut});
    EXPECT_EQ(cutCheck.Code, ecFailure);
    EXPECT_TRUE(cutCheck.Out.contains("cut off")) << cutCheck.Out.toStdString();
    const TRun cutInfo = Zolctl({"info", cut});
    EXPECT_TRUE(cutInfo.Out.contains("Missing sections")) << cutInfo.Out.toStdString();
    EXPECT_TRUE(cutInfo.Err.contains("Zone Config")) << cutInfo.Err.toStdString();

    const QString longLine = dir.filePath("long.QEM");
    QFile longFile(longLine);
    ASSERT_TRUE(longFile.open(QIODevice::WriteOnly));
    longFile.write("[QEM Header]\nFileType=Prog Tools\n[Maintenance]\nText=");
    longFile.write(QByteArray(70 * 1024, 'x'));
    longFile.write("\n");
    longFile.close();
    const TRun info = Zolctl({"info", longLine});
    EXPECT_EQ(info.Code, ecFailure);
    EXPECT_TRUE(info.Err.contains("line 4")) << info.Err.toStdString();
}

// A plain upload reads the panel back: a panel that acknowledges a write and drops it fails
// it. --no-verify says in its success line that nothing was verified; --verify still works.
TEST(ZolctlTransfer, UploadVerifiesUnlessToldNot)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    TData rich;
    FillRichConfiguration(rich, stApolloLoop);
    const QString in = WriteConfiguration(rich, dir.filePath("site.QEM"));
    panel->Faults.ForgetEveryWrite = 40;
    const TRun forgot = Zolctl({"upload", in, "--port", "demo", "--yes", "--force"});
    EXPECT_EQ(forgot.Code, ecFailure) << forgot.Out.toStdString();
    EXPECT_TRUE(forgot.Err.contains("verify failed")) << forgot.Err.toStdString();

    panel->Faults = {};
    const TRun plain = Zolctl({"upload", in, "--port", "demo", "--yes", "--force", "--no-verify"});
    EXPECT_EQ(plain.Code, ecSuccess) << plain.Err.toStdString();
    EXPECT_TRUE(plain.Out.contains("not verified")) << plain.Out.toStdString();
    const TRun verified = Zolctl({"upload", in, "--port", "demo", "--yes", "--force", "--verify"});
    EXPECT_EQ(verified.Code, ecSuccess) << verified.Err.toStdString();
    EXPECT_TRUE(verified.Out.contains("verified: the panel holds what was sent"));
    EXPECT_FALSE(verified.Out.contains("not verified"));
}

// With the communications trace on, a panel that goes away part-way ends the download at
// once as a lost port, rather than a wait that never ends.
TEST(ZolctlTransfer, TracedDownloadReportsALostPort)
{
    EnsureApplication();
    QTemporaryDir dir;
    auto panel = std::make_shared<TPanelEmulator>();
    panel->Memory().Protocol = stApolloLoop;
    TPtyPanel pty(panel);
    QString error;
    ASSERT_TRUE(pty.Start(&error)) << error.toStdString();
    int frames = 0;
    panel->OnFrame = [&](bool fromTool, const QByteArray&) {
        if (fromTool && ++frames == 40)
            QTimer::singleShot(0, [&] { pty.Restart(); });
    };
    QElapsedTimer clock;
    clock.start();
    const TRun run = Zolctl({"download", "--port", pty.DeviceName(), "--trace",
                             dir.filePath("trace.log"), "-o", dir.filePath("x.QEM")});
    panel->OnFrame = nullptr;
    EXPECT_EQ(run.Code, ecFailure);
    EXPECT_TRUE(run.Err.contains(TransferText::CannotCommunicate)) << run.Err.toStdString();
    EXPECT_LT(clock.elapsed(), 20000);
}

// A log that cannot be written on a full disk stops the clearing before anything is deleted,
// keeps what was written and names the file and the reason.
TEST(ZolctlTransfer, ClearingStopsWhenTheLogCannotBeWritten)
{
#ifdef Q_OS_UNIX
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
    QTemporaryDir dir;
    const QString small = dir.filePath("small");
    QDir().mkpath(small);
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=8k", "tmpfs", small}) != 0)
        GTEST_SKIP() << "no tmpfs could be mounted";
    const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {small}); });
    auto panel = FreshDemoPanel(stApolloLoop);
    std::deque<QByteArray> history;
    for (int i = 0; i < 600; ++i)
        history.push_back("Fault Loop 1 Point " + QByteArray::number(i % 7));
    panel->Memory().Events = history;
    const QString target = small + "/history.log";
    const TRun run = Zolctl({"events", "--port", "demo", "--clear", "-o", target});
    EXPECT_EQ(run.Code, ecFailure);
    EXPECT_TRUE(run.Err.contains(target) && run.Err.contains("space")) << run.Err.toStdString();
    EXPECT_EQ(panel->Memory().Events.size(), history.size());
    EXPECT_TRUE(QFile::exists(target));
#else
    GTEST_SKIP() << "needs a small file system mounted for the test";
#endif
}
