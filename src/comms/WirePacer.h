#pragma once

#include "comms/ComPortTypes.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <deque>
#include <functional>

// One direction of a serial line with its wire time: bytes pushed in come out of Deliver, in
// order and always from the event loop, once their last byte would have crossed the wire
// (10 bit times per byte at BitRate; at 0 on the next turn of the event loop).
class TWirePacer {
public:
    using TDeliver = std::function<void(const QByteArray& bytes, const TLineSettings& settings)>;

    explicit TWirePacer(TDeliver deliver);

    void SetBitRate(int bitsPerSecond);
    int BitRate() const { return bitRate_; }

    void Push(const QByteArray& bytes, const TLineSettings& settings = {});
    // Bytes not yet fully on the wire.
    qint64 BytesInFlight() const;
    // Forgets everything not yet delivered.
    void Clear();

private:
    struct TChunk {
        QByteArray Bytes;
        TLineSettings Settings;
        qint64 DueNs = 0;
    };

    qint64 ByteNs() const;
    void Schedule();
    void DeliverDue();

    TDeliver deliver_;
    int bitRate_ = 0;
    QElapsedTimer clock_;
    qint64 lineFreeNs_ = 0;
    std::deque<TChunk> chunks_;
    bool scheduled_ = false;
    QObject context_;
};
