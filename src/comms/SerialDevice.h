#pragma once

#include "comms/ComPortTypes.h"

#include <QString>
#include <QThread>
#include <QtGlobal>
#include <algorithm>
#include <functional>

// One serial device as TSigComPort drives it: a real port (QSerialPort) or the in-memory line
// to an emulated panel. Reads never block: they return at once with what is waiting.
class TSerialDevice {
public:
    virtual ~TSerialDevice() = default;

    // Opens the existing device for reading and writing, exclusively.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Line settings; false when the device refuses them (ErrorCode tells why).
    virtual bool ApplySettings(const TLineSettings& settings) = 0;
    // Driver queue sizes in bytes; false when refused.
    virtual bool SetQueueSizes(int inputBytes, int outputBytes) = 0;
    // The system's error code of the last refused step, 0 when there was none.
    virtual quint32 ErrorCode() const = 0;
    // Why the last Open failed, in words (not found, permission denied, in use, not a serial
    // device) with the system's own text; empty when it did not fail.
    virtual QString OpenErrorText() const { return {}; }
    // The system device this backend opens, for messages; empty when there is none.
    virtual QString DevicePath() const { return {}; }
    // Waits, without spinning, up to ms for the output queue to drain a little. A backend
    // that cannot wait on its queue lets a few milliseconds pass.
    virtual void WaitForWritten(int ms)
    {
        QThread::msleep(static_cast<unsigned long>(std::clamp(ms, 0, 5)));
    }

    // Discards what waits in the input and/or output queue.
    virtual void Purge(bool input, bool output) = 0;
    // Bytes still waiting in the output queue.
    virtual qint64 BytesToWrite() = 0;
    // Bytes accepted into the output queue; -1 on failure.
    virtual qint64 Write(const char* data, qint64 count) = 0;
    // Bytes read (0 when nothing waits); -1 on failure.
    virtual qint64 Read(char* data, qint64 maxCount) = 0;

    // Called (from the event loop, never from inside Write) when received bytes are waiting.
    std::function<void()> OnReadyRead;
    // Called once (from the event loop) when the open device stops working: unplugged, or the
    // far end of a pseudo-terminal closed. The device has closed itself; reason says why.
    std::function<void(const QString& reason)> OnLost;
};
