#include "cli/Cli.h"
#include "storage/ConfigFile.h"
#include "storage/ProfileFile.h"
#include "storage/ScriptedPrompts.h"

#include "model/Data.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

namespace {

struct TRun {
    int Code = -1;
    QString Out;
    QString Err;
};

TRun Zolctl(const QStringList& args, const QString& terminalInput = QString(), bool terminal = false)
{
    TRun run;
    QTextStream out(&run.Out);
    QTextStream err(&run.Err);
    QString input = terminalInput;
    QTextStream in(&input);
    TCliContext context{out, err, terminal ? &in : nullptr};
    run.Code = RunZolctl(args, context);
    return run;
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A Hochiki site with a zone whose output delay is too long and a name over the limits.
QString MakeSite(const QTemporaryDir& dir)
{
    TData doc;
    doc.SwitchProtocol(stHochikiLoop);
    doc.Loop1.PlaceDevice(1, 136);
    doc.Loop1.PlaceDevice(2, 136);
    doc.Loop1.PlaceDevice(3, 94);
    doc.Loop2.PlaceDevice(5, 0);
    TZone& z = doc.ZoneList.Zone(4);
    z.Dependancy[1] = doInvestigation;
    z.SounderTimer = 200;
    doc.SiteConfig.ClientName = QStringLiteral("Acme");
    doc.Comments = QStringLiteral("Caretaker has the keys");
    TScriptedPrompts prompts;
    const QString path = dir.filePath("site_Panel2.QEM");
    TConfigFile(doc, prompts).WriteFile(path);
    return path;
}

} // namespace

TEST(Zolctl, UsageErrorsAndHelp)
{
    EXPECT_EQ(Zolctl({}).Code, ecUsage);
    const TRun unknown = Zolctl({"frobnicate"});
    EXPECT_EQ(unknown.Code, ecUsage);
    EXPECT_TRUE(unknown.Err.startsWith("zolctl: unknown command 'frobnicate'\n"));
    EXPECT_EQ(Zolctl({"info"}).Code, ecUsage);
    EXPECT_EQ(Zolctl({"resave", "a.QEM"}).Code, ecUsage);
    EXPECT_EQ(Zolctl({"resave", "a.QEM", "b.QEM", "--convert=maybe"}).Code, ecUsage);
    EXPECT_EQ(Zolctl({"info", "a.QEM", "--colour"}).Code, ecUsage);

    const TRun help = Zolctl({"--help"});
    EXPECT_EQ(help.Code, ecSuccess);
    EXPECT_TRUE(help.Out.contains("info"));
    EXPECT_TRUE(help.Out.contains("resave"));
    const TRun resaveHelp = Zolctl({"resave", "--help"});
    EXPECT_EQ(resaveHelp.Code, ecSuccess);
    EXPECT_TRUE(resaveHelp.Out.startsWith("Usage: zolctl resave IN.QEM OUT.QEM [--convert=yes|no]"));
}

TEST(Zolctl, InfoShowsWhatAnEngineerChecks)
{
    QTemporaryDir dir;
    const QString path = MakeSite(dir);
    const TRun run = Zolctl({"info", path, "--max-output-delay=600"});
    ASSERT_EQ(run.Code, ecSuccess) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.contains(QRegularExpression("Protocol: +Hochiki\n")));
    EXPECT_TRUE(run.Out.contains(QRegularExpression("Panel number: +2\n")));
    EXPECT_TRUE(run.Out.contains(QRegularExpression("Loop 1: +3 of 254 points fitted\n")));
    EXPECT_TRUE(run.Out.contains(QRegularExpression("Optical sensors +2\n")));
    EXPECT_TRUE(run.Out.contains(QRegularExpression("Loop 2: +1 of 254 points fitted\n")));
    EXPECT_TRUE(run.Out.contains(QRegularExpression("Names: +1 of 256 names, 18 of 8192 characters")));
    EXPECT_TRUE(run.Out.contains("Zones with an output delay over the maximum: 4\n"));

    const TRun wide = Zolctl({"info", path, "--max-output-delay=900"});
    EXPECT_TRUE(wide.Out.contains("nothing to report"));

    const TRun missing = Zolctl({"info", dir.filePath("none.QEM")});
    EXPECT_EQ(missing.Code, ecFailure);
    EXPECT_EQ(missing.Err.count('\n'), 1);
    EXPECT_TRUE(missing.Err.contains(dir.filePath("none.QEM")));
}

