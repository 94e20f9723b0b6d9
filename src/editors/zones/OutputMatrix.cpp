#include "editors/zones/OutputMatrix.h"

#include "model/Zones.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVarLengthArray>
#include <QPaintEvent>
#include <QScrollArea>
#include <QScrollBar>

TOutputMatrix::TOutputMatrix(const QList<TMatrixColumn>& columns, QWidget* parent)
    : QWidget(parent), columns_(columns)
{
    // The label column holds the row and a zone name of average length (longer names are
    // cut short with "…"; the spoken description has them whole); the others are as drawn.
    const int labelWidth = fontMetrics().horizontalAdvance(QStringLiteral("Panel 88 \u2013 Plant room 1")) + 10;
    for (TMatrixColumn& c : columns_) {
        if (c.Kind == TMatrixColumn::mcLabel)
            c.Width = std::max(c.Width, labelWidth);
        left_.append(width_);
        width_ += c.Width;
    }
    for (int c = 0; c < columns_.size(); ++c)
        if (columns_[c].Kind == TMatrixColumn::mcOutput) {
            cursor_ = anchor_ = QPoint(c, 1);
            break;
        }
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint());
}

QSize TOutputMatrix::sizeHint() const
{
    return {width_ + 1, RowCount * RowHeight + 1};
}

QRect TOutputMatrix::CellRect(int row, int column) const
{
    return {left_[column], row * RowHeight, columns_[column].Width, RowHeight};
}

QScrollArea* TOutputMatrix::Area() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(w))
            return area;
    return nullptr;
}

int TOutputMatrix::FrozenLeft() const
{
    const QScrollArea* area = Area();
    if (!area)
        return 0;
    const int hidden = -mapTo(area->viewport(), QPoint(0, 0)).x();
    return std::clamp(hidden, 0, std::max(0, width_ - columns_[0].Width));
}

void TOutputMatrix::showEvent(QShowEvent* event)
{
    // A sideways scroll moves the drawn pixels with it: the frozen labels are drawn again.
    if (QScrollArea* area = Area(); area && !followsScroll_) {
        followsScroll_ = true;
        connect(area->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
    }
    QWidget::showEvent(event);
}

QPoint TOutputMatrix::CellAt(const QPoint& position) const
{
    const int row = std::clamp(position.y() / RowHeight, 0, RowCount - 1);
    const int frozen = FrozenLeft();
    if (frozen > 0 && position.x() >= frozen && position.x() < frozen + columns_[0].Width)
        return {0, row};
    int column = int(columns_.size()) - 1;
    for (int c = 0; c < columns_.size(); ++c)
        if (position.x() < left_[c] + columns_[c].Width) {
            column = c;
            break;
        }
    return {std::max(column, 0), row};
}

QString TOutputMatrix::RowLabel(int row) const
{
    if (RowName)
        return RowName(row);
    return row <= MaxFireZone ? QStringLiteral("Zone ") + QString::number(row)
                              : QStringLiteral("Panel ") + QString::number(row - MaxFireZone);
}

QString TOutputMatrix::CellDescription(int row, int column) const
{
    if (row < 1 || row >= RowCount || column < 0 || column >= columns_.size()
        || columns_[column].Kind != TMatrixColumn::mcOutput)
        return QString();
    const int output = columns_[column].Output;
    const int value = ValueAt ? ValueAt(row, output) : 0;
    return RowLabel(row) + QStringLiteral(", ") + (OutputName ? OutputName(output) : QString::number(output))
        + QStringLiteral(": ") + (ValueText ? ValueText(value) : QString::number(value));
}

QRect TOutputMatrix::SelectionRect() const
{
    // QRect::normalized() shifts reversed corners by one cell, so the corners are sorted here.
    return QRect(QPoint(std::min(anchor_.x(), cursor_.x()), std::min(anchor_.y(), cursor_.y())),
                 QPoint(std::max(anchor_.x(), cursor_.x()), std::max(anchor_.y(), cursor_.y())));
}

const QPixmap& TOutputMatrix::Picture(TMatrixPicture picture) const
{
    // Pictures are drawn once per screen scale and then copied into each cell.
    const qreal ratio = devicePixelRatioF();
    if (ratio != pictureRatio_) {
        for (QPixmap& p : pictures_)
            p = QPixmap();
        pictureRatio_ = ratio;
    }
    QPixmap& pixmap = pictures_[picture];
    if (pixmap.isNull()) {
        const QSize cell(45, RowHeight);
        pixmap = QPixmap(cell * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        DrawMatrixPicture(painter, QRectF(QPointF(0, 0), QSizeF(cell)), picture);
    }
    return pixmap;
}

void TOutputMatrix::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    const int firstRow = std::max(0, dirty.top() / RowHeight);
    const int lastRow = std::min(RowCount - 1, dirty.bottom() / RowHeight);
    const QColor headerFill(225, 225, 225);
    const QRect selection = (dragging_ || extending_) ? SelectionRect() : QRect();
    QFont bold = font();
    bold.setBold(true);
    painter.fillRect(dirty, Qt::white);
    if (firstRow == 0)
        painter.fillRect(QRect(0, 0, width_, RowHeight), headerFill);
    painter.fillRect(QRect(0, 0, columns_[0].Width, height()), headerFill);

    QVarLengthArray<QLine, 128> lines;
    for (int c = 0; c < columns_.size(); ++c) {
        const TMatrixColumn& col = columns_[c];
        if (left_[c] > dirty.right() || left_[c] + col.Width < dirty.left())
            continue;
        const int top = firstRow * RowHeight;
        const int bottom = (lastRow + 1) * RowHeight;
        if (col.Kind == TMatrixColumn::mcSeparator) {
            painter.fillRect(QRect(left_[c], top, col.Width, bottom - top), palette().color(QPalette::Dark));
            continue;
        }
        lines.append(QLine(left_[c], top, left_[c], bottom));
        lines.append(QLine(left_[c] + col.Width, top, left_[c] + col.Width, bottom));
        for (int r = firstRow; r <= lastRow; ++r) {
            const QRect cell = CellRect(r, c);
            if (col.Kind == TMatrixColumn::mcLabel)
                continue;
            if (r == 0) {
                painter.setPen(palette().color(QPalette::WindowText));
                painter.setFont(bold);
                painter.drawText(cell.adjusted(4, 0, -2, 0), Qt::AlignCenter, col.Header);
                continue;
            }
            if (selection.isValid() && selection.contains(c, r))
                painter.fillRect(cell, QColor(200, 220, 255));
            const int value = ValueAt ? ValueAt(r, col.Output) : 0;
            const QPixmap& picture = Picture(PictureOf ? PictureOf(value) : mpUnknown);
            painter.drawPixmap(cell.left() + (cell.width() - 45) / 2, cell.top(), picture);
        }
    }
    for (int r = firstRow; r <= lastRow + 1; ++r)
        lines.append(QLine(dirty.left(), r * RowHeight, std::min(dirty.right(), width_), r * RowHeight));
    painter.setPen(QColor(160, 160, 160));
    painter.drawLines(lines.data(), int(lines.size()));
    PaintLabels(painter, FrozenLeft(), firstRow, lastRow);
    if (hasFocus() && cursor_.y() >= firstRow && cursor_.y() <= lastRow) {
        QPen pen(palette().color(QPalette::Highlight), 3);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(CellRect(cursor_.y(), cursor_.x()).adjusted(1, 1, -2, -2));
    }
}

void TOutputMatrix::PaintLabels(QPainter& painter, int left, int firstRow, int lastRow)
{
    const int w = columns_[0].Width;
    const int top = firstRow * RowHeight;
    const int bottom = (lastRow + 1) * RowHeight;
    painter.fillRect(QRect(left, top, w, bottom - top), QColor(225, 225, 225));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    for (int r = std::max(firstRow, 1); r <= lastRow; ++r) {
        const QRect cell = QRect(left, r * RowHeight, w, RowHeight).adjusted(4, 0, -2, 0);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(RowLabel(r), Qt::ElideRight, cell.width()));
    }
    painter.setPen(QColor(160, 160, 160));
    for (int r = firstRow; r <= lastRow + 1; ++r)
        painter.drawLine(left, r * RowHeight, left + w, r * RowHeight);
    painter.drawLine(left, top, left, bottom);
    painter.drawLine(left + w, top, left + w, bottom);
}

