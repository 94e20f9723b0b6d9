#include "app/ScheduleCommands.h"

#include "app/MainActions.h"
#include "editors/schedule/ScheduleActions.h"
#include "model/Data.h"

#include <QAction>
#include <QWidget>

void ConnectScheduleCommands(const TMainActions& actions, QWidget& window, TData& data,
                             TPrompts& prompts, std::function<bool(const QString&)> refused)
{
    QObject::connect(actions.ExportSchedule, &QAction::triggered, &window,
                     [&] { ExportDeviceSchedule(data, prompts, &window); });
    QObject::connect(actions.ImportSchedule, &QAction::triggered, &window, [&, refused] {
        if (refused(QStringLiteral("Import Device Schedule")))
            return;
        // The changes are applied in one go, so the history keeps them as one step.
        ImportDeviceSchedule(data, prompts, &window, [&](const QList<TScheduleChange>& changes) {
            ApplyScheduleChanges(data, changes);
        });
    });
}
