#pragma once

#include "model/SystemType.h"

// How a loop's addresses are laid out as cells of the grid: 9 columns of 85 x 100 cells,
// cell i = row * 9 + column. System Sensor puts two blank rows between the sensors S1..S99
// and the modules M1..M99.
class TLoopGeometry {
public:
    static constexpr int Columns = 9;
    static constexpr int CellWidth = 85;
    static constexpr int CellHeight = 100;

    // withSpareRow: the loop pages add a row unless (cells + 1) is a multiple of 9; the
    // "Device Selection" window shows just the rows that hold addresses.
    TLoopGeometry(TSystemType type, bool withSpareRow);

    int CellCount() const { return cells_; }
    int Rows() const { return rows_; }
    int Width() const { return Columns * CellWidth; }
    int Height() const { return rows_ * CellHeight; }

    // The point shown in cell i, or 0 for a blank cell (the System Sensor gap, cells beyond
    // the last address, or an index outside the grid).
    int PointOfCell(int cell) const;
    // The cell showing point, or -1 when the point has no cell.
    int CellOfPoint(int point) const;
    // The cell under a position in the grid's own coordinates, or -1.
    int CellAt(int x, int y) const;

private:
    TSystemType type_;
    int shown_ = 0; // addresses shown
    int gap_ = 0;   // blank cells after the sensors
    int cells_ = 0;
    int rows_ = 0;
};
