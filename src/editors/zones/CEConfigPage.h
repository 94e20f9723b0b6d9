#pragma once

#include "editors/common/Page.h"
#include "model/CauseEffect.h"
#include "model/IndexedArray.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "C && E Config": the 16 special cause-and-effect events (action and target, the condition
// that triggers it and the one that resets it, each with its truth choice) and the 16 timer
// times. Every choice is encoded into the event at once; a refresh decodes all 16.
class TfrmCEConfig : public TPage {
    Q_OBJECT

public:
    explicit TfrmCEConfig(TEditorContext& context, QWidget* parent = nullptr);

    void Refresh() override;
    void ProtocolApplied() override { Refresh(); }

    // The controls of one condition (trigger or reset) of an event row.
    struct TConditionControls {
        QLabel* When = nullptr;            // "Occurs when...." / "Resets when...."
        QComboBox* Condition = nullptr;
        QComboBox* Truth = nullptr;        // "= TRUE" / "= FALSE"
        QComboBox* Target = nullptr;       // the target, or the first event of an AND
        QLabel* And = nullptr;             // "AND"
        QComboBox* SecondEvent = nullptr;  // the second event of an AND
        QLabel* Loop = nullptr;
        QPushButton* Device = nullptr;     // "Device Selection"
        TCETargetKind Kind = tkNone;       // what Target holds now
    };
    struct TRow {
        QLabel* Number = nullptr;
        QComboBox* Action = nullptr;
        QComboBox* ActionTarget = nullptr;
        QLabel* ActionLoop = nullptr;
        QPushButton* ActionDevice = nullptr;
        TCETargetKind ActionKind = tkNone;
        TConditionControls Trigger;
        TConditionControls Reset;
    };
    const TRow& Row(int event) const { return rows_[event]; }
    QLineEdit* TimeField(int n) const { return times_[n]; }
    bool FirmwareNoticeSuppressed() const { return noticeSuppressed_; }

private:
    void BuildRow(int event, class QGridLayout* grid, int gridRow);
    void BuildCondition(int event, TCEConditionSlot slot, TConditionControls& c, QGridLayout* grid,
                        int gridRow, int column, int number);
    void ShowRow(int event);
    void ShowCondition(int event, TCEConditionSlot slot);
    // Fills a target list when the kind of list it shows changes; a selection beyond the list
    // shows nothing and the stored target is kept.
    void ShowTarget(QComboBox* list, TCETargetKind& shownKind, TCETargetKind kind, int target);
    void ChooseDevice(int event, int which);
    void FirmwareNotice();

    TIndexedArray<TRow, 1, CEEventCount> rows_;
    TIndexedArray<QLineEdit*, 1, CETimeCount> times_;
    int noLoopDevices_ = -1;
    bool noticeSuppressed_ = false;
    bool noticeOpen_ = false;
};
