#include "panel/PanelLink.h"

#include "comms/ZOLPanelComms.h"

void ApplyPanelLinkSettings(TZOLPanelComms& comms)
{
    comms.SetSendBufferSize(2048);
    comms.SetRcvBufferSize(4096);
    comms.SetTickInterval(200);
    comms.SetTimeOut(20);
    comms.SetInputTimeOut(4000);
    comms.SetOutputTimeout(4000);
    comms.SetComPortParity(ptNONE);
    comms.SetComPortHwHandshaking(hhNONE);
    comms.SetComPortSwHandshaking(shNONE);
    comms.PanelNumber = 0;
    comms.Loaded();
}
