#include "safety/PanelReadBack.h"

#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/PanelLink.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"

#include <QEventLoop>

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

    bool completed = false;
    bool ended = false;
    QEventLoop loop;
    QObject::connect(&sequencer, &TTransferSequencer::Finished, &loop, [&](bool ok) {
        completed = ok;
        ended = true;
        loop.quit();
    });
    const bool started = sequencer.LoadAll();
    if (started && !ended)
        loop.exec();
    comms.Close();
    if (!completed && error)
        *error = started ? QStringLiteral("The configuration could not be read from the panel.")
                         : QStringLiteral("The load from the panel did not start.");
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
