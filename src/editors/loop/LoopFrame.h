#pragma once

#include "editors/common/Page.h"
#include "model/Placement.h"

#include <QTimer>

#include <array>

class QLabel;
class QMenu;
class QScrollArea;
class TDevice_Selection_Frame;
class TLoopGrid;
class TQEMLoop;

// The "Loop 1" and "Loop 2" pages: the device toolbar, the loop grid and a five-panel status
// bar. A click places the toolbar's type at the point (with the questions and refusals of
// the loop's protocol); a double-click, "Edit Device", F2 or Enter on a fitted device asks
// for the device dialogs through EditDeviceRequested. Keyboard: the arrows move the cursor
// cell, Space places, Enter places on an empty point and edits a fitted one, Delete removes,
// the digits 1..9 press the toolbar's buttons.
class TfrmLoop : public TPage {
    Q_OBJECT

public:
    TfrmLoop(TEditorContext& context, int loop, QWidget* parent = nullptr);

    void Refresh() override;
    void PageActivated() override;
    void ProtocolApplied() override;
    void LoopCountChanged() override;

    int LoopNumber() const { return loop_; }
    // The point under the mouse or the keyboard cursor (0 when none).
    int CurrentAddress() const { return currentAddress_; }
    int SelectedType() const;
    TDevice_Selection_Frame* Toolbar() const { return toolbar_; }
    TLoopGrid* Grid() const { return grid_; }
    // The five status panels' texts.
    QStringList StatusTexts() const;

    // Places the toolbar's type at point as a click does; true when the point changed.
    bool PlaceSelected(int point);
    // "Reset Parameters" on point.
    void ResetParameters(int point);

signals:
    // The device dialogs are wanted for a point of this loop; after them the page is refreshed.
    void EditDeviceRequested(int loop, int address);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TQEMLoop& Loop() const;
    bool CanEdit(int point) const;
    void RequestEdit(int point);
    bool Place(int point, int type, bool askFirst);
    void OnClicked(int point);
    void OnDoubleClicked(int point);
    void OnActivated(int point, bool enter);
    void OnRemove(int point);
    void OnContextMenu(int point, const QPoint& globalPos);
    void OnPendingClick();
    void SetCurrentAddress(int point);
    void ShowStatus();
    void Rebuild();

    int loop_;
    int currentAddress_ = 0;
    TDevice_Selection_Frame* toolbar_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    TLoopGrid* grid_ = nullptr;
    std::array<QLabel*, 5> status_{};
    QMenu* popup_ = nullptr;
    QAction* actEdit_ = nullptr;
    QAction* actReset_ = nullptr;
    // A click whose question waits for the double-click time: a double-click asks it instead.
    QTimer pendingClick_;
    int pendingPoint_ = 0;
};
