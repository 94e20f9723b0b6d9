#pragma once

#include "app/MainActionStates.h"
#include "panel/PanelPages.h"
#include "panel/TransferOutcome.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QMainWindow;
class QSettings;
class TCheckConfigurationDock;
class TCompareDialog;
struct TDifference;
class TData;
struct TEditorContext;
class TPage;
class TPanelSession;
class TPrompts;
class TSaveAllWorkflow;
class TSaveChangesWorkflow;
struct TFinding;

// The Tools menu of the main window: the check with its dock, the comparisons with a file and
// with the panel, the communications log, and Save All with its safety net (check first, keep
// the panel's configuration and the copy sent, verify after).
class TSafetyTools : public QObject {
    Q_OBJECT

public:
    struct TSetup {
        QMainWindow& Window;
        TEditorContext& Context;
        TPanelSession& Session;
        QSettings* Settings = nullptr;
        // A configuration file to compare with (empty: cancelled).
        std::function<QString()> AskConfigFile;
        // Shows a page and gives it (null when it could not be built).
        std::function<TPage*(TPanelPage)> ShowPage;
        std::function<void(const QString&)> ShowStatus;
        // True (after saying why) while a transfer runs.
        std::function<bool(const QString& command)> RefusedWhileBusy;
    };

    explicit TSafetyTools(TSetup setup);
    ~TSafetyTools() override;

    void CheckConfiguration();
    bool CompareWithFile();
    bool CompareWithPanel();
    bool RecordCommsLog(bool record);
    // Save All with its safety net; whether the sending started.
    bool SaveAll();
    // Save Changes from the panel's proven state; whether the sending started. When the
    // panel is not as proven, a question whose Yes starts Save All.
    bool SaveChanges();

    TCheckConfigurationDock& CheckDock() { return *checkDock_; }
    TCompareDialog* CompareDialog() const { return compare_; }
    QAction* CompareWithPanelAction() const { return actCompareWithPanel_; }
    // The menu's commands, each with the row of the commands x states table it follows.
    std::vector<std::pair<QAction*, TWindowCommand>> Commands() const;

private:
    void OpenFinding(TPanelPage page, int item, const QString& field);
    void ShowComparison(const QString& caption, const QString& rightCaption,
                        const QList<TDifference>& differences);
    std::unique_ptr<TSaveAllWorkflow> MakeSaveAll();
    void TransferEnded(const TTransferResult& result);
    void SaveChangesEnded(const TTransferResult& result);
    void OfferSaveAll(const QString& why);
    bool ConfirmErrors(const QList<TFinding>& findings);
    TData& Data() const;

    TSetup setup_;
    TCheckConfigurationDock* checkDock_ = nullptr;
    TCompareDialog* compare_ = nullptr;
    QAction* actCheck_ = nullptr;
    QAction* actCompareWithFile_ = nullptr;
    QAction* actRecordCommsLog_ = nullptr;
    QAction* actCompareWithPanel_ = nullptr;
    QAction* actVerifyAfterSave_ = nullptr;
    QAction* actBackupBeforeSave_ = nullptr;
    // The Save All under way.
    std::unique_ptr<TSaveAllWorkflow> saveAll_;
    std::unique_ptr<TSaveChangesWorkflow> saveChanges_;
};