TEST(Zolctl, ResaveWritesExactlyTheNamedFileWithItsComments)
{
    QTemporaryDir dir;
    const QString in = MakeSite(dir);
    const QString out = dir.filePath("copy.QEM");
    const TRun run = Zolctl({"resave", in, out});
    ASSERT_EQ(run.Code, ecSuccess) << run.Err.toStdString();
    // Opening reads not-fitted points with zone 0; otherwise the copy is the original.
    TProfileFile copy;
    copy.LoadFromFile(out);
    EXPECT_EQ(copy.ReadInteger("Detector Type", "L1D3", -1), 94);
    EXPECT_EQ(copy.ReadString("Site Config", "Client Name", ""), "Acme");
    EXPECT_EQ(copy.ReadInteger("Detector Zone", "L1D9", -1), 0);
    const QString again = dir.filePath("again.QEM");
    ASSERT_EQ(Zolctl({"resave", out, again}).Code, ecSuccess);
    EXPECT_EQ(Read(again), Read(out));
    EXPECT_EQ(Read(dir.filePath("copy.RTF")), Read(dir.filePath("site_Panel2.RTF")));

    const TRun bad = Zolctl({"resave", in, dir.filePath("missing/dir/x.QEM")});
    EXPECT_EQ(bad.Code, ecFailure);
    EXPECT_TRUE(bad.Err.contains("missing/dir/x.QEM"));
}

TEST(Zolctl, OlderFilesNeedAnAnswerToConvert)
{
    QTemporaryDir dir;
    const QString in = dir.filePath("old.QEM");
    Write(in, "[QEM Header]\nFileType=Prog Tools\n[Loop]\nType=2\n[Detector Type]\nL1D1=5\n");
    const QString out = dir.filePath("new.QEM");

    const TRun unanswered = Zolctl({"resave", in, out});
    EXPECT_EQ(unanswered.Code, ecFailure);
    EXPECT_TRUE(unanswered.Err.contains("--convert=yes"));
    EXPECT_FALSE(QFile::exists(out));

    ASSERT_EQ(Zolctl({"resave", in, out, "--convert=yes"}).Code, ecSuccess);
    TProfileFile converted;
    converted.LoadFromFile(out);
    EXPECT_EQ(converted.ReadInteger("Loop", "Type", -1), 0);
    EXPECT_EQ(converted.ReadInteger("Detector Type", "L1D1", -1), 20);
    EXPECT_EQ(converted.ReadString("QEM Header", "Panel Type", ""), "ZOL");

    const TRun asked = Zolctl({"resave", in, out}, "perhaps\nn\n", true);
    EXPECT_EQ(asked.Code, ecSuccess);
    EXPECT_TRUE(asked.Err.contains(QStringLiteral("Do you want to convert from this QEM configuration file?")));
    converted.LoadFromFile(out);
    EXPECT_EQ(converted.ReadInteger("Loop", "Type", -1), 2);
}

// The built program, run as an engineer runs it from a root shell without a login session:
// no XDG_RUNTIME_DIR, no display. Successes say nothing on stderr, failures one line.
TEST(Zolctl, TheProgramKeepsItsErrorStreamForErrors)
{
    QTemporaryDir dir;
    const QString site = MakeSite(dir);
    auto run = [](const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ZOLCTL_PATH), args);
        p.waitForFinished(60000);
        return std::make_pair(p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError()));
    };
    const auto [infoCode, infoErr] = run({QStringLiteral("info"), site});
    EXPECT_EQ(infoCode, ecSuccess);
    EXPECT_EQ(infoErr.toStdString(), "");
    const auto [resaveCode, resaveErr] = run({QStringLiteral("resave"), site, dir.filePath("b.QEM")});
    EXPECT_EQ(resaveCode, ecSuccess);
    EXPECT_EQ(resaveErr.toStdString(), "");
    const auto [reportCode, reportErr] =
        run({QStringLiteral("report"), site, QStringLiteral("-o"), dir.filePath("r.pdf")});
    EXPECT_EQ(reportCode, ecSuccess);
    EXPECT_EQ(reportErr.toStdString(), "");
    const auto [failCode, failErr] = run({QStringLiteral("info"), dir.filePath("none.QEM")});
    EXPECT_EQ(failCode, ecFailure);
    EXPECT_EQ(failErr.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(failErr.startsWith(QStringLiteral("zolctl: ")));
}

// Every option a command's usage line names is explained by its --help.
TEST(Zolctl, HelpExplainsEveryOptionAndVersionNamesTheRevision)
{
    static const QRegularExpression option(QStringLiteral("--[a-z-]+"));
    for (const char* name : {"info", "resave", "report", "download", "upload", "events", "ports"}) {
        const TRun help = Zolctl({QString::fromLatin1(name), "--help"});
        ASSERT_EQ(help.Code, ecSuccess);
        const QString usage = help.Out.section('\n', 0, 0);
        const QString explained = help.Out.section('\n', 2);
        for (const QRegularExpressionMatch& m : option.globalMatch(usage))
            EXPECT_TRUE(explained.contains(QRegularExpression("(^|\\n) *(-o, )?" + m.captured() + "\\b")))
                << name << ' ' << m.captured().toStdString();
    }
    const TRun ports = Zolctl({"ports"});
    EXPECT_EQ(ports.Code, ecSuccess);
    EXPECT_TRUE(ports.Out.contains(QRegularExpression("\n    COM8  \\S+")) && ports.Out.contains("\n    demo "))
        << ports.Out.toStdString();
    const TRun version = Zolctl({"--version"});
    EXPECT_EQ(version.Code, ecSuccess);
    EXPECT_TRUE(version.Out.contains(QRegularExpression("^zolctl 4\\.7 \\(revision [^ )]+\\)\n")));
}

