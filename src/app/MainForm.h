#pragma once

#include "app/DocumentController.h"
#include "app/MainActionStates.h"
#include "app/MainActions.h"
#include "app/PageTable.h"
#include "comms/ZOLPanelComms.h"
#include "editors/common/EditorContext.h"
#include "model/SystemType.h"
#include "panel/PanelPages.h"

#include <QHash>
#include <QMainWindow>

#include <functional>
#include <memory>

class QLabel;
class QSettings;
class QTabWidget;
class QTimer;
class TAboutBox;
class TCheckConfigurationDock;
class TCompareDialog;
class TData;
class TfrmEventLog;
class TfrmLoopSummary;
class TfrmPrint;
class TfrmSiteConfig;
class TfrmStatus;
class TGuiPrompts;
class THelpWindow;
class TPage;
class TPageHost;
class TPageHostLock;
class TPanelSession;
class TPrompts;
class TProtocolCommands;
class TSafetyTools;
class TTransferSequencer;
class TUndoCommands;
class TUndoHistory;
struct TTransferResult;

// What the main window is built with. Every field has the program's own default; tests give
// scripted prompts, a settings store of their own and file answers.
struct TMainFormSetup {
    // Null: message boxes.
    TPrompts* Prompts = nullptr;
    // Null: the user's settings store.
    QSettings* Settings = nullptr;
    // Empty: Protocol_Buttons.ini beside the program.
    QString ButtonsIniPath;
    // Asks for a file to open or to save; empty when cancelled. Null: the file dialogs.
    std::function<QString(TFileQuestion question)> ChooseFile;
};

// The one top-level window. It owns the document and wires four parts: the document's file
// side (TDocumentController), the link to the panel (TPanelSession), the Tools menu
// (TSafetyTools) and the tabbed pages (TPageHost); undo and the commands follow the document.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int PageCount = ::PageCount;
    static inline const QString VersionLine = QStringLiteral("Version :4.7 (Build 1 11/11/09)");
    // Asked before a load from the panel replaces unsaved edits (No by default).
    static inline const QString LoadOverEditsQuestion = QStringLiteral(
        "The configuration has changes that are not saved. Loading from the panel replaces "
        "them, and they cannot be brought back. Load anyway?");
    static inline const QString CloseDuringTransferQuestion =
        QStringLiteral("A transfer is running. Cancel it and close?");

    explicit TMainForm(TMainFormSetup setup = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    TData& Data() { return *data_; }
    TEditorContext& Context() { return context_; }
    TTransferSequencer& Sequencer();
    TZOLPanelComms& Comms();
    TfrmStatus& StatusWindow();
    QTabWidget& PageControl();
    TPage* Page(TPanelPage page) const;
    TPanelPage ActivePage() const;
    void SetActivePage(TPanelPage page);
    int HelpContext() const;

    // File commands. Each returns whether it did its work.
    bool FileNew() { return documents_->New(); }
    bool FileOpen() { return documents_->Open(); }
    bool OpenFile(const QString& path) { return documents_->OpenFile(path); }
    bool FileSave() { return documents_->Save(); }
    bool FileSaveAs() { return documents_->SaveAs(); }
    bool OpenRecent(const QString& path) { return documents_->OpenRecent(path); }
    TRecentFiles& RecentFiles() { return documents_->RecentFiles(); }
    // Opened after the start-up sequence, as Open does (the file named on the command line).
    void OpenAtStartup(const QString& path);

    // Panel commands.
    bool LoadAll();
    bool SaveAll();
    bool SaveChanges();
    bool LoadPage();
    bool SavePage();

    // Protocol switch with its question; false when the answer was not Yes.
    bool SwitchProtocol(TSystemType type);

    // Tools: the comparison with the panel, the check's dock and the comparison window.
    bool CompareWithPanel();
    TCheckConfigurationDock& CheckDock();
    TCompareDialog* CompareDialog() const;
    // Undo and redo of the last edit, on any page or dialog.
    TUndoHistory& UndoHistory();
    bool Undo();
    bool Redo();

    // The loop chosen in the Loop Summary's "Show summary for" (1 or 2).
    int SummaryLoop() const;
    // What the window is doing, which decides the commands it offers.
    TWindowState WindowState() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Watches dialogs open and close over the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // How long a message of what was done stays in the status bar.
    static constexpr int StatusShownMs = 15000;

    void ConnectPages();
    void ConnectActions();
    void Startup();
    void Guard(const char* code, const std::function<void()>& step);
    void PageChange();
    void UpdatePageButtons();
    void SetPanelNumber(int number);
    bool Started(bool started);
    void UpdateTitle();
    void ShowPanelNumber();
    void ShowStatus(const QString& text);
    // The document was replaced: every view shows it afresh.
    void DocumentReset();
    void DocumentReplaced(bool opened);
    void TransferEnded(const TTransferResult& result);
    // Every command's enabled state from the commands x states table, with the reason of
    // each refusal on the command and in the status bar; the pages lock during a transfer.
    void UpdateCommands();
    void ScheduleUpdateCommands();
    void ApplyCommand(QAction* action, TWindowCommand command, TWindowState state,
                      bool alsoNeeded = true);
    // Unsaved edits are lost by a load from the panel: true when the user agrees.
    bool MayReplaceEdits();

    TMainFormSetup setup_;
    std::unique_ptr<TGuiPrompts> guiPrompts_;
    TPrompts* prompts_;
    std::unique_ptr<QSettings> ownSettings_;
    QSettings* settings_;
    std::unique_ptr<TData> data_;
    TEditorContext context_;
    std::unique_ptr<TPanelSession> session_;
    TDocumentController* documents_ = nullptr;
    TPageHost* host_ = nullptr;
    TSafetyTools* safety_ = nullptr;
    TUndoCommands* undo_ = nullptr;
    TProtocolCommands* protocol_ = nullptr;
    TMainActions actions_;
    TAboutBox* about_ = nullptr;
    THelpWindow* help_ = nullptr;
    TfrmEventLog* eventLog_ = nullptr;
    TfrmLoopSummary* summary_ = nullptr;
    TfrmSiteConfig* site_ = nullptr;
    TfrmPrint* print_ = nullptr;
    QTimer* clock_ = nullptr;
    TPageHostLock* pageLock_ = nullptr;
    QLabel* stateLabel_ = nullptr;
    // Each command's own hint, shown again when it is available.
    QHash<QAction*, QString> hints_;
    // The transfer running reads from the panel (else it writes to it).
    bool transferLoads_ = false;
    // The user asked to close while a transfer ran: the window closes once it has ended.
    bool closeWhenEnded_ = false;
    bool updateScheduled_ = false;

    bool startupDone_ = false;
    bool inPageChange_ = false;
    QString startupFile_;
    int restoredPage_ = -1;
};
