#pragma once

#include "editors/zones/MatrixPictures.h"

#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <functional>

// One column of a zone matrix: the zone labels, a separator, or an output (group 1..16,
// set 1..16, relay 17..18).
struct TMatrixColumn {
    enum TKind { mcLabel, mcSeparator, mcOutput };
    TKind Kind = mcOutput;
    int Width = 45;
    int Output = 0;
    QString Header;
};

// The custom-painted zone × output matrix of the group and set pages: row 0 holds the column
// headers, rows 1..40 the zones 1..32 and panels 1..8. A click or a dragged rectangle asks the
// page to paint the chosen value; so does Space over the keyboard cursor (Shift+arrows
// stretch the rectangle). The current cell is read to a screen reader as its description.
class TOutputMatrix : public QWidget {
    Q_OBJECT

public:
    static constexpr int RowHeight = 28;
    static constexpr int RowCount = 41;

    TOutputMatrix(const QList<TMatrixColumn>& columns, QWidget* parent = nullptr);

    // The value of a zone's output, its picture and its spoken name; set by the page.
    std::function<int(int zone, int output)> ValueAt;
    std::function<TMatrixPicture(int value)> PictureOf;
    std::function<QString(int value)> ValueText;
    // "Group 3", "Set 3", "Relay 1": the output's name in the spoken cell description.
    std::function<QString(int output)> OutputName;
    // The label of row 1..40 ("Zone 3 – Plant Room"); "Zone 3" / "Panel 1" when unset.
    std::function<QString(int row)> RowName;

    int ColumnCount() const { return int(columns_.size()); }
    const TMatrixColumn& Column(int c) const { return columns_[c]; }
    // Cell rectangle of row r, column c in widget coordinates; the cell under a point.
    QRect CellRect(int row, int column) const;
    QPoint CellAt(const QPoint& position) const;
    QPoint CursorCell() const { return cursor_; }
    // What a screen reader says for the current cell: "Zone 3, Group 5: Pulsed".
    QString CellDescription(int row, int column) const;

    QSize sizeHint() const override;

signals:
    // Rows and columns of the rectangle between the two corners, in any order; the page
    // paints its chosen value into the output cells of rows 1..40 in it.
    void PaintRequested(int firstRow, int lastRow, int firstColumn, int lastColumn);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QString RowLabel(int row) const;
    // Inside a scroll area the label column stays in view while the matrix scrolls
    // sideways: the x at which it is drawn (0 when not scrolled).
    class QScrollArea* Area() const;
    int FrozenLeft() const;
    void PaintLabels(QPainter& painter, int left, int firstRow, int lastRow);
    void MoveCursor(int rowStep, int columnStep, bool extend);
    void SetCursor(QPoint cell, bool extend);
    void RequestPaint(QPoint from, QPoint to);
    QRect SelectionRect() const;
    void Announce();
    const QPixmap& Picture(TMatrixPicture picture) const;

    QList<TMatrixColumn> columns_;
    QList<int> left_;  // x of each column
    int width_ = 0;
    QPoint cursor_{1, 1};  // (column, row)
    QPoint anchor_{1, 1};
    bool dragging_ = false;
    bool extending_ = false;
    mutable QPixmap pictures_[mpUnknown + 1];
    mutable qreal pictureRatio_ = 0;
    bool followsScroll_ = false;
};
