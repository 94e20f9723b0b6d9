#pragma once

#include "panel/TransferPlan.h"

#include <QElapsedTimer>
#include <QTimer>

#include <bitset>

#include <vector>

// What the line settles for: the step that follows a quiet line.
enum class TSettleReason {
    Resend,         // a fault: the request in flight goes again
    AfterRepeated,  // an answer to a request sent more than once: the others may follow
    Confirm,        // a proof's write is done once nothing follows its ACK
    BeforeProof,    // the blocks that saw faults are proven on a quiet line
    AfterProof,     // nothing may follow the proof's last answer
    Final,          // nothing may follow the last answer of the operation
    Uncertain,      // a request that deletes had a fault: its block finds out what happened
};

// An exchange taken, kept so that its block can be proven: the request goes again and its
// answer must agree.
struct TTakenExchange {
    TExchange Exchange;
    char Letter = 0;  // the reply's letter (ACK for a write)
    QByteArray Payload;
};

struct TBlockRecord {
    std::vector<TTakenExchange> Taken;
    bool Suspect = false;  // saw a fault (or may have taken a displaced answer): to be proven
    bool QuietChecked = false;  // a block that deletes starts only on a line known quiet
};

// Everything one operation knows, made when it starts and dropped when it ends, however it
// ends: the next operation cannot see any of it.
struct TTransferRun {
    explicit TTransferRun(TTransferPlan plan, int id)
        : Plan(std::move(plan)), Id(id), Records(Plan.Blocks.size())
    {
        Clock.start();
        SentClock.start();
        SettleTimer.setSingleShot(true);
        SettleTimer.setTimerType(Qt::PreciseTimer);
    }

    TTransferPlan Plan;
    const int Id;
    QElapsedTimer Clock;
    quint32 InitialTimeOut = 0;  // the link's answer time-out, put back at the end

    std::size_t Block = 0;    // the block running
    bool Connected = false;   // the handshake is done and the plan's requests go out
    std::optional<TExchange> InFlight;  // the request whose answer is awaited
    // The request's own deadline runs from its last send; bytes that are not its answer do
    // not move it.
    QElapsedTimer SentClock;
    int Sends = 0;            // sends of the request in flight
    int Answers = 0;          // answers to it so far (NAK, garbled, the one taken)
    int Failures = 0;         // NAKs, bad or stray answers and time-outs of the request in flight
    int Naks = 0;
    int TimeOuts = 0;
    QByteArray LastRefused;   // the last answer not accepted, for the message
    bool Wrote = false;       // a write was acknowledged by the panel

    // The line as measured in this run, for the settle window.
    qint64 LongestAnswerMs = 0;
    int LongestReply = 0;

    // After a fault the line settles before the next send; what arrives meanwhile belongs to
    // earlier sends and is discarded.
    QTimer SettleTimer;
    int SettleMs = 0;
    int LongestSettleMs = 0;
    int SettleExtensions = 0;
    bool SettleQuiet = true;  // nothing arrived during this settle
    TSettleReason Settling = TSettleReason::Resend;
    bool SendAfterSettle = false;  // the in-flight request goes (again) when the line is quiet
    bool LineQuiet = false;  // nothing was sent or arrived since a settle found the line quiet

    // Proving: the blocks that saw faults since the line was last known quiet.
    std::vector<TBlockRecord> Records;
    std::size_t SyncBlock = 0;   // the line was last quiet during this block
    // The reply letters of the requests sent since the line was last quiet: a packet with
    // another letter cannot be a displaced answer (a stray from elsewhere on the line).
    std::bitset<256> LettersSinceQuiet;
    bool Proving = false;
    std::size_t ProofBlock = 0;
    std::size_t ProofItem = 0;
    bool ProofChanged = false;   // a block's second read differed: its handlers run again
    int Disagreements = 0;       // reads of the item being proven that disagreed
    bool FinalChecked = false;
    int FinalChecks = 0;

    int Asking = 0;  // questions open that the operation waits on
};
