#include "editors/print/frmPrint.h"
#include "editors/print/PrinterSetup.h"

#include "editors/EditorTestSupport.h"

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// What pdfinfo says of a PDF: its page count and its first page's size in points.
struct TPdfInfo {
    int Pages = -1;
    QSizeF Size;
    QString Text;
};

TPdfInfo PdfInfo(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    p.waitForFinished(30000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    TPdfInfo info;
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(out);
    if (pages.hasMatch())
        info.Pages = pages.captured(1).toInt();
    if (size.hasMatch())
        info.Size = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    // A page turned a quarter is shown, and printed, the other way round.
    const QRegularExpressionMatch rotation =
        QRegularExpression(QStringLiteral("Page rot:\\s+(\\d+)")).match(out);
    if (rotation.hasMatch() && rotation.captured(1).toInt() % 180 == 90)
        info.Size.transpose();
    info.Text = out;
    return info;
}

// Whether the text of page 2 (a loop page) runs up the sheet: a landscape job on a printer
// comes out on the paper as fed, its content turned a quarter. The queue's PDF has fonts
// without text, so the words' boxes tell: the longest word (the title's) is taller than wide.
bool TextTurned(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("2"),
                                         QStringLiteral("-l"), QStringLiteral("2"),
                                         QStringLiteral("-bbox"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    static const QRegularExpression box(QStringLiteral(
        "xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\""));
    double longest = 0;
    bool turned = false;
    const QString words = QString::fromUtf8(p.readAllStandardOutput());
    for (const QRegularExpressionMatch& m : box.globalMatch(words)) {
        const double dx = m.captured(3).toDouble() - m.captured(1).toDouble();
        const double dy = m.captured(4).toDouble() - m.captured(2).toDouble();
        if (qMax(dx, dy) > longest) {
            longest = qMax(dx, dy);
            turned = dy > dx;
        }
    }
    EXPECT_GT(longest, 0) << "no words on page 2 of " << path.toStdString();
    return turned;
}

// The PDF the queue writes for the next job, once it is complete.
QString WaitForOutput(const QDir& out, const QStringList& before)
{
    const QDeadlineTimer deadline(90000);
    while (!deadline.hasExpired()) {
        for (const QString& name : out.entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
            const QString path = out.filePath(name);
            if (!before.contains(name) && PdfInfo(path).Pages > 0)
                return path;
        }
        QTest::qWait(250);
    }
    return QString();
}

} // namespace

// Run by scripts/test-cups.sh, which starts a private CUPS server with a PDF queue and names
// the queue and the folder its jobs land in; skipped otherwise.
TEST(CupsPrint, TheReportReachesARealQueueWithThePreviewsPagesAndThePaperAskedFor)
{
    const QString queue = qEnvironmentVariable("ZOL_CUPS_QUEUE");
    const QDir out(qEnvironmentVariable("ZOL_CUPS_OUT"));
    if (queue.isEmpty())
        GTEST_SKIP() << "ZOL_CUPS_QUEUE is not set: run scripts/test-cups.sh";

    TEditorFixture fixture;
    for (int p = 1; p <= 60; ++p)
        fixture.Data.Loop1.PlaceDevice(p, p % 3 == 0 ? 20 : 136);
    fixture.Data.SiteConfig.MainVersion = QStringLiteral("09A06");
    TfrmPrint form(fixture.Context);
    form.show();
    for (const char* name : {"chkComments", "chkPrintLog"}) {
        auto* check = form.findChild<QCheckBox*>(QLatin1String(name));
        if (check->isChecked())
            check->click();
    }

    struct TCase {
        QPageSize::PageSizeId Paper;
        QPageLayout::Orientation Orientation;
        QSizeF Points; // the sheet as fed
    };
    for (const TCase& c : {TCase{QPageSize::A4, QPageLayout::Portrait, {595, 842}},
                           TCase{QPageSize::Letter, QPageLayout::Landscape, {612, 792}}}) {
        SCOPED_TRACE(QPageSize::name(c.Paper).toStdString());
        // "Properties" lists the installed queues; the choice is kept for the next showing.
        QStringList offered;
        TPrinterChoice kept;
        PrinterSetup().AskPrinter = [&](const TPrinterChoice& current, const QStringList& queues,
                                        QWidget*) {
            offered = queues;
            kept = current;
            return std::optional<TPrinterChoice>(TPrinterChoice{queue, QPageSize(c.Paper),
                                                                c.Orientation});
        };
        form.findChild<QPushButton*>(QStringLiteral("btnProperties"))->click();
        EXPECT_TRUE(offered.contains(queue)) << offered.join(' ').toStdString();
        EXPECT_EQ(PrinterSetup().Choice().Queue, queue);
        if (c.Paper == QPageSize::Letter) {
            EXPECT_EQ(kept.Queue, queue); // the first round's choice was kept
        }

        int previewPages = -1;
        QTimer::singleShot(0, [&] {
            QWidget* preview = QApplication::activeModalWidget();
            ASSERT_NE(preview, nullptr);
            const QString label =
                preview->findChild<QLabel*>(QStringLiteral("CurPageLabel"))->text();
            previewPages = label.section(QLatin1Char(' '), -1).toInt();
            QTest::keyClick(preview, Qt::Key_Escape);
        });
        form.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        form.show();
        ASSERT_GT(previewPages, 1);

        const QStringList before = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        form.findChild<QPushButton*>(QStringLiteral("AcceptButton"))->click();
        EXPECT_TRUE(fixture.Prompts.texts().isEmpty())
            << fixture.Prompts.texts().join(' ').toStdString();
        const QString printed = WaitForOutput(out, before);
        ASSERT_FALSE(printed.isEmpty()) << "no job arrived in " << out.path().toStdString();
        const TPdfInfo info = PdfInfo(printed);
        EXPECT_EQ(info.Pages, previewPages);
        EXPECT_NEAR(info.Size.width(), c.Points.width(), 2) << info.Text.toStdString();
        EXPECT_NEAR(info.Size.height(), c.Points.height(), 2);
        EXPECT_EQ(TextTurned(printed), c.Orientation == QPageLayout::Landscape);
        form.show();
    }
    PrinterSetup().Reset();
}
