#pragma once

#include "editors/loop/DeviceButtons.h"
#include "editors/loop/LoopGeometry.h"

#include <QHash>
#include <QPixmap>
#include <QWidget>

class TData;
class TQEMLoop;

// The loop drawn as a grid of device cells: one custom-painted widget that paints only the
// cells in the damaged area, so it scrolls and repaints cheaply inside a scroll area. It
// reports the point under the mouse and the keyboard cursor, and what the user did to a
// point; the page or dialog that holds it decides what that means.
class TLoopGrid : public QWidget {
    Q_OBJECT

public:
    // withSpareRow as for TLoopGeometry: the loop pages have it, "Device Selection" not.
    TLoopGrid(TData& data, int loop, bool withSpareRow, QWidget* parent = nullptr);

    // The icon lookup of the protocol's toolbar file.
    void SetButtons(const TDeviceButtons& buttons);
    // Lays the cells out again for the loop's protocol and repaints.
    void Relay();
    void RepaintPoint(int point);

    const TLoopGeometry& Geometry() const { return geometry_; }
    int Loop() const { return loop_; }
    // The keyboard cursor's cell and the point it shows (0 for a blank cell).
    int CursorCell() const { return cursor_; }
    int CursorPoint() const { return geometry_.PointOfCell(cursor_); }
    void SetCursorCell(int cell);
    // The rectangle of a cell, in the widget's coordinates.
    QRect CellRect(int cell) const;
    QPoint PointCentre(int point) const { return CellRect(geometry_.CellOfPoint(point)).center(); }

signals:
    // point is 0 for a blank cell or outside the cells.
    void PointHovered(int point);
    void PointClicked(int point);
    void PointDoubleClicked(int point);
    void ContextMenuRequested(int point, const QPoint& globalPos);
    // Keyboard: Space or Enter (enter tells which), F2, Delete on the cursor's point.
    void PointActivated(int point, bool enter);
    void EditRequested(int point);
    void RemoveRequested(int point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void PaintCell(QPainter& p, int cell, const TQEMLoop& loop) const;
    QPixmap FittedCell(TSystemType type, int icon, bool baseSounder, bool mismatch, qreal dpr) const;
    int PointAt(const QPoint& pos) const;

    TData& data_;
    int loop_;
    bool withSpareRow_;
    TLoopGeometry geometry_;
    TDeviceButtons buttons_;
    int cursor_ = 0;
    int pressedCell_ = -1;
    bool doubleClicked_ = false;
    mutable QHash<quint64, QPixmap> cells_;
};
