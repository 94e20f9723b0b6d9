#pragma once

#include "panel/TransferOutcome.h"

#include <functional>

class TTransferSequencer;

// Runs one panel operation to its end on a nested event loop and returns how it ended: the
// one blocking form of the sequencer, for zolctl, the read-backs and tests.
// start calls one of the sequencer's operations and returns whether it started.
// limitMs > 0: an operation still running then is cancelled (outcome Cancelled).
class TTransferRunner {
public:
    static TTransferResult Run(TTransferSequencer& sequencer, const std::function<bool()>& start,
                               int limitMs = 0);
};
