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
};

struct TTransferResult {
    TTransferOutcome Outcome = TTransferOutcome::NotStarted;
    // A save that ended early after writing to the panel: it holds part old, part new data.
    bool PartlySaved = false;
    // What the user was told, for logs and zolctl's stderr; never parsed.
    QString Message;
    qint64 ElapsedMs = 0;

    bool Completed() const { return Outcome == TTransferOutcome::Completed; }
};
