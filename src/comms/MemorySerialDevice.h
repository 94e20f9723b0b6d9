#pragma once

#include "comms/PanelEndpoint.h"
#include "comms/SerialDevice.h"
#include "comms/WirePacer.h"

#include <QByteArray>
#include <memory>
#include <vector>

// The in-memory backend: a serial line joined to a TPanelEndpoint (the emulated panel).
// What the tool writes reaches the panel, and the panel's answers reach the input queue,
// asynchronously and after the wire time when the panel asks for it. A real line cannot
// report parity changes, so this backend records the settings in force for every byte written.
class TMemorySerialDevice : public TSerialDevice {
public:
    struct TWrittenByte {
        quint8 Byte = 0;
        TLineSettings Settings;
    };

    explicit TMemorySerialDevice(std::shared_ptr<TPanelEndpoint> panel);
    ~TMemorySerialDevice() override;

    bool Open() override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    bool ApplySettings(const TLineSettings& settings) override;
    bool SetQueueSizes(int inputBytes, int outputBytes) override;
    quint32 ErrorCode() const override { return 0; }
    void Purge(bool input, bool output) override;
    qint64 BytesToWrite() override;
    qint64 Write(const char* data, qint64 count) override;
    qint64 Read(char* data, qint64 maxCount) override;

    const std::shared_ptr<TPanelEndpoint>& Panel() const { return panel_; }
    const TLineSettings& Settings() const { return settings_; }
    // Every byte written since construction (or ClearWritten), with its line settings.
    const std::vector<TWrittenByte>& Written() const { return written_; }
    QByteArray WrittenBytes() const;
    void ClearWritten() { written_.clear(); }

    // Test hooks for a stalled line: with OutputBlocked the output queue reports itself full;
    // with AcceptNothing Write accepts 0 bytes.
    void SetOutputBlocked(bool blocked) { outputBlocked_ = blocked; }
    void SetAcceptNothing(bool acceptNothing) { acceptNothing_ = acceptNothing; }
    // Test hook for an unplugged cable: the device closes and reports itself lost.
    void Unplug();

private:
    void FromPanel(const QByteArray& bytes);

    std::shared_ptr<TPanelEndpoint> panel_;
    TLineSettings settings_;
    bool open_ = false;
    int outputQueueSize_ = 2048;
    bool outputBlocked_ = false;
    bool acceptNothing_ = false;
    QByteArray input_;
    std::vector<TWrittenByte> written_;
    TWirePacer toPanel_;
    TWirePacer toTool_;
};
