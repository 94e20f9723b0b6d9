#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QSettings;
class QWidget;
class TData;
class TfrmEventLog;
class TfrmStatus;
class TPrompts;
class TRecentFiles;

enum class TFileQuestion { fqOpen, fqSave, fqOpenLog, fqSaveLog, fqSaveCommsLog };

// The document's file side: New, Open, Save, Save As, the recent files list and the question
// before closing. Knows nothing of pages; what the window must follow it learns from the
// document's own announcements and from Replaced().
class TDocumentController : public QObject {
    Q_OBJECT

public:
    struct TSetup {
        TData& Data;
        TPrompts& Prompts;
        QWidget* Window;
        QSettings& Settings;
        // "Loading Data from Disk" while a file is read.
        TfrmStatus& Status;
        // Asks for a file to open or to save; empty when cancelled. Null: the file dialogs.
        std::function<QString(TFileQuestion)> ChooseFile;
        // True (after saying why) while a command must wait for a transfer.
        std::function<bool(const QString& command)> RefusedWhileBusy;
        // Editors give up the focus (and write what they hold) before a save.
        std::function<void()> SettleFocus;
    };

    explicit TDocumentController(TSetup setup);
    ~TDocumentController() override;

    // Each returns whether it did its work.
    bool New();
    bool Open();
    bool OpenFile(const QString& path);
    bool Save();
    bool SaveAs();
    // A configuration from the recent files list; a vanished one leaves the list.
    bool OpenRecent(const QString& path);
    // Before the window closes: false to keep it open (not saved, or the user cancelled).
    bool MayClose();

    QString AskFile(TFileQuestion question);
    TRecentFiles& RecentFiles() { return *recent_; }
    // The recent files are listed in menu before the entry before; enabled as given.
    void ShowRecentFiles(QMenu* menu, QAction* before);
    void EnableRecentFiles(bool enabled);
    // The event log page's Load Log and Save Log ask for their file here.
    void ConnectEventLog(QAction& load, QAction& save, TfrmEventLog& log);

signals:
    // New or Open replaced the document: a fresh start for undo and the Loop Summary.
    void Replaced(bool opened);
    // The title follows (a save names the file).
    void FileChanged();

private:
    // The access codes allow a save; when not, the user is told why.
    bool CodesAllowSave();
    void Remember(const QString& path);

    TSetup setup_;
    std::unique_ptr<TRecentFiles> recent_;
    QMenu* recentMenu_ = nullptr;
    QAction* recentEnd_ = nullptr;
    QList<QAction*> recentActions_;
    bool recentEnabled_ = true;
};
