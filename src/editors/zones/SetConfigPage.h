#pragma once

#include "editors/common/Page.h"
#include "model/IndexedArray.h"
#include "model/Zones.h"

#include <QList>

class QCheckBox;
class QPushButton;
class QToolButton;
class TOutputMatrix;
class TTimeSpinButton;

// "Set Config": which output sets and panel relays each zone triggers and how (the painted
// matrix), which sets are silenceable, and the delay of delayed sets.
class TfrmSetConfig : public TPage {
    Q_OBJECT

public:
    explicit TfrmSetConfig(TEditorContext& context, QWidget* parent = nullptr);

    void Refresh() override;

    TOutputMatrix* Matrix() const { return matrix_; }
    // The value the tools paint; -1 when none is chosen.
    int ChosenValue() const { return chosen_; }
    QToolButton* Tool(int value) const { return tools_[value]; }
    QPushButton* ClearAllButton() const { return btnClearAll_; }
    QCheckBox* SilenceableBox(int set) const { return silenceable_[set]; }
    TTimeSpinButton* DelayTimeSpin() const { return spnDelayTime_; }

private:
    void ChooseTool(int value);
    void PaintCells(int firstRow, int lastRow, int firstColumn, int lastColumn);
    void ClearAll();

    TOutputMatrix* matrix_ = nullptr;
    QList<QToolButton*> tools_;
    QPushButton* btnClearAll_ = nullptr;
    TIndexedArray<QCheckBox*, 1, MaxSet> silenceable_;
    TTimeSpinButton* spnDelayTime_ = nullptr;
    int chosen_ = srNotTriggered;
};
