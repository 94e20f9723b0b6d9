#include "comms/WirePacer.h"

#include <QTimer>
#include <algorithm>

TWirePacer::TWirePacer(TDeliver deliver) : deliver_(std::move(deliver))
{
    clock_.start();
}

void TWirePacer::SetBitRate(int bitsPerSecond)
{
    bitRate_ = std::max(0, bitsPerSecond);
}

qint64 TWirePacer::ByteNs() const
{
    return bitRate_ > 0 ? 10'000'000'000LL / bitRate_ : 0;
}

void TWirePacer::Push(const QByteArray& bytes, const TLineSettings& settings)
{
    if (bytes.isEmpty())
        return;
    const qint64 now = clock_.nsecsElapsed();
    lineFreeNs_ = std::max(lineFreeNs_, now) + ByteNs() * bytes.size();
    chunks_.push_back({bytes, settings, lineFreeNs_});
    Schedule();
}

qint64 TWirePacer::BytesInFlight() const
{
    const qint64 byteNs = ByteNs();
    if (byteNs == 0)
        return 0;
    const qint64 left = lineFreeNs_ - clock_.nsecsElapsed();
    return left > 0 ? (left + byteNs - 1) / byteNs : 0;
}

void TWirePacer::Clear()
{
    chunks_.clear();
    lineFreeNs_ = std::min(lineFreeNs_, clock_.nsecsElapsed());
}

void TWirePacer::Schedule()
{
    if (scheduled_ || chunks_.empty())
        return;
    scheduled_ = true;
    // Timers count whole milliseconds: sleep the whole ones, then turn the event loop until the
    // chunk is due, so that no delivery comes early and none waits up to a millisecond extra.
    const qint64 waitNs = chunks_.front().DueNs - clock_.nsecsElapsed();
    const int waitMs = waitNs > 0 ? static_cast<int>(waitNs / 1'000'000) : 0;
    QTimer::singleShot(waitMs, Qt::PreciseTimer, &context_, [this] { DeliverDue(); });
}

void TWirePacer::DeliverDue()
{
    scheduled_ = false;
    // Delivery may push more or clear (the receiver answers or closes): take one chunk at a time.
    while (!chunks_.empty() && chunks_.front().DueNs <= clock_.nsecsElapsed()) {
        TChunk chunk = std::move(chunks_.front());
        chunks_.pop_front();
        deliver_(chunk.Bytes, chunk.Settings);
    }
    Schedule();
}
