#pragma once

#include "editors/common/Page.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QModelIndex;
class QSpinBox;
class QTableView;
class QTimer;
class TCellDropDown;
class TDevice_Selection_Frame;
class TCellTextDelegate;
class TLoopSummaryModel;
class TSummaryZones;

// "Loop Summary": one text row per address of the chosen loop, with the type, zone (group or
// set), description and base sounder of each; clicks on the columns change them. The zones
// or groups list on the right preselects the zone drop-down; the alarm verification counts
// sit below it.
class TfrmLoopSummary : public TPage {
    Q_OBJECT

public:
    explicit TfrmLoopSummary(TEditorContext& context, QWidget* parent = nullptr);

    void Refresh() override;
    void PageActivated() override;
    void ProtocolApplied() override;
    void LoopCountChanged() override;

    // The loop chosen in "Show summary for" (1 or 2).
    int SummaryLoop() const;
    void SetSummaryLoop(int loop);
    // Back to the first row and column.
    void ResetSelection();
    // "Enable Type/Zone changes" is cleared on every page change and after Open.
    void ClearTypeZoneChanges();
    // The name-table counters (and the I/O dialog's option words), switched on from the
    // about box.
    void SetNameCountersVisible(bool visible);
    // The toolbar offers the devices of the document's protocol (called whenever it may have
    // changed, shown or not).
    void FollowProtocol();
    // The page's device toolbar: its choice is what a Type click places.
    TDevice_Selection_Frame& DeviceToolbar() const { return *toolbar_; }

    // The click handling of a cell, as a mouse click and Enter run it.
    void CellClicked(const QModelIndex& index);

    QTableView* Table() const { return sgrdLoopSummary_; }

signals:
    void SummaryLoopChanged(int loop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    QWidget* BuildAlarmVerification();
    void Rebuild();
    void LoopChosen(int index);
    void StepDown();
    bool ChangesEnabled();
    void ChangeType(int point);
    void ChooseZone(const QModelIndex& index, int point);
    void ChooseBaseSounder(const QModelIndex& index, int point);
    void EditDevice(int point);
    void ZoneChosen(int point, int entry);
    void BaseSounderChosen(int point, int entry);
    void HideDropDowns();
    void UpdateCounters();
    void WarnWhenNamesFull();

    int loop_ = 1;
    bool loading_ = false;
    TLoopSummaryModel* model_ = nullptr;
    TCellTextDelegate* nameDelegate_ = nullptr;
    QComboBox* cmbShowSummaryFor_ = nullptr;
    QCheckBox* chkEnableChanges_ = nullptr;
    QHBoxLayout* toolbarSlot_ = nullptr;
    TDevice_Selection_Frame* toolbar_ = nullptr;
    QLabel* lblLoopType_ = nullptr;
    QTableView* sgrdLoopSummary_ = nullptr;
    TCellDropDown* cmbZoneDropDown_ = nullptr;
    TCellDropDown* cmbBaseSounderDropDown_ = nullptr;
    TSummaryZones* zones_ = nullptr;
    QGroupBox* grpAlarmVerification_ = nullptr;
    QSpinBox* spnMCPDelay_ = nullptr;
    QSpinBox* spnIODelay_ = nullptr;
    QSpinBox* spnDetectorDelay_ = nullptr;
    QLabel* lblNamesUsed_ = nullptr;
    QLabel* lblTotalCharacters_ = nullptr;
    QLabel* lblCharactersLeft_ = nullptr;
    QTimer* countersTimer_ = nullptr;
};
