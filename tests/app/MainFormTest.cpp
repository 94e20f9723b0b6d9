#include "MainFormFixture.h"

#include "app/HelpWindow.h"
#include "editors/log/CommentsPage.h"
#include "editors/print/PrinterSetup.h"
#include "editors/status/CommSelect.h"
#include "editors/status/Status.h"
#include "sim/PtyPanel.h"
#include "storage/ConfigFile.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QLineEdit>
#include <QStatusBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolButton>

namespace {

const QString TitleStart = QStringLiteral("ZOL Programming Tools 4.7 - ");
const QString CloseQuestion = QStringLiteral("Configuration is not saved. Do you wish to save it now?");

// Types into the comments page, as an engineer would: over what it holds, or after it.
void TypeComment(TMainForm& form, const QString& text, bool append = false)
{
    form.SetActivePage(ppComments);
    auto* editor = form.findChild<QTextEdit*>(QStringLiteral("txtComments"));
    editor->setFocus();
    if (append)
        editor->moveCursor(QTextCursor::End);
    else
        editor->selectAll();
    QTest::keyClicks(editor, text);
}

// Reads a configuration file into a document of its own.
std::unique_ptr<TData> ReadBack(const QString& path)
{
    auto data = std::make_unique<TData>();
    TScriptedPrompts prompts;
    TConfigFile file(*data, prompts);
    EXPECT_TRUE(file.Open(path)) << prompts.texts().join(QLatin1Char('|')).toStdString();
    return data;
}

} // namespace

TEST_F(TMainFormTest, StartsOnSiteConfigWithANewFileTitle)
{
    EXPECT_EQ(Form->ActivePage(), ppSiteConfig);
    EXPECT_EQ(Form->HelpContext(), 60);
    EXPECT_EQ(Form->windowTitle(), TitleStart + QStringLiteral("New file"));
    EXPECT_FALSE(Action("actSave")->isEnabled());
    EXPECT_TRUE(Prompts.Records.isEmpty()) << Prompts.texts().join(QLatin1Char('|')).toStdString();

    // F1 opens the help page of the page shown.
    QTest::keyClick(Form.get(), Qt::Key_F1);
    auto* help = Form->findChild<THelpWindow*>();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->Source(), QUrl(QStringLiteral("qrc:/help/60.html")));
    help->hide();
}

TEST_F(TMainFormTest, AnEditMarksTheTitleAndEnablesSave)
{
    TypeComment(*Form, QStringLiteral("Riser cupboard key with reception"));
    EXPECT_EQ(Form->windowTitle(), TitleStart + QStringLiteral("New file - Modified"));
    EXPECT_TRUE(Action("actSave")->isEnabled());
    EXPECT_TRUE(Form->findChild<QToolButton*>(QStringLiteral("btnSave"))->isEnabled());
}

TEST_F(TMainFormTest, SaveAsAddsThePanelNumberAndSaveWritesTheSameFile)
{
    Form->findChild<QSpinBox*>(QStringLiteral("spnPanelNumber"))->setValue(3);
    TypeComment(*Form, QStringLiteral("First visit"));
    Files << Dir.filePath(QStringLiteral("site.QEM"));
    Action("actSaveAs")->trigger();

    const QString saved = Dir.filePath(QStringLiteral("site_Panel3.QEM"));
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(Form->windowTitle(), TitleStart + saved);
    EXPECT_FALSE(Action("actSave")->isEnabled());
    EXPECT_EQ(ReadBack(saved)->Comments, QStringLiteral("First visit"));

    TypeComment(*Form, QStringLiteral(", second visit"), true);
    QTest::keyClick(Form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Form->Data().Modified());
    EXPECT_EQ(ReadBack(saved)->Comments, QStringLiteral("First visit, second visit"));
    EXPECT_TRUE(Files.isEmpty());
}

TEST_F(TMainFormTest, SaveWithoutAFileNameAsksForOne)
{
    TypeComment(*Form, QStringLiteral("x"));
    Files << Dir.filePath(QStringLiteral("job_Panel1.QEM"));
    EXPECT_TRUE(Form->FileSave());
    EXPECT_TRUE(QFile::exists(Dir.filePath(QStringLiteral("job_Panel1.QEM"))));
}

