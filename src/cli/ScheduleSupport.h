#pragma once

#include "cli/Cli.h"

#include <QChar>

class TData;

// Opens a configuration for the schedule commands; a file of the older tool family must be
// converted first (zolctl resave). False after reporting why.
bool OpenScheduleConfiguration(TCliContext& context, const QString& path, TData& document);
// The --separator value: one character, or "tab". False after a usage error.
bool ParseSeparator(TCliContext& context, const QString& value, QChar& separator);
