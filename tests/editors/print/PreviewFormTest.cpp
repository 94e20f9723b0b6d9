#include "editors/print/PreviewForm.h"

#include "editors/EditorTestSupport.h"
#include "Printer/PrevPrinter.h"
#include "editors/print/GoPageForm.h"
#include "editors/print/PrinterSetup.h"
#include "reports/PrintSelection.h"
#include "reports/Reports.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// A document of pages on an A4 sheet at 600 units per inch, each with a line of text at its
// top, none reaching the middle of the sheet.
std::unique_ptr<TPreviewPrinter> Document(int pages)
{
    auto engine =
        std::make_unique<TPreviewPrinter>(nullptr, MakePdfPrinter(QPageSize(QPageSize::A4)));
    engine->BeginDoc();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            engine->NewPage();
        engine->Canvas().TextOut(600, 300, QStringLiteral("Page %1").arg(i + 1));
    }
    engine->EndDoc();
    return engine;
}

class PreviewFormTest : public testing::Test {
protected:
    void Open(int pages)
    {
        engine = Document(pages);
        form = std::make_unique<TPreviewForm>(*engine, fixture.Prompts);
        form->resize(1000, 800);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    template <typename T = QToolButton> T* Find(const char* name)
    {
        T* w = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString Label(const char* name) { return Find<QLabel>(name)->text(); }
    void ChooseZoom(const QString& entry)
    {
        auto* box = Find<QComboBox>("ZoomBox");
        box->setCurrentIndex(box->findText(entry));
        emit box->activated(box->currentIndex());
    }
    QString Zoom() { return Find<QComboBox>("ZoomBox")->currentText(); }
    void ClickPage(Qt::MouseButton button)
    {
        QWidget* pb = Find<QWidget>("PB1");
        QTest::mouseClick(pb, button, {}, QPoint(pb->width() / 2, pb->height() / 2));
    }
    // Which of the navigation commands can be used, in the order of the list.
    std::vector<bool> Navigation()
    {
        std::vector<bool> enabled;
        for (const char* name : {"PrevPageBut", "NextPageBut", "FirstPageSpeed", "PrevPageSpeed",
                                 "NextPageSpeed", "LastPageSpeed", "PageNumSpeed"})
            enabled.push_back(Find(name)->isEnabled());
        return enabled;
    }

    TEditorFixture fixture;
    std::unique_ptr<TPreviewPrinter> engine;
    std::unique_ptr<TPreviewForm> form;
};

TEST_F(PreviewFormTest, NavigationFollowsThePageCount)
{
    const std::vector<bool> none(7, false);
    Open(0);
    EXPECT_EQ(Label("CurPageLabel"), "Page 1 of 0");
    EXPECT_EQ(Navigation(), none);

    Open(1);
    EXPECT_EQ(Label("CurPageLabel"), "Page 1 of 1");
    EXPECT_EQ(Navigation(), none);

    Open(5);
    EXPECT_EQ(Navigation(), (std::vector<bool>{false, true, false, false, true, true, true}));
    Find("NextPageBut")->click();
    EXPECT_EQ(Label("CurPageLabel"), "Page 2 of 5");
    EXPECT_EQ(Navigation(), std::vector<bool>(7, true));
    QTest::keyClick(form.get(), Qt::Key_End);
    EXPECT_EQ(Label("CurPageLabel"), "Page 5 of 5");
    EXPECT_EQ(Navigation(), (std::vector<bool>{true, false, true, true, false, false, true}));
    QTest::keyClick(form.get(), Qt::Key_PageUp);
    EXPECT_EQ(form->CurrentPage(), 3);

    form->AskPageNumber = [](int count, int current) -> std::optional<int> {
        EXPECT_EQ(count, 5);
        EXPECT_EQ(current, 4);
        return 2;
    };
    Find("PageNumSpeed")->click();
    EXPECT_EQ(Label("CurPageLabel"), "Page 2 of 5");
    Find("FirstPageSpeed")->click();
    EXPECT_EQ(form->CurrentPage(), 0);
    EXPECT_FALSE(Find("PrevPageBut")->isEnabled());

    // The hint of the control under the mouse shows in the status bar.
    QTest::mouseMove(Find("LastPageSpeed"));
    EXPECT_EQ(Label("HintLabel"), "Go to Last Page in Document");
    QTest::mouseMove(Find<QWidget>("PB1"));
    EXPECT_TRUE(Label("HintLabel").contains("Click & drag with Hand Tool"))
        << Label("HintLabel").toStdString();
}

TEST_F(PreviewFormTest, ZoomToolStepsByHalvesFromTheChosenZoom)
{
    Open(2);
    EXPECT_EQ(Zoom(), "Fit To Page");
    EXPECT_TRUE(Find("FitPageBut")->isChecked());
    ChooseZoom("100%");
    EXPECT_EQ(Label("ZoomLabel"), "100%");
    EXPECT_FALSE(Find("FitPageBut")->isChecked());
    // 100 % is the sheet at its real size on screen.
    EXPECT_EQ(Find<QFrame>("PagePanel")->width(),
              qRound(form->logicalDpiX() * double(engine->PageWidth()) / engine->ResolutionX()));

    ClickPage(Qt::LeftButton);
    EXPECT_EQ(Label("ZoomLabel"), "150%");
    EXPECT_EQ(Zoom(), "Custom");
    ClickPage(Qt::RightButton);
    EXPECT_EQ(Label("ZoomLabel"), "100%");
    ClickPage(Qt::LeftButton);
    ClickPage(Qt::LeftButton);
    EXPECT_EQ(Label("ZoomLabel"), "225%");

    Find("FitWidthBut")->click();
    EXPECT_EQ(Zoom(), "Fit To Width");
    EXPECT_TRUE(Find("FitWidthBut")->isChecked());
    EXPECT_FALSE(Find("FitPageBut")->isChecked());
}

TEST_F(PreviewFormTest, HandToolPansAndCtrlWheelZoomsAboutTheMouse)
{
    Open(1);
    ChooseZoom("200%");
    QApplication::processEvents();
    auto* area = Find<QScrollArea>("ScrollBox1");
    QScrollBar* h = area->horizontalScrollBar();
    QScrollBar* v = area->verticalScrollBar();
    h->setValue(100);
    v->setValue(100);
    Find("HandCursorBut")->click();
    QWidget* pb = Find<QWidget>("PB1");
    QTest::mousePress(pb, Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseMove(pb, QPoint(250, 240));
    QTest::mouseRelease(pb, Qt::LeftButton, {}, QPoint(250, 240));
    EXPECT_EQ(h->value(), 150);
    EXPECT_EQ(v->value(), 160);

    // The sheet's point under the mouse stays under it.
    const QPoint mouse(200, 150);
    const QPointF before = pb->mapFrom(area->viewport(), QPointF(mouse));
    const double ratio = before.x() / pb->width();
    // Sent to the scrolling area, where the page box passes the wheel on to.
    QWheelEvent wheel(QPointF(mouse), QCursor::pos(), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(area->viewport(), &wheel);
    EXPECT_EQ(Label("ZoomLabel"), "300%");
    EXPECT_EQ(Zoom(), "Custom");
    EXPECT_NEAR(pb->mapFrom(area->viewport(), QPointF(mouse)).x() / pb->width(), ratio, 0.01);
}

TEST_F(PreviewFormTest, TwoPageViewEndsAtAFixedZoomAndReturnsToFitToPage)
{
    Open(3);
    Find("TwoPageBut")->click();
    EXPECT_TRUE(Find<QFrame>("PagePanel2")->isVisible());
    ChooseZoom("100%");
    EXPECT_TRUE(Find("OnePageBut")->isChecked());
    EXPECT_FALSE(Find<QFrame>("PagePanel2")->isVisible());

    Find("TwoPageBut")->click();
    EXPECT_EQ(Zoom(), "Fit To Page");
    EXPECT_TRUE(Find<QFrame>("PagePanel2")->isVisible());
    // Both sheets fit beside each other, of one size.
    EXPECT_EQ(Find<QFrame>("PagePanel2")->size(), Find<QFrame>("PagePanel")->size());
    EXPECT_EQ(Find<QFrame>("PagePanel2")->x(),
              Find<QFrame>("PagePanel")->geometry().right() + 1 + 20);
}

// Pixels of an image that are not white.
int Inked(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) != Qt::white;
    return n;
}

TEST_F(PreviewFormTest, TwoPageViewOnTheLastPageLeavesTheSecondFrameBlank)
{
    Open(3);
    Find("TwoPageBut")->click();
    Find("NextPageBut")->click();
    EXPECT_GT(Inked(Find<QWidget>("PB2")->grab().toImage()), 0);
    Find("LastPageSpeed")->click();
    EXPECT_EQ(Label("CurPageLabel"), "Page 3 of 3");
    EXPECT_GT(Inked(Find<QWidget>("PB1")->grab().toImage()), 0);
    EXPECT_EQ(Inked(Find<QWidget>("PB2")->grab().toImage()), 0);
}

TEST_F(PreviewFormTest, GridDrawsOneLinePerWholeInchOfTheSheet)
{
    Open(1);
    ChooseZoom("100%");
    Find("GridBut")->click();
    QWidget* pb = Find<QWidget>("PB1");
    const QImage image = pb->grab().toImage();
    // Half an inch down: between the horizontal grid lines, below the text.
    const int y = qRound(image.height() * 300.0 / engine->PageHeight());
    int lines = 0;
    bool inLine = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool grey = image.pixelColor(x, y) == QColor(192, 192, 192);
        lines += grey && !inLine;
        inLine = grey;
    }
    EXPECT_EQ(engine->PageWidth() / engine->ResolutionX(), 8);
    EXPECT_EQ(lines, 8);
}

QString PdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST_F(PreviewFormTest, SaveAsPdfWritesThePagesAsTheyPrint)
{
    fixture.Data.Loop1.PlaceDevice(1, 20);
    TReports reports(fixture.Data, rdPdf);
    reports.Clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)); };
    TPrintSelection().PrintSections(reports);
    reports.Engine().EndDoc();
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("saved.pdf"));
    PrinterSetup().AskPdfPath = [&](QWidget*, const QString&) { return saved; };
    form = std::make_unique<TPreviewForm>(reports.Engine(), fixture.Prompts);
    form->findChild<QToolButton*>(QStringLiteral("SavePdfBut"))->click();
    PrinterSetup().Reset();
    EXPECT_EQ(fixture.Prompts.texts(),
              QStringList{QStringLiteral("The report was saved as %1.").arg(saved)});

    // The same pages as the print job on the PDF device.
    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    reports.Engine().Printer().setOutputFileName(printed);
    reports.Engine().PrintAll();
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString text = PdfText(saved);
    EXPECT_EQ(text.count(QLatin1Char('\f')), reports.Engine().PageCount());
    EXPECT_TRUE(text.contains(QLatin1String("Loop 1 Configuration")));
    EXPECT_EQ(text, PdfText(printed));
}

