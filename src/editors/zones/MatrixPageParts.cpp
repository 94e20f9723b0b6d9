#include "editors/zones/MatrixPageParts.h"

#include "model/Zones.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

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

QScrollArea* MatrixScrollArea(TOutputMatrix* matrix, QLayout* captions, const QString& objectName,
                              QWidget* parent)
{
    auto* scroll = new QScrollArea(parent);
    scroll->setObjectName(objectName);
    auto* content = new QWidget(scroll);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    if (captions)
        layout->addLayout(captions);
    layout->addWidget(matrix);
    scroll->setWidget(content);
    const int bar = scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
    const int frame = 2 * scroll->frameWidth();
    scroll->setMaximumWidth(content->sizeHint().width() + frame + bar);
    // The zone labels and five outputs at least.
    scroll->setMinimumWidth(matrix->CellRect(0, 6).left() + frame + bar);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return scroll;
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
