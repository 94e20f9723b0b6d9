#pragma once

#include "editors/zones/MatrixPictures.h"
#include "editors/zones/OutputMatrix.h"

#include <QList>

class QToolButton;
class QWidget;

// The matrix columns of the group and set pages: outputs 1..5, 6..10, 11..15 and 16 between
// separators of 6, 5 and 6 pixels; the set page adds a separator and the two panel relays.
QList<TMatrixColumn> OutputColumns(bool withRelays);
// A paint tool: a checkable button with the value's picture and caption.
QToolButton* MakePaintTool(const QString& caption, const QString& objectName, TMatrixPicture picture,
                           QWidget* parent);
