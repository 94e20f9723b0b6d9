#pragma once

class TZOLPanelComms;

// The settings the tool gives its packet component before first use (they override the
// component's own defaults), then the component's loading completion: 200 ms poll, 4 s input
// and output time-outs, no parity, no flow control, panel 0.
void ApplyPanelLinkSettings(TZOLPanelComms& comms);
