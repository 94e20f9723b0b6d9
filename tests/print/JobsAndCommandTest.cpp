#include "PrintTestSupport.h"

#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "model/Data.h"
#include "reports/PrintSelection.h"
#include "storage/ConfigFile.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>

#include <gtest/gtest.h>

#include <QFileInfo>

#include <sys/mount.h>
#include <sys/stat.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(PrintSelectionTest, VersionGatesUntickAndNeverTickAgain)
{
    TPrintSelection s;
    s.ApplyVersionGates(QStringLiteral("07A10"));
    EXPECT_FALSE(s.SetEnabled);
    EXPECT_FALSE(s.PrintSet);
    EXPECT_TRUE(s.NetworkEnabled);
    EXPECT_TRUE(s.PrintNetwork);

    s.ApplyVersionGates(QStringLiteral("03 99"));
    EXPECT_FALSE(s.NetworkEnabled);
    EXPECT_FALSE(s.PrintNetwork);

    s.ApplyVersionGates(QStringLiteral("09A06"));
    EXPECT_TRUE(s.SetEnabled);
    EXPECT_TRUE(s.NetworkEnabled);
    EXPECT_FALSE(s.PrintSet);
    EXPECT_FALSE(s.PrintNetwork);

    s.PrintLoop = false;
    EXPECT_FALSE(s.LoopOptionsEnabled());
}

class PrintJobTest : public testing::Test {
protected:
    PrintJobTest()
    {
        selection.PrintSite = selection.PrintLoop = selection.PrintZone = selection.PrintGroup =
            selection.PrintSet = selection.PrintCauseEffect = selection.PrintNetwork =
                selection.PrintComments = selection.PrintLog = false;
    }
    // Prints the selection; every job goes to a PDF named after its title.
    TReports& Print()
    {
        reports = MakeReports(data);
        reports->Engine().PdfFileForJob = [this](const QString& title) {
            titles << title;
            return dir.filePath(title.isEmpty() ? QStringLiteral("report.pdf")
                                                : title + QStringLiteral(".pdf"));
        };
        selection.RunPrint(*reports);
        return *reports;
    }

    TData data;
    TPrintSelection selection;
    std::unique_ptr<TReports> reports;
    QTemporaryDir dir;
    QStringList titles;
};