void TOutputMatrix::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint cell = CellAt(event->position().toPoint());
    anchor_ = cursor_ = cell;
    dragging_ = true;
    extending_ = false;
    update();
}

void TOutputMatrix::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    const QPoint cell = CellAt(event->position().toPoint());
    if (cell != cursor_) {
        cursor_ = cell;
        update();
    }
}

void TOutputMatrix::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging_ || event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    cursor_ = CellAt(event->position().toPoint());
    const QPoint from = anchor_;
    // The keyboard cursor stays where the mouse let go.
    anchor_ = cursor_;
    RequestPaint(from, cursor_);
    Announce();
}

void TOutputMatrix::RequestPaint(QPoint from, QPoint to)
{
    emit PaintRequested(std::min(from.y(), to.y()), std::max(from.y(), to.y()), std::min(from.x(), to.x()),
                        std::max(from.x(), to.x()));
    update();
}

void TOutputMatrix::keyPressEvent(QKeyEvent* event)
{
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left: MoveCursor(0, -1, extend); break;
    case Qt::Key_Right: MoveCursor(0, 1, extend); break;
    case Qt::Key_Up: MoveCursor(-1, 0, extend); break;
    case Qt::Key_Down: MoveCursor(1, 0, extend); break;
    case Qt::Key_Home: SetCursor({cursor_.x(), 1}, extend); break;
    case Qt::Key_End: SetCursor({cursor_.x(), RowCount - 1}, extend); break;
    case Qt::Key_Space:
        RequestPaint(anchor_, cursor_);
        Announce();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TOutputMatrix::MoveCursor(int rowStep, int columnStep, bool extend)
{
    QPoint cell = cursor_;
    cell.setY(std::clamp(cell.y() + rowStep, 1, RowCount - 1));
    if (columnStep != 0) {
        // Separators and the label column are stepped over.
        int c = cell.x() + columnStep;
        while (c >= 0 && c < columns_.size() && columns_[c].Kind != TMatrixColumn::mcOutput)
            c += columnStep;
        if (c >= 0 && c < columns_.size())
            cell.setX(c);
    }
    SetCursor(cell, extend);
}

void TOutputMatrix::SetCursor(QPoint cell, bool extend)
{
    cursor_ = cell;
    if (!extend)
        anchor_ = cell;
    extending_ = extend || anchor_ != cursor_;
    // Inside a scroll area the cursor is kept in view, clear of the frozen labels.
    if (QScrollArea* area = Area(); area && area->widget()) {
        const QRect r = CellRect(cursor_.y(), cursor_.x());
        const QPoint centre = mapTo(area->widget(), r.center());
        area->ensureVisible(centre.x(), centre.y(), r.width() / 2 + columns_[0].Width, r.height());
    }
    Announce();
    update();
}

void TOutputMatrix::Announce()
{
    const QString text = CellDescription(cursor_.y(), cursor_.x());
    setAccessibleDescription(text);
    QAccessibleEvent e(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&e);
}

void TOutputMatrix::focusInEvent(QFocusEvent* event)
{
    Announce();
    update();
    QWidget::focusInEvent(event);
}

void TOutputMatrix::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}
