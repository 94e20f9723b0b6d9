#include "editors/devices/SummaryClipboard.h"

#include "editors/devices/LoopSummaryModel.h"
#include "editors/schedule/ScheduleImportDialog.h"
#include "model/Data.h"
#include "schedule/ScheduleImport.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QShortcut>
#include <QTableView>

#include <algorithm>

void InstallSummaryClipboard(QTableView& table, TData& data, std::function<int()> loop,
                             std::function<void()> pasted)
{
    auto* copy = new QShortcut(QKeySequence::Copy, &table);
    copy->setContext(Qt::WidgetShortcut);
    QObject::connect(copy, &QShortcut::activated, &table, [&table, &data, loop] {
        QList<int> points;
        for (const QModelIndex& row : table.selectionModel()->selectedRows())
            points.append(TLoopSummaryModel::PointOfRow(row.row()));
        if (points.isEmpty() && table.currentIndex().isValid())
            points.append(TLoopSummaryModel::PointOfRow(table.currentIndex().row()));
        if (points.isEmpty())
            return;
        std::sort(points.begin(), points.end());
        QApplication::clipboard()->setText(ScheduleCopyText(data, loop(), points));
    });

    auto* paste = new QShortcut(QKeySequence::Paste, &table);
    paste->setContext(Qt::WidgetShortcut);
    QObject::connect(paste, &QShortcut::activated, &table, [&table, &data, loop, pasted] {
        const QModelIndex current = table.currentIndex();
        const QString block = QApplication::clipboard()->text();
        if (!current.isValid() || block.trimmed().isEmpty())
            return;
        // A block of two columns (as the Loop Summary copies it) is zone and description,
        // into whichever of the two columns the cursor is.
        const bool twoColumns = block.split(QLatin1Char('\n')).first().contains(QLatin1Char('\t'));
        const TPasteColumn column =
            current.column() == scName && !twoColumns ? pcDescription : pcZone;
        const TSchedulePlan plan = PlanSchedulePaste(
            data, loop(), TLoopSummaryModel::PointOfRow(current.row()), column, block);
        if (plan.Refused()) {
            ShowPasteRefusal(plan, table.window());
            return;
        }
        if (ApplyScheduleChanges(data, plan.Changes, QStringLiteral("Paste")))
            pasted();
    });
}