TEST_F(TMainFormTest, CloseQueryCancelNoAndYes)
{
    TypeComment(*Form, QStringLiteral("unsaved"));
    Prompts.Answers = {TPromptAnswer::paCancel};
    EXPECT_FALSE(Form->close());
    EXPECT_TRUE(Form->isVisible());
    EXPECT_TRUE(Form->Data().Modified());
    EXPECT_EQ(Prompts.texts().constLast(), CloseQuestion);

    // Yes saves first; a Save As that was cancelled keeps the window open.
    Prompts.Answers = {TPromptAnswer::paYes};
    EXPECT_FALSE(Form->close());
    Files << Dir.filePath(QStringLiteral("closing_Panel1.QEM"));
    Prompts.Answers = {TPromptAnswer::paYes};
    EXPECT_TRUE(Form->close());
    EXPECT_EQ(ReadBack(Dir.filePath(QStringLiteral("closing_Panel1.QEM")))->Comments,
              QStringLiteral("unsaved"));

    Form->show();
    TypeComment(*Form, QStringLiteral(" again"));
    Prompts.Answers = {TPromptAnswer::paNo};
    EXPECT_TRUE(Form->close());
}

TEST_F(TMainFormTest, NewAndProtocolSwitchAskFirst)
{
    Form->Data().SiteConfig.ClientName = QStringLiteral("Kept");
    Form->Data().FileName = QStringLiteral("/jobs/kept.QEM");
    Form->SetActivePage(ppZoneConfig);

    Prompts.Answers = {TPromptAnswer::paNo, TPromptAnswer::paNo};
    Action("actNew")->trigger();
    Action("actHochikiProtocol")->trigger();
    EXPECT_EQ(Form->Data().SiteConfig.ClientName, QStringLiteral("Kept"));
    EXPECT_EQ(Form->Data().SystemType(), stApolloLoop);
    EXPECT_TRUE(Action("actApolloProtocol")->isChecked());
    EXPECT_EQ(Prompts.texts().constLast(), SwitchProtocolQuestion(stHochikiLoop));
    // Both questions clear the configuration: No is their default button.
    for (const auto& record : Prompts.Records) {
        if (record.Kind == TScriptedPrompts::TKind::mkConfirm) {
            EXPECT_EQ(record.PromptKind, TPromptKind::pkDestructive) << record.Text.toStdString();
        }
    }

    Prompts.Answers = {TPromptAnswer::paYes};
    Action("actHochikiProtocol")->trigger();
    EXPECT_EQ(Form->Data().SystemType(), stHochikiLoop);
    EXPECT_TRUE(Form->Data().SiteConfig.ClientName.isEmpty());
    EXPECT_TRUE(Action("actHochikiProtocol")->isChecked());
    EXPECT_EQ(Form->ActivePage(), ppZoneConfig);

    Prompts.Answers = {TPromptAnswer::paYes};
    Action("actNew")->trigger();
    EXPECT_TRUE(Form->Data().FileName.isEmpty());
    EXPECT_EQ(Form->windowTitle(), TitleStart + QStringLiteral("New file"));
    EXPECT_EQ(Form->ActivePage(), ppZoneConfig);
}

TEST_F(TMainFormTest, PanelNumberThreeOnZoneConfig)
{
    Form->SetActivePage(ppZoneConfig);
    Form->findChild<QSpinBox*>(QStringLiteral("spnPanelNumber"))->setValue(3);
    auto* load = Form->findChild<QToolButton*>(QStringLiteral("btnLoadFromPanel"));
    auto* save = Form->findChild<QToolButton*>(QStringLiteral("btnSavetoPanel"));
    EXPECT_EQ(load->text(), QStringLiteral("Load Zone Configuration From Panel 3"));
    EXPECT_EQ(save->text(), QStringLiteral("Save Zone Configuration To Panel 3"));
    EXPECT_TRUE(Form->Data().Modified());
    EXPECT_EQ(Form->Comms().PanelNumber, 3);

    // The event log page: no save button, the log buttons shown; Comments: neither.
    Form->SetActivePage(ppViewEventLog);
    EXPECT_EQ(load->text(), QStringLiteral("Load Event History From Panel 3"));
    EXPECT_FALSE(Action("actSavetoPanel")->isVisible());
    EXPECT_TRUE(Action("actSaveLog")->isVisible());
    Form->SetActivePage(ppComments);
    EXPECT_FALSE(Action("actLoadFromPanel")->isVisible());
    EXPECT_FALSE(Action("actClearDisplay")->isVisible());
    EXPECT_EQ(Form->HelpContext(), 100);
}

