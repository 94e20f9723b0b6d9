#pragma once

#include <QByteArray>

class TData;

// The network: per panel 1..8 "]"/"^" the name and "a"/"b" the fitted flag; then "u"/"v" the
// matrix of accepted events, "g"/"h" this panel's name, "f" the segment. "e" is asked during
// a read but its reply carries nothing we keep.
QByteArray NetworkNameRequest(int panel);
QByteArray NetworkFittedRequest(int panel);
QByteArray NetworkMatrixRequest();
QByteArray NetworkSummaryRequest();
QByteArray PanelNameRequest();

QByteArray NetworkNameWrite(const TData& data, int panel);
QByteArray NetworkFittedWrite(const TData& data, int panel);
QByteArray SegmentWrite(const TData& data);
QByteArray NetworkMatrixWrite(const TData& data);
QByteArray PanelNameWrite(const TData& data);

void ReadNetworkName(TData& data, int panel, const QByteArray& payload);
bool ReadNetworkFitted(TData& data, int panel, const QByteArray& payload);
bool ReadNetworkMatrix(TData& data, const QByteArray& payload);
void ReadPanelName(TData& data, const QByteArray& payload);

// One matrix byte: bit 0 fitted, then faults, alarms, controls, disablements, occupied.
int NetworkMatrixByte(const TData& data, int panel);
