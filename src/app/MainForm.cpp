#include "app/MainForm.h"

#include "app/GuiPrompts.h"
#include "app/HelpWindow.h"
#include "app/PageHost.h"
#include "app/PageHostLock.h"
#include "app/PanelSession.h"
#include "app/ProtocolCommands.h"
#include "app/SafetyTools.h"
#include "app/ScheduleCommands.h"
#include "app/UndoCommands.h"
#include "app/UndoHistory.h"
#include "app/WindowLayout.h"
#include "editors/devices/LoopSummary.h"
#include "editors/log/EventLogPage.h"
#include "editors/print/PrinterSetup.h"
#include "editors/print/frmPrint.h"
#include "editors/site/SiteConfigPage.h"
#include "editors/status/AboutBox.h"
#include "editors/status/Status.h"
#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "storage/Prompts.h"
#include "storage/ProgramSettings.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QCloseEvent>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QDateTime>
#include <QTimer>

TMainForm::TMainForm(TMainFormSetup setup, QWidget* parent)
    : QMainWindow(parent), setup_(std::move(setup)),
      guiPrompts_(setup_.Prompts ? nullptr : std::make_unique<TGuiPrompts>(this)),
      prompts_(setup_.Prompts ? setup_.Prompts : guiPrompts_.get()),
      ownSettings_(setup_.Settings ? nullptr
                                   : std::make_unique<QSettings>(QStringLiteral("Brenmoor"),
                                                                 QStringLiteral("QEM Tools"))),
      settings_(setup_.Settings ? setup_.Settings : ownSettings_.get()),
      data_(std::make_unique<TData>()),
      context_{*data_, *prompts_, DefaultMaxOutputDelay, QString(), {}}
{
    setObjectName(QStringLiteral("MainForm"));
    if (setup_.ButtonsIniPath.isEmpty())
        setup_.ButtonsIniPath = ProgramSettingsPath();
    context_.ButtonsIniPath = setup_.ButtonsIniPath;

    const auto refused = [this](const QString& command) { return session_->RefusedWhileBusy(command); };
    session_ = std::make_unique<TPanelSession>(TPanelSession::TSetup{
        *data_, *prompts_, this, setup_.Settings, [this] { return ActivePage(); },
        [this] { return SummaryLoop(); },
        [this] { return documents_->AskFile(TFileQuestion::fqSaveCommsLog); },
        [this](const QString& text) { ShowStatus(text); }});
    documents_ = new TDocumentController(TDocumentController::TSetup{
        *data_, *prompts_, this, *settings_, session_->StatusWindow(), setup_.ChooseFile, refused,
        [this] { PageControl().setFocus(); }});
    about_ = new TAboutBox(this);
    help_ = new THelpWindow(this);

    host_ = new TPageHost(context_, this);
    host_->BuildPages([this](const char* code, const std::function<void()>& step) { Guard(code, step); });
    summary_ = &host_->Summary();
    site_ = &host_->Site();
    eventLog_ = &host_->EventLog();
    setCentralWidget(&host_->Tabs());

    actions_ = BuildMainActions(*this);
    undo_ = new TUndoCommands(*data_, *this, host_->Tabs(), *actions_.Undo, *actions_.Redo,
                              *actions_.Edit);
    undo_->SetBusy([this] { return session_->Busy(); }, refused);
    protocol_ = new TProtocolCommands(*data_, *prompts_, *host_, *actions_.Apollo, *actions_.Hochiki, refused);
    connect(protocol_, &TProtocolCommands::Switched, this, [this] {
        summary_->ResetSelection();
        undo_->Reset();
    });
    documents_->ShowRecentFiles(actions_.File, actions_.RecentEnd);
    safety_ = new TSafetyTools(TSafetyTools::TSetup{
        *this, context_, *session_, setup_.Settings,
        [this] { return documents_->AskFile(TFileQuestion::fqOpen); },
        [this](TPanelPage page) {
            SetActivePage(page);
            return Page(page);
        },
        [this](const QString& text) { ShowStatus(text); }, refused});
    ConnectActions();
    ConnectPages();
    for (QAction* action : findChildren<QAction*>())
        if (!action->toolTip().isEmpty() && action != actions_.Undo && action != actions_.Redo
            && action != actions_.LoadPage && action != actions_.SavePage)
            hints_.insert(action, action->toolTip());
    stateLabel_ = new QLabel(this);
    stateLabel_->setObjectName(QStringLiteral("lblWindowState"));
    stateLabel_->setAccessibleName(QStringLiteral("Window state"));
    stateLabel_->setWordWrap(true);
    stateLabel_->hide();
    statusBar()->addPermanentWidget(stateLabel_, 1);
    pageLock_ = new TPageHostLock(host_->Tabs(), [this] {
        ShowStatus(CommandAvailability(TWindowCommand::wcEditPage, WindowState()).Reason);
    });
    qApp->installEventFilter(this);

    TTransferSequencer& sequencer = session_->Sequencer();
    connect(&sequencer, &TTransferSequencer::ActivePageRefresh, this, [this] { host_->RefreshActive(); });
    connect(&sequencer, &TTransferSequencer::LoopTypeChanged, this, [this] {
        protocol_->Follow();
        host_->ApplyLoopCount(data_->LoopCount);
    });
    connect(&sequencer, &TTransferSequencer::EventLogLine, eventLog_, &TfrmEventLog::AppendShown);
    connect(&sequencer, &TTransferSequencer::TextLine, eventLog_, &TfrmEventLog::AppendLine);
    connect(session_.get(), &TPanelSession::TransferEnded, this, &TMainForm::TransferEnded);
    // A transfer started by any command (a read-back, a verify) locks what it depends on.
    connect(&sequencer, &TTransferSequencer::Started, this, &TMainForm::UpdateCommands);
    connect(data_.get(), &TData::ModifiedChanged, this, [this] { UpdateTitle(); });
    connect(data_.get(), &TData::Reset, this, &TMainForm::DocumentReset);
    connect(documents_, &TDocumentController::Replaced, this, &TMainForm::DocumentReplaced);
    connect(documents_, &TDocumentController::FileChanged, this, &TMainForm::UpdateTitle);
    connect(&host_->Tabs(), &QTabWidget::currentChanged, this, [this] {
        if (startupDone_)
            PageChange();
    });

    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, site_, [this] { site_->SetClock(QDateTime::currentDateTime()); });

    if (const std::optional<TWindowLayout> layout = LoadWindowLayout(*settings_)) {
        ApplyLayout(*this, *layout);
        restoredPage_ = layout->Page;
    } else {
        ApplyFirstSize(*this);
    }
    UpdateTitle();
}