TEST_F(TMainFormTest, LoadAllFillsTheDocumentAndMarksItModified)
{
    Panel->Memory().MainVersion = "09A07";
    Panel->Memory().Points[1][5] = {0x41, 0x02, 0, 0, 0, 0, 0, 0, 0};
    Form->SetActivePage(ppLoop2);
    Panel->Memory().LoopCount = 1;

    ASSERT_TRUE(RunTransfer([&] { return Form->LoadAll(); }));
    EXPECT_EQ(Form->Data().SiteConfig.MainVersion, QStringLiteral("09A07"));
    EXPECT_EQ(Form->Data().Loop1.Devices[5].TypeCode, 0x41);
    EXPECT_EQ(Form->Data().LoopCount, 1);
    EXPECT_TRUE(Form->Data().Modified());
    EXPECT_TRUE(Form->windowTitle().endsWith(QStringLiteral(" - Modified")));
    EXPECT_FALSE(Form->PageControl().isTabVisible(ppLoop2));
    EXPECT_EQ(Form->ActivePage(), ppLoop1);
    EXPECT_FALSE(Form->StatusWindow().isVisible());
    // The end is said in a message, not only in the status bar.
    QCoreApplication::processEvents();
    EXPECT_TRUE(Prompts.texts().last().startsWith(QStringLiteral("Load All completed in ")));
}

TEST_F(TMainFormTest, CancelDuringATransfer)
{
    Panel->SetWireBitRate(9600);
    bool cancelled = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (cancelled || Form->StatusWindow().Position() < 3
            || !Form->Data().SiteConfig.MainVersion.startsWith(QLatin1Char('0')))
            return;
        cancelled = true;
        Prompts.Answers = {TPromptAnswer::paYes};
        Form->StatusWindow().findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
    });
    watch.start(20);
    EXPECT_FALSE(RunTransfer([&] { return Form->LoadAll(); }, 30000));
    watch.stop();
    ASSERT_TRUE(cancelled);
    EXPECT_FALSE(Form->Sequencer().Busy());
    EXPECT_TRUE(Prompts.texts().contains(TransferText::Aborted));
    // What arrived before the cancel is in the document: it differs from its file.
    EXPECT_TRUE(Form->Data().Modified());

    // The next operation works.
    Panel->SetWireBitRate(0);
    Prompts.clear();
    Form->SetActivePage(ppSiteConfig);
    // What arrived is unsaved: the load asks before it replaces it.
    Prompts.Answers = {TPromptAnswer::paYes};
    EXPECT_TRUE(RunTransfer([&] { return Form->LoadPage(); }));
}

class TStartFileTest : public TMainFormTest {
protected:
    void SetUp() override
    {
        QFile bad(Dir.filePath(QStringLiteral("bad.QEM")));
        bad.open(QIODevice::WriteOnly);
        bad.write("this is not a configuration\n");
        bad.close();
        StartFile = bad.fileName();
        TMainFormTest::SetUp();
    }
};

TEST_F(TStartFileTest, ABadFileOnTheCommandLineIsReportedAndChangesNothing)
{
    QTest::qWait(50);
    ASSERT_FALSE(Prompts.texts().isEmpty());
    EXPECT_TRUE(Prompts.texts().constLast().startsWith(InvalidFileMessage));
    EXPECT_TRUE(Form->Data().FileName.isEmpty());
    EXPECT_EQ(Form->windowTitle(), TitleStart + QStringLiteral("New file"));
}

TEST_F(TMainFormTest, PanelOnAPseudoTerminalChosenInThePortDialog)
{
    auto emulator = std::make_shared<TPanelEmulator>();
    emulator->Memory().MainVersion = "09A31";
    TPtyPanel pty(emulator);
    QString error;
    ASSERT_TRUE(pty.Start(&error)) << error.toStdString();

    QTimer::singleShot(0, [&] {
        auto* dialog = Form->findChild<TCommSelectForm*>();
        QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("rbCOM2")), Qt::LeftButton);
        auto* device = dialog->findChild<QComboBox*>(QStringLiteral("cboDevice"));
        device->setFocus();
        device->lineEdit()->selectAll();
        QTest::keyClicks(device, pty.DeviceName());
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnAccept")), Qt::LeftButton);
    });
    Action("actSelectPort")->trigger();
    EXPECT_EQ(Settings->value(QStringLiteral("Port")).toInt(), 2);
    EXPECT_EQ(Form->Comms().Port().PortName(), pty.DeviceName());

    Form->SetActivePage(ppSiteConfig);
    ASSERT_TRUE(RunTransfer([&] { return Form->LoadPage(); }));
    EXPECT_EQ(Form->Data().SiteConfig.MainVersion, QStringLiteral("09A31"));
    Form->Comms().Close();
}

