#pragma once

#include "panel/TransferPlan.h"

#include <QElapsedTimer>
#include <QTimer>

// Everything one operation knows, made when it starts and dropped when it ends, however it
// ends: the next operation cannot see any of it.
struct TTransferRun {
    explicit TTransferRun(TTransferPlan plan, int id) : Plan(std::move(plan)), Id(id)
    {
        Clock.start();
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
    int Sends = 0;            // sends of the request in flight
    int Answers = 0;          // answers to it so far (NAK, garbled, the one taken)
    int Failures = 0;         // NAKs, bad answers and time-outs of the request in flight
    int Naks = 0;
    int TimeOuts = 0;
    QByteArray LastRefused;   // the last answer not accepted, for the message
    bool Wrote = false;       // a write went to the panel

    // After a failure answered by the panel, or an answer to a request sent more than once,
    // the line settles before the next send; what arrives meanwhile belongs to earlier sends.
    QTimer SettleTimer;
    int SettleMs = 0;
    int SettleExtensions = 0;
    bool SendAfterSettle = false;  // the in-flight request goes (again) when the line is quiet

    int Asking = 0;  // questions open that the operation waits on
};
