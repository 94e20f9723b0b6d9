#pragma once

#include <QByteArray>

class TData;

// Output sets of a zone: "i" reads sets 1..18, "j" writes them in the order 17, 18, 1..16.
// Index 0 is zone 0, whose entries are the silenceable flags. Both carry the set delay.
QByteArray SetRequest(int index);
QByteArray SetWrite(const TData& data, int index);
bool ReadSets(TData& data, int index, const QByteArray& payload);
