#pragma once

#include "schedule/ScheduleImport.h"

#include <QList>
#include <QString>

#include <functional>

class QWidget;
class TData;
class TPrompts;

// The File menu's "Export Device Schedule..." and "Import Device Schedule...": the main
// window calls these and keeps the undo step to itself.
using TApplySchedule = std::function<void(const QList<TScheduleChange>& changes)>;

// Asks where to write (CSV or XLSX, beside the configuration) and writes; a failure is
// reported through prompts.
void ExportDeviceSchedule(const TData& data, TPrompts& prompts, QWidget* parent);
bool ExportDeviceScheduleTo(const TData& data, const QString& path, TPrompts& prompts);

// Asks for a CSV schedule, shows its changes (or its refused cells) and, when the engineer
// accepts, hands the changes to apply, which applies them with ApplyScheduleChanges as one
// undo step.
void ImportDeviceSchedule(const TData& data, TPrompts& prompts, QWidget* parent,
                          const TApplySchedule& apply);
bool ImportDeviceScheduleFrom(const TData& data, const QString& path, TPrompts& prompts,
                              QWidget* parent, const TApplySchedule& apply);
