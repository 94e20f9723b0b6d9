#include "panel/NetworkMessages.h"

#include "model/Data.h"
#include "panel/Message.h"

QByteArray NetworkNameRequest(int panel)
{
    return TMessage(']').Byte(panel).Bytes();
}

QByteArray NetworkFittedRequest(int panel)
{
    return TMessage('a').Byte(panel).Bytes();
}

QByteArray NetworkMatrixRequest()
{
    return TMessage('u').Bytes();
}

QByteArray NetworkSummaryRequest()
{
    return TMessage('e').Bytes();
}

QByteArray PanelNameRequest()
{
    return TMessage('g').Bytes();
}

QByteArray NetworkNameWrite(const TData& data, int panel)
{
    const QString name = FitText(data.RepeaterList.Repeaters[panel].Name, 2);
    return TMessage('^').Byte(panel).Text(name).Byte(0).Bytes();
}

QByteArray NetworkFittedWrite(const TData& data, int panel)
{
    return TMessage('b').Byte(panel).Byte(data.RepeaterList.Repeaters[panel].Fitted ? 0xFF : 0)
        .Bytes();
}

QByteArray SegmentWrite(const TData& data)
{
    return TMessage('f').Byte(data.RepeaterList.Segment).Bytes();
}

QByteArray NetworkMatrixWrite(const TData& data)
{
    TMessage message('v');
    for (int n = 1; n <= MaxNetworkPanels; ++n)
        message.Byte(NetworkMatrixByte(data, n));
    return message.Bytes();
}

QByteArray PanelNameWrite(const TData& data)
{
    return TMessage('h').Text(FitText(data.RepeaterList.PanelName, 0)).Bytes();
}

void ReadNetworkName(TData& data, int panel, const QByteArray& payload)
{
    data.RepeaterList.Repeaters[panel].Name = TReply(payload).TrimmedText();
}

bool ReadNetworkFitted(TData& data, int panel, const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(1))
        return false;
    data.RepeaterList.Repeaters[panel].Fitted = reply.Byte(0) == 0xFF;
    return true;
}

bool ReadNetworkMatrix(TData& data, const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(MaxNetworkPanels))
        return false;
    TZOL_Network& net = data.Network;
    for (int n = 1; n <= MaxNetworkPanels; ++n) {
        const int b = reply.Byte(n - 1);
        data.RepeaterList.Repeaters[n].Fitted = b & 0x01;
        net.AcceptFaults[n] = b & 0x02;
        net.AcceptAlarms[n] = b & 0x04;
        net.AcceptControls[n] = b & 0x08;
        net.AcceptDisablements[n] = b & 0x10;
        net.AcceptOccupied[n] = b & 0x20;
    }
    return true;
}

void ReadPanelName(TData& data, const QByteArray& payload)
{
    data.RepeaterList.PanelName = TReply(payload).TrimmedText();
}

int NetworkMatrixByte(const TData& data, int panel)
{
    const TZOL_Network& net = data.Network;
    return (data.RepeaterList.Repeaters[panel].Fitted ? 0x01 : 0)
        | (net.AcceptFaults[panel] ? 0x02 : 0) | (net.AcceptAlarms[panel] ? 0x04 : 0)
        | (net.AcceptControls[panel] ? 0x08 : 0) | (net.AcceptDisablements[panel] ? 0x10 : 0)
        | (net.AcceptOccupied[panel] ? 0x20 : 0);
}
