#pragma once

#include <QIcon>
#include <QRectF>
#include <QString>

class QPainter;

// The pictures of the group and set matrices. Each value has its own shape as well as its
// own colour, so the matrices read on a black-and-white printout and for colour-blind eyes:
// a hollow ring for nothing, a square wave for pulsed, a solid block for continuous and a
// clock face for delayed.
enum TMatrixPicture { mpNone, mpPulsed, mpContinuous, mpDelayed, mpUnknown };

void DrawMatrixPicture(QPainter& painter, const QRectF& cell, TMatrixPicture picture);
QIcon MatrixPictureIcon(TMatrixPicture picture);

// Group values 0..2 and set values 0..3 as pictures and as the words a screen reader says.
TMatrixPicture GroupPicture(int value);
TMatrixPicture SetPicture(int value);
QString GroupValueText(int value);
QString SetValueText(int value);
