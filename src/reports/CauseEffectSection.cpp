#include "reports/CauseEffectTexts.h"
#include "reports/Reports.h"

#include "model/Data.h"

void TReports::PrintCauseEffectSection()
{
    const TC_ETable& table = data_.C_ETable;
    StartSection();
    Canvas().SetFontName(QStringLiteral("Times New Roman"));
    DrawTitle(QStringLiteral("Cause & Effect Configuration"));
    SetFont(10);

    BeginColumns();
    AddColumn(QStringLiteral("Timer Event"), 5);
    for (int t = 1; t <= CETimeCount; ++t)
        AddColumn(QStringLiteral("T") + QString::number(t), 2);
    EndRow();
    DrawTableBox(y_, y_ + h_);
    DrawColumnRules(y_, y_ + h_);
    CellText(1, QStringLiteral("Occurs at "));
    for (int t = 1; t <= CETimeCount; ++t)
        CellText(t + 1, table.Times[t]);
    y_ += 4 * h_;

    SetFont(10);
    BeginColumns();
    AddColumn(QString(), 1);
    AddColumn(QStringLiteral("What happens"), 7);
    AddColumn(QString(), 4);
    AddColumn(QStringLiteral("Occurs when"), 6);
    AddColumn(QString(), 3);
    AddColumn(QString(), 3);
    AddColumn(QString(), 3);
    AddColumn(QStringLiteral("Resets when"), 6);
    AddColumn(QString(), 3);
    AddColumn(QString(), 3);
    AddColumn(QString(), 3);
    EndRow();
    DrawTableBox(y_, y_ + CEEventCount * h_);
    DrawColumnRules(y_, y_ + CEEventCount * h_);

    const int devices = data_.NoLoopDevices();
    for (int e = 1; e <= CEEventCount; ++e) {
        CellText(1, QString::number(e));
        if (table.Events[e].Action == 0) {
            CellText(2, QStringLiteral("No Event"));
        } else {
            // Long texts ("Zone or Panel in Fire") stay inside their column.
            const TCERowTexts row = CERowTexts(table.Events[e], devices);
            FittedCellText(2, row.Action);
            FittedCellText(3, row.ActionTarget);
            FittedCellText(4, row.Trigger);
            FittedCellText(5, row.TriggerFirstEvent);
            FittedCellText(6, row.TriggerTarget);
            FittedCellText(7, row.TriggerTruth);
            FittedCellText(8, row.Reset);
            FittedCellText(9, row.ResetFirstEvent);
            FittedCellText(10, row.ResetTarget);
            FittedCellText(11, row.ResetTruth);
        }
        DrawRowRule();
        EndRow();
    }
    DrawPageFooter();
}