TEST_F(TMainFormTest, OpenTakesThePanelNumberFromTheNameAndShowsTheFile)
{
    const QString path = Dir.filePath(QStringLiteral("plant_Panel5.QEM"));
    {
        TData doc;
        doc.Comments = QStringLiteral("Boiler house");
        TScriptedPrompts prompts;
        ASSERT_TRUE(TConfigFile(doc, prompts).WriteFile(path));
    }
    Form->SetActivePage(ppNetworkConfig);
    TypeComment(*Form, QStringLiteral("lost on purpose"));
    Form->SetActivePage(ppNetworkConfig);
    Files << path;
    QTest::keyClick(Form.get(), Qt::Key_O, Qt::ControlModifier);

    EXPECT_EQ(Form->windowTitle(), TitleStart + path);
    EXPECT_FALSE(Form->Data().Modified());
    EXPECT_EQ(Form->findChild<QSpinBox*>(QStringLiteral("spnPanelNumber"))->value(), 5);
    EXPECT_EQ(Form->ActivePage(), ppNetworkConfig);
    // A hidden page shows the opened document when it is shown.
    Form->SetActivePage(ppComments);
    EXPECT_EQ(Form->findChild<QTextEdit*>(QStringLiteral("txtComments"))->toPlainText(),
              QStringLiteral("Boiler house"));
    EXPECT_FALSE(Form->StatusWindow().isVisible());
}

TEST_F(TMainFormTest, TheEventLogPageDoesNotStopARunningLoad)
{
    EXPECT_TRUE(RunTransfer([&] {
        const bool started = Form->LoadAll();
        Form->SetActivePage(ppViewEventLog);
        return started;
    }));
    EXPECT_TRUE(Prompts.Records.isEmpty()) << Prompts.texts().join(QLatin1Char('|')).toStdString();
    QTest::qWait(20);
    EXPECT_TRUE(Form->Comms().IsASCIIOnly) << "the page shows the panel's lines again";
}

// Disconnecting is said in the status bar: no message waits for OK.
TEST_F(TMainFormTest, DisconnectedIsShownInTheStatusBar)
{
    Prompts.clear();
    Action("actDisconnect")->trigger();
    EXPECT_EQ(Form->statusBar()->currentMessage(), TransferText::Disconnected);
    EXPECT_FALSE(Prompts.texts().contains(TransferText::Disconnected));
}

// The report prints what the document holds, not what a page happened to work out: a file
// just opened prints the same pages, base sounders included, as after every page was shown.
TEST_F(TMainFormTest, TheReportOfAFileJustOpenedIsTheReportAfterEveryPageWasShown)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString path = Dir.filePath(QStringLiteral("depot.QEM"));
    {
        TData doc;
        doc.Loop1.PlaceDevice(3, 20);
        doc.Loop1.Devices[3].Zone = 2;
        doc.Loop1.SetBaseSounder(3, true, 7);
        TScriptedPrompts prompts;
        ASSERT_TRUE(TConfigFile(doc, prompts).WriteFile(path));
    }
    Files << path;
    QTest::keyClick(Form.get(), Qt::Key_O, Qt::ControlModifier);

    PrinterSetup().Reset(rdPdf);
    QStringList pdfs;
    PrinterSetup().AskPdfPath = [&](QWidget*, const QString&) {
        pdfs << Dir.filePath(QStringLiteral("report%1.pdf").arg(pdfs.size()));
        return pdfs.last();
    };
    const auto printed = [&] {
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_TRUE(dialog);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("AcceptButton")),
                              Qt::LeftButton);
        });
        // The toolbar's Print button.
        for (QToolButton* button : Form->findChildren<QToolButton*>())
            if (button->defaultAction() == Action("actPrint") && button->isVisible())
                QTest::mouseClick(button, Qt::LeftButton);
        if (pdfs.isEmpty())
            return QString();
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfs.last(), QStringLiteral("-")});
        text.waitForFinished(30000);
        // The footers' clock moves on between the two.
        return QString::fromUtf8(text.readAllStandardOutput())
            .remove(QRegularExpression(QStringLiteral("\\d\\d:\\d\\d:\\d\\d")));
    };
    const QString opened = printed();
    EXPECT_TRUE(opened.contains(QStringLiteral("+ Base Sounder (Group 7)"))) << opened.toStdString();
    QSet<int> shown;
    for (int page = 0; page < Form->PageControl().count(); ++page) {
        QTest::keyClick(&Form->PageControl(), Qt::Key_Tab, Qt::ControlModifier);
        shown << Form->PageControl().currentIndex();
    }
    EXPECT_EQ(shown.size(), Form->PageControl().count());
    EXPECT_EQ(printed(), opened);
    EXPECT_EQ(pdfs.size(), 2);
    PrinterSetup().Reset();
}
