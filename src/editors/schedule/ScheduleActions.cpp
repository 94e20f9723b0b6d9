#include "editors/schedule/ScheduleActions.h"

#include "editors/schedule/ScheduleImportDialog.h"
#include "model/Data.h"
#include "schedule/DeviceSchedule.h"
#include "schedule/ScheduleFiles.h"
#include "storage/Prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// Schedules go beside the configuration, named after it.
QString SuggestedPath(const TData& data, const QString& extension)
{
    if (data.FileName.isEmpty())
        return QStringLiteral("devices.") + extension;
    const QFileInfo file(data.FileName);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(" devices.") + extension);
}

} // namespace

bool ExportDeviceScheduleTo(const TData& data, const QString& path, TPrompts& prompts)
{
    QString error;
    if (!WriteSchedule(data, path, LocaleListSeparator(), &error)) {
        prompts.error(error, ScheduleExportCaption);
        return false;
    }
    prompts.information(QStringLiteral("%1 devices were written to %2.")
                            .arg(ScheduleRows(data).size())
                            .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())),
                        ScheduleExportCaption);
    return true;
}

void ExportDeviceSchedule(const TData& data, TPrompts& prompts, QWidget* parent)
{
    QString filter;
    QString path = QFileDialog::getSaveFileName(parent, ScheduleExportCaption,
                                                SuggestedPath(data, QStringLiteral("csv")),
                                                ScheduleExportFilter, &filter);
    if (path.isEmpty())
        return;
    // The chosen type names the file when the engineer typed no extension.
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QStringLiteral("xlsx")) ? QStringLiteral(".xlsx") : QStringLiteral(".csv");
    ExportDeviceScheduleTo(data, path, prompts);
}

bool ImportDeviceScheduleFrom(const TData& data, const QString& path, TPrompts& prompts,
                              QWidget* parent, const TApplySchedule& apply)
{
    QString text;
    QString error;
    if (!ReadScheduleText(path, text, &error)) {
        prompts.error(error, ScheduleImportCaption);
        return false;
    }
    const TSchedulePlan plan = PlanScheduleImport(data, text);
    if (!ConfirmScheduleChanges(plan, path, parent))
        return false;
    apply(plan.Changes);
    return true;
}

void ImportDeviceSchedule(const TData& data, TPrompts& prompts, QWidget* parent,
                          const TApplySchedule& apply)
{
    const QString folder = data.FileName.isEmpty() ? QString() : QFileInfo(data.FileName).path();
    const QString path =
        QFileDialog::getOpenFileName(parent, ScheduleImportCaption, folder, ScheduleImportFilter);
    if (!path.isEmpty())
        ImportDeviceScheduleFrom(data, path, prompts, parent, apply);
}
