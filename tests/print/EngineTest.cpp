#include "PrintTestSupport.h"

#include "Printer/PrevPrinter.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TStatus {
    QString Message;
    int Page;
    TStatusType Type;
    bool operator==(const TStatus&) const = default;
};

class EngineTest : public testing::Test {
protected:
    EngineTest()
    {
        QObject::connect(&engine, &TPreviewPrinter::OnStatus,
                         [this](const QString& m, int p, TStatusType t) {
                             statuses.push_back({m, p, t});
                         });
        engine.Printer().setOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
    }
    ~EngineTest() override { TPreviewPrinter::SetWindows({}); }

    // A document of n pages, each with its number drawn on it.
    void Document(int n)
    {
        engine.BeginDoc();
        for (int i = 1; i <= n; ++i) {
            if (i > 1)
                engine.NewPage();
            engine.Canvas().TextOut(100, 100, QString::number(i));
        }
        engine.EndDoc();
        statuses.clear();
    }

    QByteArray Output() const
    {
        QFile f(dir.filePath(QStringLiteral("out.pdf")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    std::string AssertionOf(const std::function<void()>& call)
    {
        try {
            call();
        } catch (const TPrinterAssertion& e) {
            return e.what();
        }
        return "no assertion";
    }

    QTemporaryDir dir;
    TPreviewPrinter engine{nullptr, rdPdf};
    std::vector<TStatus> statuses;
};

TEST_F(EngineTest, EmptyDocumentEndsWithNoPagesAndPrintsNoSheet)
{
    engine.BeginDoc();
    engine.EndDoc();
    EXPECT_EQ(engine.PageCount(), 0);
    EXPECT_EQ(statuses, (std::vector<TStatus>{{"Paginating page 1", 1, stPaginating},
                                              {"Pagination Complete", -1, stPaginationFinished}}));
    statuses.clear();
    engine.PrintAll();
    EXPECT_EQ(statuses, (std::vector<TStatus>{{"Print Job Complete", -1, stPrintFinished}}));
    EXPECT_TRUE(Output().isEmpty());
}

TEST_F(EngineTest, AssertionsOutsideADocumentChangeNothing)
{
    EXPECT_EQ(AssertionOf([&] { engine.NewPage(); }),
              "Assertion failure (Printer/PrevPrinter, line 378)");
    EXPECT_EQ(AssertionOf([&] { engine.Canvas(); }),
              "Canvas is not available before BeginDoc (Printer/PrevPrinter, line 581)");

    Document(2);
    EXPECT_EQ(AssertionOf([&] { engine.Canvas(); }),
              "Canvas is not available before BeginDoc (Printer/PrevPrinter, line 581)");
    EXPECT_EQ(AssertionOf([&] { engine.NewPage(); }),
              "Assertion failure (Printer/PrevPrinter, line 378)");
    EXPECT_EQ(engine.PageCount(), 2);

    engine.BeginDoc();
    EXPECT_EQ(AssertionOf([&] { engine.Preview(); }),
              "Assertion failure (Printer/PrevPrinter, line 469)");
    EXPECT_TRUE(engine.InDocument());
}

TEST_F(EngineTest, UntouchedTrailingPageIsDroppedOnce)
{
    engine.BeginDoc();
    engine.Canvas().TextOut(0, 0, QStringLiteral("one"));
    engine.NewPage();
    engine.EndDoc();
    EXPECT_EQ(engine.PageCount(), 1);
    // A second EndDoc must not drop the page that was drawn on.
    engine.EndDoc();
    EXPECT_EQ(engine.PageCount(), 1);

    // BeginDoc on a closed document starts afresh.
    Document(3);
    EXPECT_EQ(engine.PageCount(), 3);
    EXPECT_EQ(engine.Page(2).Texts().at(0).Text, QStringLiteral("3"));
}

TEST_F(EngineTest, DrawingStateCarriesFromPageToPage)
{
    engine.BeginDoc();
    TKelMetaFileCanvas& first = engine.Canvas();
    EXPECT_EQ(first.FontName(), QStringLiteral("Arial"));
    EXPECT_EQ(first.FontSize(), 10);
    EXPECT_EQ(first.Brush().style(), Qt::NoBrush);
    first.SetFontName(QStringLiteral("Times New Roman"));
    first.SetFontSize(14);
    first.SetFontStyle(fsBold);
    QPen red(Qt::red, 3);
    first.SetPen(red);
    first.MoveTo(0, 0);
    first.LineTo(10, 0);

    engine.NewPage();
    TKelMetaFileCanvas& second = engine.Canvas();
    EXPECT_EQ(second.FontName(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(second.FontStyle(), TFontStyles(fsBold));
    EXPECT_EQ(second.Pen(), red);
    second.TextOut(5, 6, QStringLiteral("carried"));
    engine.EndDoc();

    const TPageText text = engine.Page(1).Texts().at(0);
    EXPECT_EQ(text.TopLeft, QPoint(5, 6));
    EXPECT_TRUE(text.Font.bold());
    // Points become pixels of the device: 14 pt at 600 dpi.
    EXPECT_EQ(text.Font.pixelSize(), 117);
    EXPECT_EQ(text.Background.style(), Qt::NoBrush);
}

TEST_F(EngineTest, DeviceValues)
{
    TDeviceCaps screen;
    screen.LogPixelsX = screen.LogPixelsY = 96;
    const TDeviceValues v = ReadDeviceValues(screen, 96);
    EXPECT_EQ(v.PageWidth, 816);
    EXPECT_EQ(v.PageHeight, 1056);

    // The PDF device: 600 dpi, the locale's paper, a quarter inch unprinted round the sheet.
    const QSize paper =
        QPageLayout(LocalePaperSize(), QPageLayout::Portrait, {}).fullRectPixels(600).size();
    EXPECT_EQ(engine.ResolutionX(), 600);
    EXPECT_EQ(engine.ResolutionY(), 600);
    EXPECT_EQ(engine.PageWidth(), paper.width());
    EXPECT_EQ(engine.PageHeight(), paper.height());
    EXPECT_GT(engine.PageWidth(), 4900);
    EXPECT_EQ(engine.OffsetX(), 150);
    EXPECT_EQ(engine.OffsetY(), 150);

    TDeviceCaps printer;
    printer.LogPixelsX = 300;
    printer.LogPixelsY = 600;
    printer.PhysicalWidth = 2550;
    printer.PhysicalHeight = 3300;
    printer.PhysicalOffsetX = 50;
    printer.PhysicalOffsetY = 60;
    engine.ReadDeviceValues(printer);
    EXPECT_EQ(engine.DeviceValues(), (TDeviceValues{300, 600, 2550, 3300, 50, 60}));

    engine.Orientation = poLandscape;
    engine.BeginDoc();
    EXPECT_GT(engine.PageWidth(), engine.PageHeight());
}

TEST_F(EngineTest, PageRangeAndCopiesAreJobsOfTheirOwn)
{
    Document(5);
    engine.PrintChosen({true, 2, 3, 2});
    const std::vector<TStatus> job = {{"Printing page 2", 2, stPrinting},
                                      {"Printing page 3", 3, stPrinting},
                                      {"Print Job Complete", -1, stPrintFinished}};
    std::vector<TStatus> twice = job;
    twice.insert(twice.end(), job.begin(), job.end());
    EXPECT_EQ(statuses, twice);
    EXPECT_EQ(PdfPageCount(Output()), 2);

    // A range reaching past the document prints only the pages it holds.
    statuses.clear();
    EXPECT_TRUE(engine.PrintRange(3, 99));
    EXPECT_EQ(statuses.front(), (TStatus{"Printing page 4", 4, stPrinting}));
    EXPECT_EQ(statuses.size(), 3u);
    EXPECT_EQ(PdfPageCount(Output()), 2);
    statuses.clear();
    EXPECT_TRUE(engine.PrintRange(-3, 0));
    EXPECT_EQ(statuses.front(), (TStatus{"Printing page 1", 1, stPrinting}));
    EXPECT_EQ(PdfPageCount(Output()), 1);

    statuses.clear();
    EXPECT_TRUE(engine.PrintDialog()); // no dialog installed: every page, once
    EXPECT_EQ(statuses.size(), 6u);
    EXPECT_EQ(PdfPageCount(Output()), 5);

    TPreviewPrinter::SetWindows({{}, [](TPreviewPrinter&, int pages) {
                                     EXPECT_EQ(pages, 5);
                                     return std::optional<TPrintChoice>();
                                 }});
    statuses.clear();
    EXPECT_FALSE(engine.PrintDialog());
    EXPECT_TRUE(statuses.empty());
}

TEST_F(EngineTest, PrinterErrorReachesTheCaller)
{
    Document(1);
    engine.Printer().setOutputFileName(dir.filePath(QStringLiteral("missing/dir/out.pdf")));
    EXPECT_THROW(engine.PrintAll(), TPrintError);
}

TEST_F(EngineTest, ReplayAtOffsetAndScaledIntoARectangle)
{
    TRecordedPage page(QSize(1000, 2000));
    TKelMetaFileCanvas canvas(page, 600);
    canvas.MoveTo(0, 1000);
    canvas.LineTo(1000, 1000);

    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        page.ReplayScaled(p, QRectF(0, 0, 100, 100)); // y 1000 of 2000 lands on row 50
    }
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(50, 40), QColor(Qt::white));

    image.fill(Qt::white);
    {
        QPainter p(&image);
        page.Replay(p, QPoint(-950, -950)); // the sheet's origin moves up and left
    }
    EXPECT_EQ(image.pixelColor(20, 50), QColor(Qt::black));
}

} // namespace
