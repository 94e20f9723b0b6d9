#include "editors/zones/MatrixPageParts.h"

#include "model/Zones.h"

#include <QToolButton>

#include <algorithm>

QList<TMatrixColumn> OutputColumns(bool withRelays)
{
    QList<TMatrixColumn> columns;
    columns.append({TMatrixColumn::mcLabel, 45, 0, QString()});
    const int separators[] = {6, 5, 6};
    for (int output = 1; output <= 16; ++output) {
        columns.append({TMatrixColumn::mcOutput, 45, output, QString::number(output)});
        if (output % 5 == 0)
            columns.append({TMatrixColumn::mcSeparator, separators[output / 5 - 1], 0, QString()});
    }
    if (withRelays) {
        columns.append({TMatrixColumn::mcSeparator, 6, 0, QString()});
        columns.append({TMatrixColumn::mcOutput, 45, 17, QStringLiteral("1")});
        columns.append({TMatrixColumn::mcOutput, 45, 18, QStringLiteral("2")});
    }
    return columns;
}

QToolButton* MakePaintTool(const QString& caption, const QString& objectName, TMatrixPicture picture,
                           QWidget* parent)
{
    auto* tool = new QToolButton(parent);
    tool->setObjectName(objectName);
    tool->setText(caption);
    tool->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    tool->setIcon(MatrixPictureIcon(picture));
    tool->setIconSize(QSize(22, 22));
    tool->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tool->setCheckable(true);
    tool->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return tool;
}

bool ForEachOutputCell(const TOutputMatrix& matrix, int firstRow, int lastRow, int firstColumn,
                       int lastColumn, const std::function<void(int zone, int output)>& paint)
{
    bool any = false;
    for (int row = std::max(firstRow, 1); row <= std::min(lastRow, MaxZone); ++row)
        for (int c = firstColumn; c <= lastColumn; ++c) {
            const TMatrixColumn& column = matrix.Column(c);
            if (column.Kind != TMatrixColumn::mcOutput)
                continue;
            paint(row, column.Output);
            any = true;
        }
    return any;
}

void ShowChosenTool(const QList<QToolButton*>& tools, int chosen)
{
    for (int v = 0; v < tools.size(); ++v)
        tools[v]->setChecked(v == chosen);
}
