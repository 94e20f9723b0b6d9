#pragma once

#include "comms/PanelComms.h"

// The packet link as the tool uses it: every frame carries the panel number,
// SOH, panel number, message, checksum over number and message. The handshake goes to panel 0.
class TZOLPanelComms : public TPanelComms {
public:
    void SendPacket(const QByteArray& message) override;

    // Only the low byte goes on the wire.
    int PanelNumber = 0;
};

// The frame TZOLPanelComms sends for a message to a panel.
QByteArray ZolFrame(quint8 panelNumber, const QByteArray& message);
