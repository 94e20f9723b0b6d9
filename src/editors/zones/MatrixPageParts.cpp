#include "editors/zones/MatrixPageParts.h"

#include <QToolButton>

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