TMainForm::~TMainForm()
{
    // The link goes first (it refers to the status window and the document); the pages and
    // dialogs refer to the document, context and settings: they go before them.
    qApp->removeEventFilter(this);
    session_.reset();
    clock_->stop();
    delete undo_;
    delete safety_;
    delete documents_;
    delete &host_->Tabs();
}

void TMainForm::ConnectActions()
{
    const TMainActions& a = actions_;
    connect(a.New, &QAction::triggered, this, [this] { FileNew(); });
    connect(a.Open, &QAction::triggered, this, [this] { FileOpen(); });
    connect(a.Save, &QAction::triggered, this, [this] { FileSave(); });
    connect(a.SaveAs, &QAction::triggered, this, [this] { FileSaveAs(); });
    connect(a.Print, &QAction::triggered, this, [this] {
        PageControl().setFocus();
        if (data_->AccessCodesValid())
            print_->exec();
    });
    connect(a.PrinterProperties, &QAction::triggered, this, [this] { ShowPrinterProperties(this); });
    ConnectScheduleCommands(a, *this, *data_, *prompts_,
                            [this](const QString& command) { return session_->RefusedWhileBusy(command); });
    connect(a.Exit, &QAction::triggered, this, &TMainForm::close);
    connect(a.Undo, &QAction::triggered, undo_, &TUndoCommands::Undo);
    connect(a.Redo, &QAction::triggered, undo_, &TUndoCommands::Redo);
    connect(a.LoadAll, &QAction::triggered, this, [this] { LoadAll(); });
    connect(a.SaveAll, &QAction::triggered, this, [this] { SaveAll(); });
    connect(a.SaveChanges, &QAction::triggered, this, [this] { SaveChanges(); });
    connect(a.LoadPage, &QAction::triggered, this, [this] { LoadPage(); });
    connect(a.SavePage, &QAction::triggered, this, [this] { SavePage(); });
    connect(a.ClearDisplay, &QAction::triggered, eventLog_, &TfrmEventLog::ClearDisplay);
    documents_->ConnectEventLog(*a.LoadLog, *a.SaveLog, *eventLog_);
    connect(a.SelectPort, &QAction::triggered, session_.get(), &TPanelSession::SelectSerialPort);
    connect(a.Disconnect, &QAction::triggered, session_.get(), &TPanelSession::Disconnect);
    connect(a.Contents, &QAction::triggered, this, [this] { help_->ShowContext(HelpContext()); });
    connect(a.About, &QAction::triggered, this, [this] {
        about_->SetVersion(VersionLine);
        about_->exec();
    });
    a.PanelNumber->setValue(data_->PanelNumber);
    connect(a.PanelNumber, &QSpinBox::valueChanged, this, &TMainForm::SetPanelNumber);
}

TTransferSequencer& TMainForm::Sequencer() { return session_->Sequencer(); }
TZOLPanelComms& TMainForm::Comms() { return session_->Comms(); }
TfrmStatus& TMainForm::StatusWindow() { return session_->StatusWindow(); }
QTabWidget& TMainForm::PageControl() { return host_->Tabs(); }
TPage* TMainForm::Page(TPanelPage page) const { return host_->Page(page); }
TPanelPage TMainForm::ActivePage() const { return host_->ActivePage(); }
void TMainForm::SetActivePage(TPanelPage page) { host_->SetActivePage(page); }
bool TMainForm::CompareWithPanel() { return safety_->CompareWithPanel(); }
TCheckConfigurationDock& TMainForm::CheckDock() { return safety_->CheckDock(); }
TCompareDialog* TMainForm::CompareDialog() const { return safety_->CompareDialog(); }
TUndoHistory& TMainForm::UndoHistory() { return undo_->History(); }
bool TMainForm::Undo() { return undo_->Undo(); }
bool TMainForm::Redo() { return undo_->Redo(); }
bool TMainForm::SwitchProtocol(TSystemType type) { return protocol_->Switch(type); }
int TMainForm::HelpContext() const { return host_->HelpContext(); }
void TMainForm::ShowStatus(const QString& text) { statusBar()->showMessage(text, StatusShownMs); }

// While a transfer runs, closing asks to cancel it; the window closes once it has ended.
void TMainForm::closeEvent(QCloseEvent* event)
{
    if (session_->Busy()) {
        event->ignore();
        if (prompts_->confirm(CloseDuringTransferQuestion, TPromptButtons::pbYesNo,
                              TPromptKind::pkDestructive)
            != TPromptAnswer::paYes)
            return;
        // The run ends as cancelled (a part-written panel is said); its end closes the window.
        closeWhenEnded_ = true;
        session_->Sequencer().Disconnect();
        return;
    }
    SaveWindowLayout(*settings_, CurrentLayout(*this, static_cast<int>(ActivePage())));
    event->setAccepted(documents_->MayClose());
}
