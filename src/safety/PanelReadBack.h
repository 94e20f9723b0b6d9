#pragma once

#include "panel/TransferOutcome.h"
#include "safety/ConfigDiff.h"

#include <QString>

class TCommsTrace;
class TData;
class TPrompts;
class TTransferProgress;

// Where a scratch Load All reads from: the port (COM1..COM8, a device path or "demo"), the
// panel number, and a communications log to record into (none when null).
struct TPanelReadRequest {
    QString PortName;
    int PanelNumber = 1;
    TCommsTrace* Trace = nullptr;
};

// A Load All from the panel into scratch, a document nothing else uses, on a link of its own
// (the program's own link must be closed meanwhile). Runs the event loop until the load ends;
// the user sees progress and messages through progress and prompts. Returns how it ended.
TTransferResult ReadAllFromPanel(TData& scratch, const TPanelReadRequest& request,
                                 TPrompts& prompts, TTransferProgress& progress);
// The same, for callers that only report: false with the reason in error when it did not
// complete; the typed end goes to ended when given.
bool LoadAllFromPanel(TData& scratch, const TPanelReadRequest& request, TPrompts& prompts,
                      TTransferProgress& progress, QString* error, TTransferResult* ended = nullptr);

// Verify after a Save All: reads the panel back and compares it with what was sent. False
// when the panel could not be read (error says why, ended how the read ended); otherwise
// differences holds what the panel does not hold as sent (empty when it is all there).
bool VerifyPanel(const TData& sent, const TPanelReadRequest& request, TPrompts& prompts,
                 TTransferProgress& progress, QList<TDifference>& differences, QString* error,
                 TTransferResult* ended = nullptr);
