#pragma once

#include "schedule/ScheduleImport.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

inline const QString ScheduleImportCaption = QStringLiteral("Import Device Schedule");
inline const QString ScheduleExportCaption = QStringLiteral("Export Device Schedule");
inline const QString ScheduleImportFilter = QStringLiteral("Device schedule (*.csv);;All Files (*)");
inline const QString ScheduleExportFilter =
    QStringLiteral("Device schedule, CSV (*.csv);;Excel workbook (*.xlsx)");

// The changes a device schedule makes, for the engineer to accept or cancel before anything
// in the configuration changes: a tree with a branch for added, changed, removed and
// untouched devices (with their counts), each device with the values that change. A refused
// schedule lists its refused cells and can only be closed.
class TfrmScheduleImport : public QDialog {
    Q_OBJECT

public:
    // A pasted block (source empty) is spoken of as a paste, not as a schedule file.
    TfrmScheduleImport(const TSchedulePlan& plan, const QString& source, QWidget* parent = nullptr);

private:
    void ShowChanges(const TSchedulePlan& plan);
    void ShowRefusals(const TSchedulePlan& plan);
    // As wide as the cells' texts want, within the screen; what is still too long wraps.
    void FitToContent();

    bool paste_ = false;
    QLabel* lblCounts_ = nullptr;
    QTreeWidget* tvwChanges_ = nullptr;
    QPushButton* btnAccept_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

// The refusal of a block pasted into the Loop Summary.
void ShowPasteRefusal(const TSchedulePlan& plan, QWidget* parent);

// Shows the plan read from source; true when the engineer accepted changes. The caller then
// applies plan.Changes with ApplyScheduleChanges as one undo step.
bool ConfirmScheduleChanges(const TSchedulePlan& plan, const QString& source, QWidget* parent);