TEST(Zolctl, InfoTellsDevicesFromBaseSoundersAndOlderFiles)
{
    QTemporaryDir dir;
    TData doc;
    doc.SwitchProtocol(stHochikiLoop);
    doc.Loop1.PlaceDevice(1, 136);
    doc.Loop1.PlaceDevice(2, 136);
    doc.Loop1.SetBaseSounder(1, true, 1);
    TScriptedPrompts prompts;
    const QString path = dir.filePath("base.QEM");
    ASSERT_TRUE(TConfigFile(doc, prompts).WriteFile(path));
    const TRun text = Zolctl({"info", path});
    EXPECT_TRUE(text.Out.contains("Loop 1:               3 of 254 points fitted\n    2 devices, 1 base sounder\n"))
        << text.Out.toStdString();
    EXPECT_TRUE(text.Out.contains(QRegularExpression("Older tool family: +no\n")));

    const TRun json = Zolctl({"info", path, "--json"});
    ASSERT_EQ(json.Code, ecSuccess);
    const QJsonObject summary = QJsonDocument::fromJson(json.Out.toUtf8()).object();
    EXPECT_EQ(summary.value("protocol").toString(), "Hochiki");
    const QJsonObject loop1 = summary.value("loops").toArray().at(0).toObject();
    EXPECT_EQ(loop1.value("devices").toInt(), 2);
    EXPECT_EQ(loop1.value("baseSounders").toInt(), 1);

    const QString old = dir.filePath("old.QEM");
    Write(old, "[QEM Header]\nFileType=Prog Tools\n[Loop]\nType=2\n");
    const TRun older = Zolctl({"info", old});
    EXPECT_TRUE(older.Out.contains(QRegularExpression("Older tool family: +yes\n"))) << older.Out.toStdString();

    // What is not a configuration is named.
    Write(dir.filePath("empty.QEM"), "");
    const TRun empty = Zolctl({"info", dir.filePath("empty.QEM")});
    EXPECT_EQ(empty.Code, ecFailure);
    EXPECT_TRUE(empty.Err.contains(dir.filePath("empty.QEM") + " (it is empty)")) << empty.Err.toStdString();
    const TRun folder = Zolctl({"info", dir.path()});
    EXPECT_TRUE(folder.Err.contains(dir.path() + " is a folder"));
}

// Piped, a success says nothing unless -v asks; resave never replaces a device.
TEST(Zolctl, SuccessesAreQuietWhenPipedUnlessVerbose)
{
    QTemporaryDir dir;
    const QString site = MakeSite(dir);
    auto run = [](const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(ZOLCTL_PATH), args);
        p.waitForFinished(60000);
        return std::make_pair(p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()));
    };
    EXPECT_EQ(run({"resave", site, dir.filePath("a.QEM")}), std::make_pair(0, QString()));
    const auto [code, out] = run({"resave", "-v", site, dir.filePath("b.QEM")});
    EXPECT_EQ(code, ecSuccess);
    EXPECT_EQ(out.count('\n'), 1);
    EXPECT_TRUE(out.contains(dir.filePath("b.QEM")));

    // A pipe stands for any device: it is never replaced, nothing is written beside it.
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const TRun device = Zolctl({"resave", site, pipe});
    EXPECT_EQ(device.Code, ecFailure);
    EXPECT_TRUE(device.Err.contains(pipe));
    EXPECT_FALSE(QFileInfo(pipe).isFile());
    EXPECT_FALSE(QFile::exists(pipe + ".RTF"));
}

#ifdef Q_OS_UNIX
// A port mapped through a link to a pseudo-terminal (as an emulator makes) is present; a link
// leading nowhere is not.
TEST(Zolctl, PortsFollowLinksBeforeJudgingPresence)
{
    QTemporaryDir dir;
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const QString pty = QString::fromLocal8Bit(ptsname(master));
    const QString link = dir.filePath("ttyPanel");
    ASSERT_TRUE(QFile::link(pty, link));
    ASSERT_TRUE(QFile::link(dir.filePath("gone"), dir.filePath("ttyGone")));
    QDir(dir.path()).mkpath("config/Brenmoor");
    QFile conf(dir.filePath("config/Brenmoor/QEM Tools.conf"));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("[DevicePaths]\nCOM5=" + link.toLocal8Bit() + "\nCOM6=" + dir.filePath("ttyGone").toLocal8Bit() + "\n");
    conf.close();

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath("config"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZOLCTL_PATH), {QStringLiteral("ports")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QStringList lines = QString::fromLocal8Bit(p.readAllStandardOutput()).split('\n');
    close(master);
    const auto line = [&](const QString& com) {
        for (const QString& l : lines)
            if (l.startsWith("    " + com + " "))
                return l;
        return QString();
    };
    EXPECT_TRUE(line("COM5").contains(pty)) << line("COM5").toStdString();
    EXPECT_FALSE(line("COM5").contains("not present")) << line("COM5").toStdString();
    EXPECT_TRUE(line("COM6").contains("not present")) << line("COM6").toStdString();
}
#endif