// "Print..." refuses a document without pages and reports only the file it wrote.
TEST_F(PreviewFormTest, PrintRefusesAnEmptyDocumentAndReportsWhatWasWritten)
{
    Open(0);
    Find("PrintBut")->click();
    EXPECT_EQ(fixture.Prompts.texts(), QStringList{NothingToPrintText});

    fixture.Prompts.Records.clear();
    form.reset();
    Open(2);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    engine->PdfFileForJob = [&](const QString&) { return path; };
    Find("PrintBut")->click(); // without a print dialog: every page once
    EXPECT_EQ(fixture.Prompts.texts(),
              QStringList{QStringLiteral("The report was saved as %1.").arg(path)});
    EXPECT_TRUE(QFile::exists(path));
}

// Pictures of the window to look at: written only when ZOL_SCREENSHOT_DIR names a folder.
TEST_F(PreviewFormTest, Screenshots)
{
    const QString dir = qEnvironmentVariable("ZOL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZOL_SCREENSHOT_DIR is not set";
    for (int p = 1; p <= 80; ++p)
        fixture.Data.Loop1.PlaceDevice(p, p % 3 == 0 ? 20 : 136);
    for (int i = 0; i < 60; ++i)
        fixture.Data.EventLog << QStringLiteral("01/02/2024 10:%1 Fire Zone %2 Reception")
                                     .arg(i, 2, 10, QLatin1Char('0'))
                                     .arg(i % 32 + 1);
    TReports reports(fixture.Data, rdPdf);
    TPrintSelection selection;
    selection.PrintLog = true;
    selection.RecordAll(reports);
    reports.Engine().EndDoc();
    form = std::make_unique<TPreviewForm>(reports.Engine(), fixture.Prompts);
    form->resize(1000, 750);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->grab().save(QDir(dir).filePath("preview_fit.png"));
    Find("TwoPageBut")->click();
    QApplication::processEvents();
    form->grab().save(QDir(dir).filePath("preview_two.png"));
    ChooseZoom("100%");
    Find("GridBut")->click();
    QApplication::processEvents();
    form->grab().save(QDir(dir).filePath("preview_100_grid.png"));
    QWidget* pb = Find<QWidget>("PB1");
    QTest::mouseClick(pb, Qt::LeftButton, {}, QPoint(pb->width() / 4, pb->height() / 5));
    QApplication::processEvents();
    form->grab().save(QDir(dir).filePath("preview_150_zoomed.png"));
    // The comments and the landscape log after the report's pages.
    ChooseZoom("Fit To Page");
    Find("GridBut")->click();
    Find("LastPageSpeed")->click();
    Find("PrevPageSpeed")->click();
    QApplication::processEvents();
    form->grab().save(QDir(dir).filePath("preview_comments.png"));
    Find("LastPageSpeed")->click();
    QApplication::processEvents();
    form->grab().save(QDir(dir).filePath("preview_log.png"));
    TGoPageForm go(reports.Engine().PageCount(), 2);
    go.show();
    go.grab().save(QDir(dir).filePath("goto.png"));
    form.reset();
}

} // namespace
