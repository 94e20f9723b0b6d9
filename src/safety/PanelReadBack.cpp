#include "safety/PanelReadBack.h"

#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/PanelLink.h"
#include "panel/TransferRunner.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"

bool LoadAllFromPanel(TData& scratch, const TPanelReadRequest& request, TPrompts& prompts,
                      TTransferProgress& progress, QString* error)
{
    TZOLPanelComms comms;
    ApplyPanelLinkSettings(comms);
    comms.Port().SetPortName(request.PortName);
    if (request.Trace)
        AttachTrace(comms.Port(), request.PortName, *request.Trace);
    scratch.PanelNumber = request.PanelNumber;
    TTransferSequencer sequencer(scratch, comms, prompts, progress, {});

    const TTransferResult result = TTransferRunner::Run(sequencer, [&] { return sequencer.LoadAll(); });
    comms.Close();
    const bool completed = result.Completed();
    if (!completed && error)
        *error = result.Outcome == TTransferOutcome::NotStarted
                     ? QStringLiteral("The load from the panel did not start.")
                     : QStringLiteral("The configuration could not be read from the panel.");
    return completed;
}

bool VerifyPanel(const TData& sent, const TPanelReadRequest& request, TPrompts& prompts,
                 TTransferProgress& progress, QList<TDifference>& differences, QString* error)
{
    differences.clear();
    TData readBack;
    if (!LoadAllFromPanel(readBack, request, prompts, progress, error))
        return false;
    differences = TConfigDiff::CompareReadBack(sent, readBack);
    return true;
}
