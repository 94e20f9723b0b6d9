#pragma once

#include <QDialog>

class TData;
class TLoopGrid;

// "Device Selection": one loop's grid, read only. A click on a fitted device (or Space/Enter
// on it) chooses its point and closes the window; clicks on empty cells leave it open.
class TfrmChoose_Device : public QDialog {
    Q_OBJECT

public:
    TfrmChoose_Device(TData& data, int loop, const QString& buttonsIniPath,
                      QWidget* parent = nullptr);

    // The chosen point, 0 while none is chosen.
    int Address() const { return address_; }
    TLoopGrid* Grid() const { return grid_; }

    // Shows the window for loop 1 or 2 and gives the chosen point, or 0 when cancelled.
    // The grid's icons follow the toolbar file (Protocol_Buttons.ini beside the program
    // unless another is named).
    static int Choose(QWidget* parent, TData& data, int loop,
                      const QString& buttonsIniPath = QString());

private:
    void OnChosen(int point);

    TData& data_;
    int loop_;
    TLoopGrid* grid_ = nullptr;
    int address_ = 0;
};
