#pragma once

#include <QByteArray>

class TData;

// The shared name table: "C" reads one entry, "D" writes one; "D" for index 999 closes the list.
constexpr int NameListEnd = 999;

// The request carries only the low byte of the index.
QByteArray NameRequest(int index);
// The entry at index, or an empty name for any index past the table (the record after the
// last entry).
QByteArray NameWrite(const TData& data, int index);
QByteArray NameListEndWrite();

// An empty "C" reply (or a single NUL or blank) ends the list; one printable character is a
// name.
bool IsNameListEnd(const QByteArray& payload);
QString NameText(const QByteArray& payload);
