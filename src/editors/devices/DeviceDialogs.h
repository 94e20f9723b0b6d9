#pragma once

class QWidget;
class TQEMLoop;
struct TEditorContext;

// Whether a point is edited in "I/O Configuration" (multi-channel units, the Hochiki
// sounder controller with groups) rather than "Device Configuration".
bool UsesIOConfig(const TQEMLoop& loop, int point);

// The dialog sequence on point address of loop (1 or 2): "Device Configuration" or
// "I/O Configuration" by the point's class, reopened on the next address after "Next ->"
// (staying on the last) and on the previous after "<- Prev" (staying on the first). After
// every dialog that wrote, the name table is rebuilt and the document marked modified.
// Returns whether anything was written.
bool EditDevices(TEditorContext& context, int loop, int address, QWidget* parent);
