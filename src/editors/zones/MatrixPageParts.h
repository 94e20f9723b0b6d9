#pragma once

#include "editors/zones/MatrixPictures.h"
#include "editors/zones/OutputMatrix.h"

#include <QList>

#include <functional>

class QLayout;
class QScrollArea;
class QToolButton;
class QWidget;

// The matrix columns of the group and set pages: outputs 1..5, 6..10, 11..15 and 16 between
// separators of 6, 5 and 6 pixels; the set page adds a separator and the two panel relays.
QList<TMatrixColumn> OutputColumns(bool withRelays);
// The scroll area of a matrix, with the captions above its columns (or none) scrolling
// with it: as wide as the matrix where there is room, narrower on a small screen, where it
// scrolls sideways with the zone labels kept in view.
QScrollArea* MatrixScrollArea(TOutputMatrix* matrix, QLayout* captions, const QString& objectName,
                              QWidget* parent);
// A paint tool: a checkable button with the value's picture and caption.
QToolButton* MakePaintTool(const QString& caption, const QString& objectName, TMatrixPicture picture,
                           QWidget* parent);
// Gives every output cell of the rectangle (zone rows 1..40 only) to paint; whether any was.
bool ForEachOutputCell(const TOutputMatrix& matrix, int firstRow, int lastRow, int firstColumn,
                       int lastColumn, const std::function<void(int zone, int output)>& paint);
// Checks and unchecks the paint tools so that only the chosen one (or none, -1) is down.
void ShowChosenTool(const QList<QToolButton*>& tools, int chosen);
