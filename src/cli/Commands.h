#pragma once

#include "cli/Cli.h"

// One function per command, each in its own file; the table in Commands.cpp lists them.
int RunInfoCommand(const QStringList& args, TCliContext& context);
int RunResaveCommand(const QStringList& args, TCliContext& context);
int RunReportCommand(const QStringList& args, TCliContext& context);
int RunDownloadCommand(const QStringList& args, TCliContext& context);
int RunUploadCommand(const QStringList& args, TCliContext& context);
int RunEventsCommand(const QStringList& args, TCliContext& context);
int RunPortsCommand(const QStringList& args, TCliContext& context);
int RunCheckCommand(const QStringList& args, TCliContext& context);
int RunDiffCommand(const QStringList& args, TCliContext& context);
int RunChangesCommand(const QStringList& args, TCliContext& context);
int RunExportDevicesCommand(const QStringList& args, TCliContext& context);
int RunImportDevicesCommand(const QStringList& args, TCliContext& context);
