#pragma once

#include "cli/TransferCommand.h"

#include "safety/ConfigCheck.h"

class TCommsTrace;
class TData;

// A save's check: its errors, one line each on standard error, and when refused (errors
// without --force) the failure that ends the command; ecSuccess when the save may go on.
int ReportCheck(TCliContext& context, const QList<TFinding>& findings, bool refused);

// Opens the --trace file when one was given and joins it to the arguments; false after
// reporting why it cannot be written.
bool OpenTraceOption(TCliContext& context, TTransferArguments& arguments, TCommsTrace& trace);

// A Load All from the panel into data (a scratch document nothing else uses). The exit code.
int LoadPanelInto(TCliContext& context, const TTransferArguments& arguments, TData& data);
