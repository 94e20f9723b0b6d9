#pragma once

#include "cli/TransferCommand.h"

class TCommsTrace;
class TData;

// Opens the --trace file when one was given and joins it to the arguments; false after
// reporting why it cannot be written.
bool OpenTraceOption(TCliContext& context, TTransferArguments& arguments, TCommsTrace& trace);

// A Load All from the panel into data (a scratch document nothing else uses). The exit code.
int LoadPanelInto(TCliContext& context, const TTransferArguments& arguments, TData& data);
