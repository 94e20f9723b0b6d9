#include "comms/MemorySerialDevice.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// What the panel sends through while this device is the one joined to it.
struct TToolSink {
    TMemorySerialDevice* Device;
    std::function<void(const QByteArray&)> Forward;
    void operator()(const QByteArray& bytes) const { Forward(bytes); }
};

} // namespace

TMemorySerialDevice::TMemorySerialDevice(std::shared_ptr<TPanelEndpoint> panel)
    : panel_(std::move(panel)),
      toPanel_([this](const QByteArray& bytes, const TLineSettings& settings) {
          if (open_ && panel_)
              panel_->ReceiveFromTool(bytes, settings);
      }),
      toTool_([this](const QByteArray& bytes, const TLineSettings&) {
          if (!open_)
              return;
          input_.append(bytes);
          if (OnReadyRead)
              OnReadyRead();
      })
{
}

TMemorySerialDevice::~TMemorySerialDevice()
{
    Close();
}

bool TMemorySerialDevice::Open()
{
    if (!panel_)
        return false;
    open_ = true;
    const int rate = panel_->WireBitRate();
    toPanel_.SetBitRate(rate);
    toTool_.SetBitRate(rate);
    panel_->SendToTool = TToolSink{this, [this](const QByteArray& bytes) { FromPanel(bytes); }};
    return true;
}

void TMemorySerialDevice::Close()
{
    if (!open_)
        return;
    open_ = false;
    toPanel_.Clear();
    toTool_.Clear();
    input_.clear();
    // Another line may have been joined to the same panel since; leave that one alone.
    const auto* sink = panel_ ? panel_->SendToTool.target<TToolSink>() : nullptr;
    if (sink && sink->Device == this)
        panel_->SendToTool = nullptr;
}

bool TMemorySerialDevice::ApplySettings(const TLineSettings& settings)
{
    settings_ = settings;
    return true;
}

bool TMemorySerialDevice::SetQueueSizes(int, int outputBytes)
{
    outputQueueSize_ = outputBytes;
    return true;
}

void TMemorySerialDevice::Purge(bool input, bool output)
{
    if (input)
        input_.clear();
    if (output)
        toPanel_.Clear();
}

qint64 TMemorySerialDevice::BytesToWrite()
{
    if (outputBlocked_)
        return std::numeric_limits<quint16>::max();
    return toPanel_.BytesInFlight();
}

qint64 TMemorySerialDevice::Write(const char* data, qint64 count)
{
    if (!open_)
        return -1;
    if (acceptNothing_ || count <= 0)
        return 0;
    const QByteArray bytes(data, count);
    for (char b : bytes)
        written_.push_back({static_cast<quint8>(b), settings_});
    toPanel_.Push(bytes, settings_);
    return count;
}

qint64 TMemorySerialDevice::Read(char* data, qint64 maxCount)
{
    if (!open_)
        return -1;
    const qint64 n = std::min<qint64>(maxCount, input_.size());
    if (n > 0) {
        std::memcpy(data, input_.constData(), static_cast<std::size_t>(n));
        input_.remove(0, n);
    }
    return n;
}

void TMemorySerialDevice::Unplug()
{
    if (!open_)
        return;
    Close();
    if (OnLost)
        OnLost(QStringLiteral("device removed"));
}

QByteArray TMemorySerialDevice::WrittenBytes() const
{
    QByteArray bytes;
    for (const TWrittenByte& w : written_)
        bytes.append(static_cast<char>(w.Byte));
    return bytes;
}

void TMemorySerialDevice::FromPanel(const QByteArray& bytes)
{
    if (open_)
        toTool_.Push(bytes);
}
