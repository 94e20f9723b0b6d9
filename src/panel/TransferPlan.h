#pragma once

#include "panel/TransferOutcome.h"
#include "storage/Prompts.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// What a reply handler made of the reply to its request.
enum class TReplyVerdict {
    Taken,        // stored (or nothing to store): the block goes on
    NotAccepted,  // the reply is the panel's, but unusable (too short, out of range): a failure
    Stale,        // an answer to an earlier request (another point): dropped, nothing counted
    Ended,        // the handler ended the operation (a refusal, a question answered Abort)
};

// One request of a block and what to do with its answer. A read is answered by a packet with
// the request's letter; a write (OnReply empty) by ACK.
struct TExchange {
    QByteArray Request;
    QString Status;         // shown as the request first goes out; empty keeps the line
    int Maximum = -1;       // a new bar maximum, set before Position; -1 keeps it
    int Position = -1;      // -1 keeps the bar where it is
    quint32 TimeOutMs = 0;  // the answer time-out from this request on; 0 keeps it
    std::function<TReplyVerdict(char letter, const QByteArray& payload)> OnReply;
    std::function<void()> OnAck;
    QByteArray AlsoAccepts;  // reply letters besides the request's own that the step takes
    // The request deletes on the panel: never sent again blind. After a fault its block is
    // told (OnUncertain) and asked for its next request, which finds where the panel stands.
    bool Deletes = false;
    std::function<void()> OnUncertain;
    // Sent only once the line has settled, so that its answer cannot be an earlier answer
    // delivered again (the reads that find where the panel stands after a fault).
    bool AfterQuiet = false;
};

// A block of the configuration (the zones, loop 1's points…): its title for the overall
// progress and the source of its requests, one after the other. Next is asked again after
// every answer taken; an empty result ends the block. Its state lives in the closure, made
// fresh for every operation. A block that saw a line fault is proven by sending its requests
// again one at a time, unless asking again would change the panel (a request that deletes):
// such a block proves itself.
struct TTransferBlock {
    QString Title;
    std::function<std::optional<TExchange>()> Next;
    bool Repeatable = true;
    // Runs after a proof stored reads that differ from the first ones (what the block's end
    // works out from its replies).
    std::function<void()> OnRestored = {};
};

// An operation: its blocks in the order they run.
struct TTransferPlan {
    QString Name;               // "Load All", "Save All", "Zone Config"…
    bool Saves = false;         // writes to the panel: an early end leaves it partly saved
    bool RefreshAtEnd = false;  // the active page is redrawn when it completes
    std::vector<TTransferBlock> Blocks;
    // Runs once the operation has completed, its last answer proven.
    std::function<void()> OnCompleted = {};
};

// How the end of an operation is told to the user.
enum class TEndNotice { None, Information, Warning, Error, ErrorWithBeep, WarnIfPartlySaved };

// What a block may do besides exchanging messages: the engine running it.
class TPlanHost {
public:
    virtual ~TPlanHost() = default;
    // A question asked during the operation; nullopt when the operation ended meanwhile (the
    // question runs a nested event loop in which Cancel may be pressed).
    virtual std::optional<TPromptAnswer> Ask(const QString& text, TPromptButtons buttons,
                                             TPromptKind kind) = 0;
    virtual void End(TTransferOutcome outcome, const QString& message, TEndNotice notice) = 0;
    // The operation has done all it needs before its last block: it completes now.
    virtual void Complete(bool refreshActivePage) = 0;
    // Runs work that may open windows (a nested event loop) while the operation waits;
    // false when the operation ended meanwhile.
    virtual bool Aside(const std::function<void()>& work) = 0;
};
