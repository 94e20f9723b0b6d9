#include "editors/zones/MatrixPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor NoneColour(150, 150, 150);
const QColor PulsedColour(230, 140, 0);
const QColor ContinuousColour(200, 0, 0);
const QColor DelayedColour(0, 70, 200);

} // namespace

void DrawMatrixPicture(QPainter& painter, const QRectF& cell, TMatrixPicture picture)
{
    const qreal size = std::min(cell.width(), cell.height()) * 0.7;
    const QRectF box(cell.center().x() - size / 2, cell.center().y() - size / 2, size, size);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    switch (picture) {
    case mpNone:
        painter.setPen(QPen(NoneColour, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box.adjusted(size * 0.2, size * 0.2, -size * 0.2, -size * 0.2));
        break;
    case mpPulsed: {
        // A square wave of three pulses.
        QPainterPath wave;
        const qreal step = box.width() / 6;
        const qreal top = box.top() + size * 0.15;
        const qreal bottom = box.bottom() - size * 0.15;
        wave.moveTo(box.left(), bottom);
        for (int i = 0; i < 3; ++i) {
            const qreal x = box.left() + 2 * i * step;
            wave.lineTo(x, top);
            wave.lineTo(x + step, top);
            wave.lineTo(x + step, bottom);
            wave.lineTo(x + 2 * step, bottom);
        }
        painter.setPen(QPen(PulsedColour.darker(130), 2.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(wave);
        break;
    }
    case mpContinuous:
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(ContinuousColour);
        painter.drawRect(box.adjusted(0, size * 0.15, 0, -size * 0.15));
        break;
    case mpDelayed: {
        painter.setPen(QPen(DelayedColour, 1.8));
        painter.setBrush(QColor(220, 230, 255));
        painter.drawEllipse(box);
        const QPointF c = box.center();
        painter.drawLine(c, QPointF(c.x(), box.top() + size * 0.18));
        painter.drawLine(c, QPointF(box.right() - size * 0.22, c.y()));
        break;
    }
    case mpUnknown:
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    painter.restore();
}

QIcon MatrixPictureIcon(TMatrixPicture picture)
{
    QIcon icon;
    for (int side : {16, 24, 32, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        DrawMatrixPicture(painter, QRectF(0, 0, side, side), picture);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

TMatrixPicture GroupPicture(int value)
{
    switch (value) {
    case 0: return mpNone;
    case 1: return mpPulsed;
    case 2: return mpContinuous;
    }
    return mpUnknown;
}

TMatrixPicture SetPicture(int value)
{
    switch (value) {
    case 0: return mpNone;
    case 1: return mpPulsed;
    case 2: return mpContinuous;
    case 3: return mpDelayed;
    }
    return mpUnknown;
}

QString GroupValueText(int value)
{
    switch (value) {
    case 0: return QStringLiteral("Off");
    case 1: return QStringLiteral("Pulsed");
    case 2: return QStringLiteral("Continuous");
    }
    return QStringLiteral("Unknown value ") + QString::number(value);
}

QString SetValueText(int value)
{
    switch (value) {
    case 0: return QStringLiteral("Not Triggered");
    case 1: return QStringLiteral("Pulsed");
    case 2: return QStringLiteral("Continuous");
    case 3: return QStringLiteral("Delayed");
    }
    return QStringLiteral("Unknown value ") + QString::number(value);
}
