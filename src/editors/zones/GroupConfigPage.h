#pragma once

#include "editors/common/Page.h"

#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;
class TOutputMatrix;
class TTimeSpinButton;

// "Group Config": which sounder groups each zone sounds and how (the painted matrix), the
// panel sounders' groups, phased delay, re-sound and the sounder tones of the protocol.
class TfrmGroupConfig : public TPage {
    Q_OBJECT

public:
    explicit TfrmGroupConfig(TEditorContext& context, QWidget* parent = nullptr);

    void Refresh() override;
    void ProtocolApplied() override;

    TOutputMatrix* Matrix() const { return matrix_; }
    // The value the tools paint; -1 when none is chosen.
    int ChosenValue() const { return chosen_; }
    QToolButton* Tool(int value) const { return tools_[value]; }
    QPushButton* SetAllButton(int value) const { return setAll_[value]; }
    TTimeSpinButton* PhasedDelaySpin() const { return spnPhasedDelay_; }

private:
    void ChooseTool(int value);
    void PaintCells(int firstRow, int lastRow, int firstColumn, int lastColumn);
    void SetAll(int value);
    static void ShowIndex(QComboBox* list, int index);

    TOutputMatrix* matrix_ = nullptr;
    QList<QToolButton*> tools_;
    QList<QPushButton*> setAll_;
    int chosen_ = 0;
    QSpinBox* spnPanelSounder1_ = nullptr;
    QSpinBox* spnPanelSounder2_ = nullptr;
    TTimeSpinButton* spnPhasedDelay_ = nullptr;
    QCheckBox* chkReSound_ = nullptr;
    QWidget* hochikiTones_ = nullptr;
    QWidget* otherTones_ = nullptr;
    QComboBox* cboHochikiPulsed_ = nullptr;
    QComboBox* cboHochikiContinuous_ = nullptr;
    QComboBox* cboContinuous_ = nullptr;
    QComboBox* cboPulsed_ = nullptr;
    bool refreshing_ = false;
};
