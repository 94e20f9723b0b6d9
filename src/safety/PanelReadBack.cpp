#include "safety/PanelReadBack.h"

#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/PanelLink.h"
#include "panel/TransferRunner.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"

TTransferResult ReadAllFromPanel(TData& scratch, const TPanelReadRequest& request,
                                 TPrompts& prompts, TTransferProgress& progress)
{
    TZOLPanelComms comms;
    ApplyPanelLinkSettings(comms);
    comms.Port().SetPortName(request.PortName);
    if (request.Trace)
        AttachTrace(comms.Port(), request.PortName, *request.Trace);
    scratch.PanelNumber = request.PanelNumber;
    TTransferSequencer sequencer(scratch, comms, prompts, progress, {});
    const TTransferResult result =
        TTransferRunner::Run(sequencer, [&] { return sequencer.LoadAll(); });
    comms.Close();
    return result;
}

bool LoadAllFromPanel(TData& scratch, const TPanelReadRequest& request, TPrompts& prompts,
                      TTransferProgress& progress, QString* error, TTransferResult* ended)
{
    const TTransferResult result = ReadAllFromPanel(scratch, request, prompts, progress);
    if (ended)
        *ended = result;
    if (!result.Completed() && error)
        *error = result.Outcome == TTransferOutcome::NotStarted
                     ? QStringLiteral("The load from the panel did not start.")
                     : result.Message.isEmpty()
                         ? QStringLiteral("The configuration could not be read from the panel.")
                         : QStringLiteral("The configuration could not be read from the panel: ")
                               + result.Message;
    return result.Completed();
}

bool VerifyPanel(const TData& sent, const TPanelReadRequest& request, TPrompts& prompts,
                 TTransferProgress& progress, QList<TDifference>& differences, QString* error,
                 TTransferResult* ended)
{
    differences.clear();
    TData readBack;
    if (!LoadAllFromPanel(readBack, request, prompts, progress, error, ended))
        return false;
    differences = TConfigDiff::CompareReadBack(sent, readBack);
    return true;
}