TEST_F(PrintJobTest, LogAloneIsALandscapeJobAndTheReportHasNoPages)
{
    data.EventLog = {QStringLiteral("01/02/2024 10:00 Fire Zone 3"),
                     QStringLiteral("01/02/2024 10:05 Silenced")};
    selection.PrintLog = true;
    Print();
    EXPECT_EQ(titles, QStringList{"QEM Tools - Event log"});
    const QSizeF box = PdfFirstMediaBox(ReadAll(dir.filePath("QEM Tools - Event log.pdf")));
    EXPECT_GT(box.width(), box.height());
    // The log's page is the document's only page; the report's job has none.
    EXPECT_EQ(reports->Engine().PageCount(), 1);
    EXPECT_EQ(reports->Engine().Printer().pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_LT(reports->Engine().PageWidth(), reports->Engine().PageHeight());
    if (HaveTextExtractor()) {
        EXPECT_TRUE(PdfText(dir.filePath("QEM Tools - Event log.pdf")).contains("Silenced"));
    }
}

// One Print is one job with the pages in the preview's order: report, comments, log
// (landscape).
TEST_F(PrintJobTest, CommentsAndLogFollowTheReportInOneJob)
{
    data.Comments = QStringLiteral("{\\rtf1\\ansi {\\b Smoke} vents checked\\par Key at gate}");
    for (int i = 0; i < 150; ++i)
        data.EventLog << QStringLiteral("01/02/2024 10:%1 Fire Zone 3").arg(i % 60);
    selection.PrintZone = true;
    selection.PrintComments = true;
    selection.PrintLog = true;
    Print();
    EXPECT_EQ(titles, QStringList{""});
    const TPreviewPrinter& engine = reports->Engine();
    const int pages = PdfPageCount(ReadAll(dir.filePath("report.pdf")));
    EXPECT_GE(pages, 4); // the log runs on over pages
    ASSERT_EQ(engine.PageCount(), pages);
    EXPECT_TRUE(FindText(engine.Page(0), QStringLiteral("Zone Configuration")));
    EXPECT_TRUE(FindText(engine.Page(1), QStringLiteral("Key at gate")));
    const std::vector<TPageText> texts = engine.Page(1).Texts();
    const auto smoke = std::find_if(texts.begin(), texts.end(),
                                    [](const TPageText& t) { return t.Text.startsWith("Smoke"); });
    ASSERT_NE(smoke, texts.end());
    EXPECT_TRUE(smoke->Font.bold());
    const QSize sheet = engine.Page(engine.PageCount() - 1).Sheet();
    EXPECT_GT(sheet.width(), sheet.height());
    if (HaveTextExtractor()) {
        const QString text = PdfText(dir.filePath("report.pdf"));
        EXPECT_TRUE(text.contains("Smoke vents checked")) << text.toStdString();
        EXPECT_FALSE(text.contains("rtf"));
        EXPECT_LT(text.indexOf("Zone Configuration"), text.indexOf("Smoke vents checked"));
        EXPECT_LT(text.indexOf("Smoke vents checked"), text.indexOf("Fire Zone 3"));
    }

    // The preview of the same choices shows every one of these pages.
    int previewed = -1;
    TPreviewPrinter::SetWindows({[&](TPreviewPrinter& e) { previewed = e.PageCount(); }, {}});
    auto preview = MakeReports(data);
    selection.RunPreview(*preview);
    TPreviewPrinter::SetWindows({});
    EXPECT_EQ(previewed, engine.PageCount());
}

class ReportCommandTest : public testing::Test {
protected:
    ReportCommandTest()
    {
        data.SiteConfig.ClientName = QStringLiteral("Harbour Hotel");
        data.SiteConfig.EngineerNo = QStringLiteral("SN-7781");
        data.Loop1.PlaceDevice(1, 20);
        TCliPrompts prompts(errStream, nullptr);
        TConfigFile file(data, prompts);
        qem = dir.filePath(QStringLiteral("site.QEM"));
        EXPECT_TRUE(file.WriteFile(qem));
    }
    int Zolctl(const QStringList& args)
    {
        TCliContext context{outStream, errStream, nullptr};
        return RunZolctl(args, context);
    }

    TData data;
    QTemporaryDir dir;
    QString qem;
    QString out;
    QString err;
    QTextStream outStream{&out};
    QTextStream errStream{&err};
};

TEST_F(ReportCommandTest, WritesTheWholeReportAsPdf)
{
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    ASSERT_EQ(Zolctl({"report", qem, "-o", pdf}), ecSuccess) << err.toStdString();
    const QByteArray bytes = ReadAll(pdf);
    ASSERT_TRUE(bytes.startsWith("%PDF"));
    const int pages = PdfPageCount(bytes);
    EXPECT_TRUE(out.contains(QStringLiteral("Wrote %1 pages").arg(pages))) << out.toStdString();
    EXPECT_GE(pages, 7);
    if (!HaveTextExtractor())
        GTEST_SKIP() << "pdftotext is not installed";

    const QString text = PdfText(pdf);
    qsizetype at = 0;
    for (const char* title : {"Clients Name", "Loop 1 Configuration", "Loop 2 Configuration",
                              "Zone Configuration", "Group Configuration",
                              "Output Set Configuration", "Cause & Effect Configuration",
                              "Network Configuration"}) {
        const qsizetype next = text.indexOf(QString::fromLatin1(title), at);
        EXPECT_GE(next, at) << title;
        at = qMax(at, next);
    }
    at = 0;
    for (int p = 1; p <= pages; ++p) {
        const qsizetype next = text.indexOf(QStringLiteral("Page %1 ").arg(p), at);
        EXPECT_GE(next, at) << "Page " << p;
        at = qMax(at, next);
    }
    EXPECT_TRUE(text.contains(QStringLiteral("Harbour Hotel")));
    EXPECT_TRUE(text.contains(QStringLiteral("Service Number : SN-7781")));
}

TEST_F(ReportCommandTest, SectionsAndOrderOptions)
{
    const QString pdf = dir.filePath(QStringLiteral("part.pdf"));
    ASSERT_EQ(Zolctl({"report", qem, "--output=" + pdf, "--sections", "zones,network",
                      "--order", "zone", "--only-fitted"}),
              ecSuccess)
        << err.toStdString();
    EXPECT_EQ(PdfPageCount(ReadAll(pdf)), 2);
    // Loop 2 has nothing fitted, so type order gives it no page.
    ASSERT_EQ(Zolctl({"report", qem, "-o", pdf, "--sections=loops", "--order=type"}), ecSuccess);
    EXPECT_EQ(PdfPageCount(ReadAll(pdf)), 1);
}

TEST_F(ReportCommandTest, BadUsageAndFailuresAreReported)
{
    const QString pdf = dir.filePath(QStringLiteral("x.pdf"));
    EXPECT_EQ(Zolctl({"report", qem, "-o", pdf, "--order", "sideways"}), ecUsage);
    EXPECT_EQ(Zolctl({"report", qem, "-o", pdf, "--sections", "site,budget"}), ecUsage);
    EXPECT_EQ(Zolctl({"report", qem}), ecUsage);
    EXPECT_EQ(Zolctl({"report", qem, "-o"}), ecUsage);
    EXPECT_EQ(Zolctl({"report", qem, "-o", pdf, "--printer"}), ecUsage) << "one or the other";
    EXPECT_FALSE(QFile::exists(pdf));

    // The tests see no print queue: a named or default one that is not there is said.
    for (const QStringList& printer : {QStringList{"--printer", "Nowhere"}, QStringList{"--printer"}}) {
        err.clear();
        EXPECT_EQ(Zolctl(QStringList{"report"} + printer + QStringList{qem}), ecFailure);
        EXPECT_TRUE(err.contains(printer.size() > 1 ? QStringLiteral("no print queue named 'Nowhere'")
                                                    : QStringLiteral("no default print queue")))
            << err.toStdString();
    }

    err.clear();
    EXPECT_EQ(Zolctl({"report", dir.filePath("missing.QEM"), "-o", pdf}), ecFailure);
    EXPECT_FALSE(err.isEmpty());
    err.clear();
    EXPECT_EQ(Zolctl({"report", qem, "-o", dir.filePath("no/such/dir/x.pdf")}), ecFailure);
    EXPECT_TRUE(err.contains(QStringLiteral("could not be written"))) << err.toStdString();

    // Never over the configuration, its comments or anything that is not a regular file.
    const QByteArray before = ReadAll(qem);
    const QString pipe = dir.filePath(QStringLiteral("pipe.pdf"));
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    for (const QString& target : {qem, dir.filePath(QStringLiteral("./site.RTF")), pipe}) {
        err.clear();
        EXPECT_EQ(Zolctl({"report", qem, "-o", target}), ecFailure);
        EXPECT_TRUE(err.contains(target)) << err.toStdString();
    }
    EXPECT_EQ(ReadAll(qem), before);
    EXPECT_FALSE(ReadAll(dir.filePath(QStringLiteral("site.RTF"))).startsWith("%PDF"));
    EXPECT_FALSE(QFileInfo(pipe).isFile());
}

// A full disk: the report fails naming the file and the reason, and leaves no file. Needs a
// small file system of its own (root); skipped where one cannot be mounted.
TEST_F(ReportCommandTest, AFullDiskIsReportedAndLeavesNoFile)
{
    const QString small = dir.filePath(QStringLiteral("small"));
    QDir().mkdir(small);
    if (mount("tmpfs", small.toLocal8Bit().constData(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    const QString pdf = small + QStringLiteral("/report.pdf");
    const int code = Zolctl({"report", qem, "-o", pdf});
    const QStringList left = QDir(small).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    umount(small.toLocal8Bit().constData());
    EXPECT_EQ(code, ecFailure);
    EXPECT_TRUE(err.contains(pdf)) << err.toStdString();
    EXPECT_TRUE(left.isEmpty()) << left.join(' ').toStdString();
}

TEST_F(ReportCommandTest, PaperSizeCanBeChosen)
{
    const QString pdf = dir.filePath(QStringLiteral("letter.pdf"));
    ASSERT_EQ(Zolctl({"report", qem, "-o", pdf, "--paper", "Letter", "--sections", "site"}), ecSuccess);
    EXPECT_TRUE(ReadAll(pdf).contains("/MediaBox [0 0 612.000000 792.000000]"));
    ASSERT_EQ(Zolctl({"report", qem, "-o", pdf, "--paper=a4", "--sections", "site"}), ecSuccess);
    EXPECT_TRUE(ReadAll(pdf).contains("/MediaBox [0 0 595."));
    EXPECT_EQ(Zolctl({"report", qem, "-o", pdf, "--paper", "A5"}), ecUsage);
}

} // namespace

// Run by scripts/test-cups.sh with its private queue as the default: the report reaches the
// queue as one job with the PDF's pages.
TEST_F(ReportCommandTest, PrinterSendsOneJobWithThePdfsPages)
{
    const QString queue = qEnvironmentVariable("ZOL_CUPS_QUEUE");
    const QDir out(qEnvironmentVariable("ZOL_CUPS_OUT"));
    if (queue.isEmpty())
        GTEST_SKIP() << "ZOL_CUPS_QUEUE is not set: run scripts/test-cups.sh";
    // The queue's PDF may pack its pages into object streams: pdfinfo counts them.
    const auto pages = [](const QString& path) {
        QProcess p;
        p.start(QStringLiteral("pdfinfo"), {path});
        p.waitForFinished(30000);
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(QString::fromUtf8(p.readAllStandardOutput()));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    };
    const QString pdf = dir.filePath(QStringLiteral("site.pdf"));
    ASSERT_EQ(Zolctl({"report", qem, "-o", pdf}), ecSuccess) << err.toStdString();
    const QStringList before = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    ASSERT_EQ(Zolctl({"report", qem, "--printer", queue}), ecSuccess) << err.toStdString();
    QString job;
    for (int wait = 0; wait < 600 && job.isEmpty(); ++wait) {
        for (const QString& name : out.entryList({QStringLiteral("*.pdf")}, QDir::Files))
            if (!before.contains(name) && pages(out.filePath(name)) > 0)
                job = out.filePath(name);
        if (job.isEmpty())
            QThread::msleep(100);
    }
    ASSERT_FALSE(job.isEmpty()) << "no job arrived in " << out.path().toStdString();
    EXPECT_EQ(pages(job), pages(pdf));
}
