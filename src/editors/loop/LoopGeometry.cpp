#include "editors/loop/LoopGeometry.h"

namespace {

constexpr int SensorCount = 99;

} // namespace

TLoopGeometry::TLoopGeometry(TSystemType type, bool withSpareRow)
    : type_(type), shown_(MaxCellCountFor(type))
{
    if (type == stSysSensorLoop)
        gap_ = 2 * Columns - SensorCount % Columns;
    cells_ = shown_ + gap_;
    rows_ = cells_ / Columns;
    if (withSpareRow) {
        if ((cells_ + 1) % Columns != 0)
            ++rows_;
    } else if (cells_ % Columns != 0) {
        // A last part-row still holds addresses (Hochiki 253 and 254): it is shown.
        ++rows_;
    }
}

int TLoopGeometry::PointOfCell(int cell) const
{
    if (cell < 0 || cell >= cells_)
        return 0;
    if (gap_ == 0)
        return cell + 1;
    if (cell < SensorCount)
        return cell + 1;
    if (cell < SensorCount + gap_)
        return 0;
    return cell + 1 - gap_;
}

int TLoopGeometry::CellOfPoint(int point) const
{
    if (point < 1 || point > shown_)
        return -1;
    if (gap_ != 0 && point > SensorCount)
        return point - 1 + gap_;
    return point - 1;
}

int TLoopGeometry::CellAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return -1;
    return (y / CellHeight) * Columns + x / CellWidth;
}
