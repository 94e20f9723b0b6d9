#include "editors/print/frmPrint.h"
#include "editors/print/PrinterSetup.h"

#include "editors/EditorTestSupport.h"
#include "reports/Reports.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QToolButton>
#include <QWindow>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

int PdfPageCount(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(QString::fromLatin1(f.readAll()).count(page));
}

// The first page's media box, in points.
QSizeF PdfMediaBox(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"));
    const QRegularExpressionMatch m = box.match(QString::fromLatin1(f.readAll()));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

QString PdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintDialogTest : public testing::Test {
protected:
    PrintDialogTest()
    {
        PrinterSetup().Reset(rdPdf);
        PrinterSetup().AskPdfPath = [this](QWidget*, const QString& suggested) {
            suggestions << suggested;
            return answer;
        };
        fixture.Data.SiteConfig.MainVersion = QStringLiteral("09A06");
        fixture.Data.FileName = dir.filePath(QStringLiteral("Harbour.QEM"));
    }
    ~PrintDialogTest() override { PrinterSetup().Reset(); }

    template <typename T = QCheckBox> T* Find(const char* name)
    {
        T* w = form.findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Show(const QString& version)
    {
        fixture.Data.SiteConfig.MainVersion = version;
        form.show();
    }

    TEditorFixture fixture;
    TfrmPrint form{fixture.Context};
    QTemporaryDir dir;
    QString answer;
    QStringList suggestions;
};

TEST_F(PrintDialogTest, VersionGatesUntickOnEveryShowingAndChoicesLast)
{
    Show(QStringLiteral("07A10"));
    EXPECT_FALSE(Find("chkPrintSet")->isEnabled());
    EXPECT_FALSE(Find("chkPrintSet")->isChecked());
    EXPECT_TRUE(Find("chkPrintNetwork")->isEnabled());
    EXPECT_TRUE(Find("chkPrintNetwork")->isChecked());
    Find("chkPrintZone")->click();
    Find<QRadioButton>("radOrderZone")->click();
    Find<QRadioButton>("radFittedDevices")->click();
    Find("chkPrintLoop")->click();
    EXPECT_FALSE(Find<QWidget>("radgrpOrder")->isEnabled());
    Find<QPushButton>("CancelButton")->click();
    EXPECT_FALSE(form.isVisible());

    Show(QStringLiteral("03 99"));
    EXPECT_FALSE(Find("chkPrintNetwork")->isEnabled());
    EXPECT_FALSE(Find("chkPrintNetwork")->isChecked());
    form.hide();

    // A newer panel enables both again but ticks neither; the other choices are kept.
    Show(QStringLiteral("09A06"));
    EXPECT_TRUE(Find("chkPrintSet")->isEnabled());
    EXPECT_TRUE(Find("chkPrintNetwork")->isEnabled());
    EXPECT_FALSE(Find("chkPrintSet")->isChecked());
    EXPECT_FALSE(Find("chkPrintNetwork")->isChecked());
    EXPECT_FALSE(Find("chkPrintZone")->isChecked());
    EXPECT_FALSE(Find("chkPrintLoop")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("radOrderZone")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("radFittedDevices")->isChecked());
    EXPECT_FALSE(Find<QWidget>("radgrpLoopInfo")->isEnabled());
    EXPECT_EQ(form.Selection().Order, loZoneNumber);
    EXPECT_TRUE(form.Selection().OnlyFitted);
}

TEST_F(PrintDialogTest, PrintWithoutAPrinterSavesThePdfsAndSaysWhere)
{
    fixture.Data.Loop1.PlaceDevice(1, 20);
    fixture.Data.Comments = QStringLiteral("{\\rtf1\\ansi Key at the gate\\par}");
    Show(QStringLiteral("09A06"));

    // Cancelling the file dialog prints nothing and keeps the dialog open.
    Find<QPushButton>("AcceptButton")->click();
    EXPECT_EQ(suggestions, QStringList{dir.filePath("Harbour.pdf")});
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.pdf"}).isEmpty());

    answer = dir.filePath(QStringLiteral("Harbour.pdf"));
    Find<QPushButton>("AcceptButton")->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(fixture.Prompts.texts(),
              QStringList{QStringLiteral("The report was saved as %1.")
                              .arg(QDir::toNativeSeparators(answer))});
    EXPECT_EQ(QDir(dir.path()).entryList({"*.pdf"}).size(), 1) << "one Print, one file";

    TReports expected(fixture.Data, rdPdf);
    form.Selection().RecordAll(expected);
    expected.Engine().EndDoc();
    EXPECT_EQ(PdfPageCount(answer), expected.Engine().PageCount());
    EXPECT_GE(PdfPageCount(answer), 8);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString text = PdfText(answer);
    qsizetype at = 0;
    for (const char* title : {"Loop 1 Configuration", "Loop 2 Configuration", "Zone Configuration",
                              "Group Configuration", "Output Set Configuration", "Key at the gate"}) {
        const qsizetype found = text.indexOf(QLatin1String(title), at);
        EXPECT_GE(found, at) << title;
        at = qMax(at, found);
    }
}

TEST_F(PrintDialogTest, PrintPreviewShowsTheSamePages)
{
    Show(QStringLiteral("09A06"));
    QString pageLabel;
    QTimer::singleShot(0, [&] {
        QWidget* preview = QApplication::activeModalWidget();
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->objectName(), "PreviewForm");
        EXPECT_FALSE(form.isVisible()) << "the options dialog stays on top: it steps aside";
        pageLabel = preview->findChild<QLabel*>(QStringLiteral("CurPageLabel"))->text();
        QTest::keyClick(preview, Qt::Key_Escape);
    });
    Find<QPushButton>("BitBtn1")->click();
    EXPECT_FALSE(form.isVisible());

    // Every page Print sends: the report's and the comments'.
    TReports expected(fixture.Data, rdPdf);
    form.Selection().RecordAll(expected);
    expected.Engine().EndDoc();
    EXPECT_EQ(pageLabel, QStringLiteral("Page 1 of %1").arg(expected.Engine().PageCount()));
}

// "Print" prints every page at once on the printer "Properties" chose, which is kept; it
// never opens a second print dialog. An empty report is refused and nothing is written.
TEST_F(PrintDialogTest, PrintUsesThePropertiesChoiceWithoutASecondDialogAndRefusesNothing)
{
    PrinterSetup().AskPrint = [](QPrinter&, int, QWidget*) -> std::optional<TPrintChoice> {
        ADD_FAILURE() << "a second print dialog opened";
        return std::nullopt;
    };
    QList<TPrinterChoice> offered;
    PrinterSetup().AskPrinter = [&](const TPrinterChoice& current, const QStringList&, QWidget*) {
        offered << current;
        return std::optional<TPrinterChoice>(
            TPrinterChoice{QString(), QPageSize(QPageSize::Letter), QPageLayout::Landscape});
    };
    Show(QStringLiteral("09A06"));
    Find<QPushButton>("btnProperties")->click();
    Find<QPushButton>("btnProperties")->click();
    ASSERT_EQ(offered.size(), 2);
    EXPECT_EQ(offered.at(1).Paper.id(), QPageSize::Letter);
    EXPECT_EQ(offered.at(1).Orientation, QPageLayout::Landscape);

    // Nothing ticked: refused with a message, no file asked for, the dialog stays.
    for (const char* name : {"chkPrintSite", "chkPrintLoop", "chkPrintZone", "chkPrintGroup",
                             "chkPrintSet", "chkPrintNetwork", "chkPrintC_E", "chkComments"})
        if (Find(name)->isChecked())
            Find(name)->click();
    answer = dir.filePath(QStringLiteral("Harbour.pdf"));
    Find<QPushButton>("AcceptButton")->click();
    EXPECT_EQ(fixture.Prompts.texts(), QStringList{NothingToPrintText});
    EXPECT_TRUE(suggestions.isEmpty());
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(QFile::exists(answer));

    Find("chkPrintZone")->click();
    Find<QPushButton>("AcceptButton")->click();
    EXPECT_FALSE(form.isVisible());
    const QSizeF box = PdfMediaBox(answer);
    EXPECT_NEAR(box.width(), 792, 1); // US letter, landscape, in points
    EXPECT_NEAR(box.height(), 612, 1);
}

// The preview and its PDF carry the comments after the report's pages, as Print does.
TEST_F(PrintDialogTest, PreviewAndItsPdfIncludeTheComments)
{
    fixture.Data.Comments = QStringLiteral("{\\rtf1\\ansi Key at the gate\\par}");
    Show(QStringLiteral("09A06"));
    for (const char* name : {"chkPrintSite", "chkPrintLoop", "chkPrintGroup", "chkPrintSet",
                             "chkPrintNetwork", "chkPrintC_E"})
        if (Find(name)->isChecked())
            Find(name)->click();
    const QString saved = dir.filePath(QStringLiteral("preview.pdf"));
    answer = saved;
    QString pageLabel;
    QTimer::singleShot(0, [&] {
        QWidget* preview = QApplication::activeModalWidget();
        ASSERT_NE(preview, nullptr);
        pageLabel = preview->findChild<QLabel*>(QStringLiteral("CurPageLabel"))->text();
        preview->findChild<QToolButton*>(QStringLiteral("SavePdfBut"))->click();
        QTest::keyClick(preview, Qt::Key_Escape);
    });
    Find<QPushButton>("BitBtn1")->click();
    EXPECT_EQ(pageLabel, QStringLiteral("Page 1 of 2"));
    EXPECT_EQ(PdfPageCount(saved), 2);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString text = PdfText(saved);
    EXPECT_LT(text.indexOf(QLatin1String("Zone Configuration")),
              text.indexOf(QLatin1String("Key at the gate")));
}

TEST_F(PrintDialogTest, Screenshot)
{
    const QString shots = qEnvironmentVariable("ZOL_SCREENSHOT_DIR");
    if (shots.isEmpty())
        GTEST_SKIP() << "ZOL_SCREENSHOT_DIR is not set";
    Show(QStringLiteral("07A10"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.grab().save(QDir(shots).filePath("frmPrint.png"));
    TPrinterPropertiesDialog properties(
        TPrinterChoice{QStringLiteral("Office-Laser"), QPageSize(QPageSize::Letter),
                       QPageLayout::Landscape},
        {QStringLiteral("Office-Laser"), QStringLiteral("PDF")});
    properties.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&properties));
    properties.grab().save(QDir(shots).filePath("PrinterProperties.png"));
}

// "Printer Properties" offers the installed queues and shows the choice it was given.
TEST_F(PrintDialogTest, PrinterPropertiesListsTheQueuesAndKeepsTheChoice)
{
    const QStringList queues{QStringLiteral("Office-Laser"), QStringLiteral("Plant-Room")};
    TPrinterPropertiesDialog dialog(TPrinterChoice{QStringLiteral("Plant-Room"),
                                                   QPageSize(QPageSize::Letter),
                                                   QPageLayout::Landscape},
                                    queues);
    auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("cboPrinter"));
    ASSERT_TRUE(printers);
    QStringList offered;
    for (int i = 0; i < printers->count(); ++i)
        offered << printers->itemText(i);
    EXPECT_EQ(offered, (QStringList{"Save as PDF file", "Office-Laser", "Plant-Room"}));
    const TPrinterChoice shown = dialog.Choice();
    EXPECT_EQ(shown.Queue, QStringLiteral("Plant-Room"));
    EXPECT_EQ(shown.Paper.id(), QPageSize::Letter);
    EXPECT_EQ(shown.Orientation, QPageLayout::Landscape);

    // A queue that has gone away is not offered; the PDF file is chosen instead.
    TPrinterPropertiesDialog gone(shown, {QStringLiteral("Office-Laser")});
    EXPECT_TRUE(gone.Choice().Queue.isEmpty());
}

} // namespace
