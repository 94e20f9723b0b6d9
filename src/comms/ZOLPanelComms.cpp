#include "comms/ZOLPanelComms.h"

QByteArray ZolFrame(quint8 panelNumber, const QByteArray& message)
{
    QByteArray body(1, static_cast<char>(panelNumber));
    body += message;
    body.append(static_cast<char>(ZolChecksum(body)));
    return QByteArray(1, SOH) + body;
}

void TZOLPanelComms::SendPacket(const QByteArray& message)
{
    if (message == HandshakeMessage())
        PanelNumber = 0;
    dCharsReceived_ = 0;
    Send(ZolFrame(static_cast<quint8>(PanelNumber & 0xFF), message));
}
