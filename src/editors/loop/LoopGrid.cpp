#include "editors/loop/LoopGrid.h"

#include "editors/loop/DeviceArtwork.h"
#include "model/Data.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollArea>
#include <QtMath>

namespace {

const QColor FittedColour(0, 128, 0);
const QColor MismatchColour(255, 255, 0);
const QColor FrameColour(128, 128, 128);

} // namespace

TLoopGrid::TLoopGrid(TData& data, int loop, bool withSpareRow, QWidget* parent)
    : QWidget(parent), data_(data), loop_(loop), withSpareRow_(withSpareRow),
      geometry_(data.Loop(loop).SystemType, withSpareRow)
{
    setObjectName(QStringLiteral("dwgLoop%1").arg(loop));
    setAccessibleName(QStringLiteral("Loop %1 devices").arg(loop));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(geometry_.Width(), geometry_.Height());
}

void TLoopGrid::SetButtons(const TDeviceButtons& buttons)
{
    buttons_ = buttons;
    update();
}

void TLoopGrid::Relay()
{
    geometry_ = TLoopGeometry(data_.Loop(loop_).SystemType, withSpareRow_);
    setFixedSize(geometry_.Width(), geometry_.Height());
    if (cursor_ >= geometry_.CellCount())
        cursor_ = 0;
    update();
}

QRect TLoopGrid::CellRect(int cell) const
{
    if (cell < 0)
        return {};
    return QRect((cell % TLoopGeometry::Columns) * TLoopGeometry::CellWidth,
                 (cell / TLoopGeometry::Columns) * TLoopGeometry::CellHeight,
                 TLoopGeometry::CellWidth, TLoopGeometry::CellHeight);
}

void TLoopGrid::RepaintPoint(int point)
{
    update(CellRect(geometry_.CellOfPoint(point)));
}

void TLoopGrid::SetCursorCell(int cell)
{
    if (cell < 0 || cell >= geometry_.CellCount())
        return;
    update(CellRect(cursor_));
    cursor_ = cell;
    update(CellRect(cursor_));
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            const QRect r = CellRect(cursor_);
            area->ensureVisible(r.center().x(), r.center().y(), r.width() / 2, r.height() / 2);
            break;
        }
    emit PointHovered(CursorPoint());
}

int TLoopGrid::PointAt(const QPoint& pos) const
{
    return geometry_.PointOfCell(geometry_.CellAt(pos.x(), pos.y()));
}

void TLoopGrid::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect area = event->rect();
    p.fillRect(area, palette().button());
    const TQEMLoop& loop = data_.Loop(loop_);
    const int firstRow = area.top() / TLoopGeometry::CellHeight;
    const int lastRow = std::min(area.bottom() / TLoopGeometry::CellHeight, geometry_.Rows() - 1);
    const int firstColumn = area.left() / TLoopGeometry::CellWidth;
    const int lastColumn =
        std::min(area.right() / TLoopGeometry::CellWidth, TLoopGeometry::Columns - 1);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column)
            PaintCell(p, row * TLoopGeometry::Columns + column, loop);

    if (hasFocus() && cursor_ >= 0 && cursor_ < geometry_.CellCount()) {
        p.setPen(QPen(palette().highlight().color(), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(CellRect(cursor_).adjusted(2, 2, -3, -3));
    }
}

// A fitted cell without its address: fill, icon and frame in one opaque picture, so a paint
// copies it instead of blending the icon anew.
QPixmap TLoopGrid::FittedCell(TSystemType type, int icon, bool baseSounder, bool mismatch,
                              qreal dpr) const
{
    const quint64 key = quint64(type) | quint64(quint32(icon)) << 8 | quint64(baseSounder) << 40
        | quint64(mismatch) << 41 | quint64(qRound(dpr * 100) & 0x7FFF) << 42;
    const auto it = cells_.constFind(key);
    if (it != cells_.constEnd())
        return *it;
    // Device pixels, rounded up so that neighbouring cells leave no seam.
    const QSize size(qCeil(TLoopGeometry::CellWidth * dpr), qCeil(TLoopGeometry::CellHeight * dpr));
    QPixmap cell(size);
    cell.fill(mismatch ? MismatchColour : FittedColour);
    QPainter p(&cell);
    p.scale(dpr, dpr);
    p.drawPixmap(QPoint(2, 2), DeviceArtwork::GridIcon(type, icon, baseSounder, dpr));
    p.setPen(FrameColour);
    p.drawRect(QRect(0, 0, TLoopGeometry::CellWidth, TLoopGeometry::CellHeight).adjusted(0, 0, -1, -1));
    p.end();
    cells_.insert(key, cell);
    return cell;
}

void TLoopGrid::PaintCell(QPainter& p, int cell, const TQEMLoop& loop) const
{
    const int point = geometry_.PointOfCell(cell);
    if (point == 0)
        return;
    const QRect r = CellRect(cell);
    const TDeviceType& d = loop.Devices[point];
    if (loop.IsFitted(point)) {
        // Copied in device pixels at a whole-pixel position: at a fractional scale a cell
        // would otherwise be resampled on every paint.
        const qreal dpr = p.device()->devicePixelRatioF();
        const QPixmap cellPicture = FittedCell(loop.SystemType, buttons_.IconIndex(d.TypeCode),
                                               loop.BaseSounderFitted(point), d.TypeMismatch, dpr);
        const QPointF at = p.worldTransform().map(QPointF(r.topLeft())) * dpr;
        p.save();
        p.setWorldTransform(QTransform::fromScale(1 / dpr, 1 / dpr));
        p.drawPixmap(QPoint(qRound(at.x()), qRound(at.y())), cellPicture);
        p.restore();
    } else {
        p.setPen(FrameColour);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }

    // The address on a button-face patch, so it reads on any fill.
    const QString text = loop.PointLabel(point);
    const QFontMetrics fm = p.fontMetrics();
    const int w = fm.horizontalAdvance(text) + 6;
    const int h = fm.height();
    const bool lettered = loop.SystemType == stSysSensorLoop || loop.SystemType == stNittanLoop;
    const QRect textBox = lettered ? QRect(r.left() + 20, r.bottom() - 20, w, h)
                                   : QRect(r.center().x() - w / 2, r.bottom() - 17, w, h);
    p.fillRect(textBox, palette().button());
    p.setPen(Qt::black);
    p.drawText(textBox, Qt::AlignCenter, text);
}

void TLoopGrid::mouseMoveEvent(QMouseEvent* event)
{
    emit PointHovered(PointAt(event->position().toPoint()));
}

void TLoopGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int cell = geometry_.CellAt(pos.x(), pos.y());
    emit PointHovered(geometry_.PointOfCell(cell));
    if (event->button() != Qt::LeftButton)
        return;
    doubleClicked_ = false;
    pressedCell_ = cell;
    if (cell >= 0)
        SetCursorCell(cell);
}

void TLoopGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int cell = geometry_.CellAt(pos.x(), pos.y());
    const bool click = event->button() == Qt::LeftButton && cell == pressedCell_ && !doubleClicked_;
    pressedCell_ = -1;
    doubleClicked_ = false;
    const int point = geometry_.PointOfCell(cell);
    if (click && point != 0)
        emit PointClicked(point);
}

void TLoopGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The release that ends a double-click is not another click.
    doubleClicked_ = true;
    const int point = PointAt(event->position().toPoint());
    if (point != 0)
        emit PointDoubleClicked(point);
}

void TLoopGrid::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() == QContextMenuEvent::Mouse) {
        const int point = PointAt(event->pos());
        emit PointHovered(point);
        emit ContextMenuRequested(point, event->globalPos());
        return;
    }
    emit ContextMenuRequested(CursorPoint(), mapToGlobal(CellRect(cursor_).center()));
}

void TLoopGrid::keyPressEvent(QKeyEvent* event)
{
    const int columns = TLoopGeometry::Columns;
    const int visibleRows = std::max(1, parentWidget() ? parentWidget()->height() / TLoopGeometry::CellHeight : 1);
    int target = cursor_;
    switch (event->key()) {
    case Qt::Key_Left: target = cursor_ - 1; break;
    case Qt::Key_Right: target = cursor_ + 1; break;
    case Qt::Key_Up: target = cursor_ - columns; break;
    case Qt::Key_Down: target = cursor_ + columns; break;
    case Qt::Key_PageUp: target = std::max(cursor_ % columns, cursor_ - visibleRows * columns); break;
    case Qt::Key_PageDown: {
        target = cursor_ + visibleRows * columns;
        while (target >= geometry_.CellCount())
            target -= columns;
        break;
    }
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = geometry_.CellCount() - 1; break;
    case Qt::Key_Space:
        emit PointActivated(CursorPoint(), false);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit PointActivated(CursorPoint(), true);
        return;
    case Qt::Key_F2:
        emit EditRequested(CursorPoint());
        return;
    case Qt::Key_Delete:
        emit RemoveRequested(CursorPoint());
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (target >= 0 && target < geometry_.CellCount())
        SetCursorCell(target);
}

void TLoopGrid::focusInEvent(QFocusEvent* event)
{
    update(CellRect(cursor_));
    emit PointHovered(CursorPoint());
    QWidget::focusInEvent(event);
}

void TLoopGrid::focusOutEvent(QFocusEvent* event)
{
    update(CellRect(cursor_));
    QWidget::focusOutEvent(event);
}
