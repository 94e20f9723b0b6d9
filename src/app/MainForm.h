#pragma once

#include "comms/ZOLPanelComms.h"
#include "editors/common/EditorContext.h"
#include "model/SystemType.h"
#include "panel/PanelPages.h"
#include "storage/PortSettings.h"

#include <QDateTime>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPrinter;
class QSettings;
class QSpinBox;
class QTabWidget;
class QTimer;
class TAboutBox;
class TCheckConfigurationDock;
class TCommsTrace;
class TCompareDialog;
struct TDifference;
class TCommSelectForm;
class TData;
class TfrmComments;
class TfrmLoopSummary;
class TfrmPrint;
class TfrmSiteConfig;
class TDevice_Selection_Frame;
class TfrmEventLog;
class TfrmStatus;
class TGuiPrompts;
class THelpWindow;
class TPage;
class TPrompts;
class TRecentFiles;
class QToolBar;
class TTransferSequencer;
class TUndoHistory;

enum class TFileQuestion { fqOpen, fqSave, fqOpenLog, fqSaveLog, fqSaveCommsLog };

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

// The one top-level window: owns the document, shows it on eleven tabbed pages, keeps the
// title and Save in step with the modified mark, and runs the file, panel and protocol
// commands.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int PageCount = 11;
    static inline const QString VersionLine = QStringLiteral("Version :4.7 (Build 1 11/11/09)");

    explicit TMainForm(TMainFormSetup setup = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    TData& Data() { return *data_; }
    TEditorContext& Context() { return context_; }
    TTransferSequencer& Sequencer() { return *sequencer_; }
    TZOLPanelComms& Comms() { return comms_; }
    TfrmStatus& StatusWindow() { return *status_; }
    QTabWidget& PageControl() { return *pages_; }
    TPage* Page(TPanelPage page) const;
    TPanelPage ActivePage() const;
    void SetActivePage(TPanelPage page);
    int HelpContext() const { return helpContext_; }

    // The modified mark with its title and Save command.
    void SetModified(bool modified);
    void RefreshPage();
    void RefreshAllPages();

    // File commands. Each returns whether it did its work.
    bool FileNew();
    bool FileOpen();
    bool OpenFile(const QString& path);
    bool FileSave();
    bool FileSaveAs();
    // Opened after the start-up sequence, as Open does (the file named on the command line).
    void OpenAtStartup(const QString& path);

    // Panel commands.
    bool LoadAll();
    bool SaveAll();
    bool LoadPage();
    bool SavePage();
    void Disconnect();
    void SelectSerialPort();
    // Points the packet component at COM1..COM4 as the settings map it.
    void SelectComPort(int port);
    void SetPanelNumber(int number);

    // Protocol switch with its question; false when the answer was not Yes.
    bool SwitchProtocol(TSystemType type);
    void ApplyProtocol();

    // Tools (MainFormSafety.cpp): the check, the comparisons and the communications log.
    void CheckConfiguration();
    bool CompareWithFile();
    bool CompareWithPanel();
    // Starts recording into a file it asks for, or stops; whether it records now.
    bool RecordCommsLog(bool record);
    TCheckConfigurationDock& CheckDock() { return *checkDock_; }
    TCompareDialog* CompareDialog() const { return compare_; }
    // Undo and redo of the last edit, on any page or dialog.
    TUndoHistory& UndoHistory() { return *undo_; }
    bool Undo();
    bool Redo();
    // A configuration from the recent files list; a vanished one leaves the list.
    bool OpenRecent(const QString& path);
    TRecentFiles& RecentFiles() { return *recent_; }

    void Print();
    void PrinterProperties();
    void HelpContents();
    void About();

    // Seams the other pages and dialogs are joined through.
    // The loop chosen in the Loop Summary's "Show summary for" (1 or 2).
    std::function<int()> SummaryLoop = [] { return 1; };
    // Opens the print selection; Print stays disabled until it is set.
    void SetPrintSelection(std::function<void()> open);
    // The printer the report is laid out for and set up with Printer Properties.
    QPrinter& ReferencePrinter();

signals:
    // Every second: the PC's date and time for the Site Config page's clock.
    void ClockTick(const QDateTime& now);
    // The about box's hidden switch for the diagnostic fields.
    void DiagnosticsRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreatePages();
    // Joins the pages to each other and to the window's commands.
    void ConnectPages();
    void EditDevice(int loop, int address);
    void AddPage(TPage* page);
    void FillMissingPages(int count);
    void CreateActions();
    void CreateMenusAndToolbar();
    void Startup();
    void Guard(const char* code, const std::function<void()>& step);
    void PageChange();
    void UpdatePageButtons();
    void EnterTextMode();
    void UpdateTitle();
    void ApplyLoopCount();
    void FollowProtocol();
    void ShowPanelNumber();
    QString AskFile(TFileQuestion question);
    void ClearLog();
    void LoadLog();
    void SaveLog();
    void TransferFinished();
    // The safety net around Save All (MainFormSafety.cpp).
    void CreateSafetyTools();
    bool BeforeSaveAll();
    void SaveAllStarted();
    void VerifyAfterSaveAll();
    void OpenFinding(TPanelPage page, int item, const QString& field);
    QString PanelPortName() const;
    void CloseLink();
    void ShowComparison(const QString& caption, const QString& rightCaption,
                        const QList<TDifference>& differences);
    // Undo, recent files and the remembered layout (MainFormComforts.cpp).
    void CreateComforts();
    void AddEditMenu();
    void AddUndoButtons(QToolBar* bar);
    void UpdateUndoActions();
    QString DescribeEdit() const;
    void RememberFile(const QString& path);
    void UpdateRecentMenu();
    void RestoreLayout();
    void RestoreLastPage();
    void SaveLayout();

    TMainFormSetup setup_;
    std::unique_ptr<TGuiPrompts> guiPrompts_;
    TPrompts* prompts_;
    std::unique_ptr<TData> data_;
    std::unique_ptr<TPortSettings> portSettings_;
    TEditorContext context_;
    TZOLPanelComms comms_;
    TfrmStatus* status_ = nullptr;
    std::unique_ptr<TTransferSequencer> sequencer_;
    TCommSelectForm* commSelect_ = nullptr;
    TAboutBox* about_ = nullptr;
    THelpWindow* help_ = nullptr;
    QTabWidget* pages_ = nullptr;
    std::array<TPage*, PageCount> page_{};
    TfrmEventLog* eventLog_ = nullptr;
    TfrmLoopSummary* summary_ = nullptr;
    TDevice_Selection_Frame* summaryToolbar_ = nullptr;
    TfrmSiteConfig* site_ = nullptr;
    TfrmPrint* print_ = nullptr;
    TfrmComments* comments_ = nullptr;
    QSpinBox* spnPanelNumber_ = nullptr;
    QTimer* clock_ = nullptr;

    QAction* actNew_ = nullptr;
    QAction* actOpen_ = nullptr;
    QAction* actSave_ = nullptr;
    QAction* actSaveAs_ = nullptr;
    QAction* actPrint_ = nullptr;
    QAction* actPrinterProperties_ = nullptr;
    QAction* actExit_ = nullptr;
    QAction* actLoadAll_ = nullptr;
    QAction* actSaveAll_ = nullptr;
    QAction* actLoadPage_ = nullptr;
    QAction* actSavePage_ = nullptr;
    QAction* actClearDisplay_ = nullptr;
    QAction* actLoadLog_ = nullptr;
    QAction* actSaveLog_ = nullptr;
    QAction* actSelectPort_ = nullptr;
    QAction* actDisconnect_ = nullptr;
    QAction* actApollo_ = nullptr;
    QAction* actHochiki_ = nullptr;
    QAction* actUndo_ = nullptr;
    QAction* actRedo_ = nullptr;
    QMenu* mnuFile_ = nullptr;
    // Where the recent files are listed in the File menu.
    QAction* recentEnd_ = nullptr;
    QList<QAction*> recentActions_;
    std::unique_ptr<QSettings> ownSettings_;
    QSettings* settings_ = nullptr;
    std::unique_ptr<TUndoHistory> undo_;
    std::unique_ptr<TRecentFiles> recent_;
    int restoredPage_ = -1;
    QAction* actContents_ = nullptr;
    QAction* actAbout_ = nullptr;

    std::function<void()> openPrintSelection_;
    int helpContext_ = 100;
    int shownLoopCount_ = 2;
    TSystemType shownProtocol_ = stApolloLoop;
    bool startupDone_ = false;
    bool inPageChange_ = false;
    QString startupFile_;
    // The port chosen while an operation ran (0: none).
    int pendingPort_ = 0;

    TCheckConfigurationDock* checkDock_ = nullptr;
    TCompareDialog* compare_ = nullptr;
    QAction* actRecordCommsLog_ = nullptr;
    QAction* actVerifyAfterSave_ = nullptr;
    QAction* actBackupBeforeSave_ = nullptr;
    // A Save All of this window is running: verified when it completes.
    bool saveAllRunning_ = false;
    // Where the copy of the file being sent goes, beside the panel's copy (empty: none).
    QString sentCopyPath_;
    // Declared last: the link's tracing device refers to it until the window closes the link.
    std::unique_ptr<TCommsTrace> trace_;
};
