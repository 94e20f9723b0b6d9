#pragma once

#include <QString>

// How a panel operation ended. Callers (the desktop program, zolctl, the read-backs) decide on
// this, never on the wording of a message.
enum class TTransferOutcome {
    Completed,
    Cancelled,
    NotStarted,        // refused before anything was sent: busy, a check, the user said No
    PortNotOpened,
    NoHandshake,       // the panel never answered the handshake
    ProtocolMismatch,
    PortLost,          // the port vanished or the panel stopped answering part-way
    Refused,           // the panel refused a request again and again
    Unproven,          // a block that saw a line fault, or a save read back, could not be proven
    // Save Changes found the panel not as last proven (edited at its keypad or by another
    // computer, another panel, or no proven state): nothing was written.
    PanelChanged,
};

struct TTransferResult {
    TTransferOutcome Outcome = TTransferOutcome::NotStarted;
    // A save that ended early after writing to the panel: it holds part old, part new data.
    bool PartlySaved = false;
    // The panel acknowledged a write, however the operation ended.
    bool Wrote = false;
    // What the user was told, for logs and zolctl's stderr; never parsed.
    QString Message;
    qint64 ElapsedMs = 0;
    // The line as this run measured it: the longest time from a send to its whole answer,
    // and the settle window worked out from it (0 when the line never had to settle).
    qint64 LongestAnswerMs = 0;
    int SettleMs = 0;

    bool Completed() const { return Outcome == TTransferOutcome::Completed; }
};
