#include "comms/CommPanel.h"

#include <QStringList>
#include <array>

namespace {

constexpr char AckByte = 0x06;
constexpr char CrByte = 0x0D;
constexpr char NakByte = 0x15;

// Blanks and commas separate fields; a run of separators ends a field once, and a separator at
// the very start gives an empty first field.
QStringList SplitSetupFields(const QString& text)
{
    QStringList fields;
    QString current;
    bool previousWasSeparator = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool separator = c == QLatin1Char(' ') || c == QLatin1Char(',');
        if (separator) {
            if (i == 0 || !previousWasSeparator) {
                fields << current;
                current.clear();
            }
        } else {
            current += c;
        }
        previousWasSeparator = separator;
    }
    if (!text.isEmpty() && !previousWasSeparator)
        fields << current;
    return fields;
}

void CheckSize(qint64 size, const char* what)
{
    if (size < 0 || size > 65535)
        throw ERangeError(std::string(what) + " out of range 0..65535: " + std::to_string(size));
}

} // namespace

QString ControlCharNames(const QByteArray& bytes)
{
    static const std::array<const char*, 32> names{
        "<NUL>", "<SOH>", "<STX>", "<ETX>", "<EOT>", "<ENQ>", "<ACK>", "<BEL>",
        "<BS>",  "<HT>",  "<LF>",  "<VT>",  "<FF>",  "<CR>",  "<SO>",  "<SI>",
        "<DLE>", "<DC1>", "<DC2>", "<DC3>", "<DC4>", "<NAK>", "<SYN>", "<ETB>",
        "<CAN>", "<EM>",  "<SUB>", "<ESC>", "<FS>",  "<GS>",  "<RS>",  "<US>"};
    QString text;
    for (char c : bytes) {
        const auto b = static_cast<quint8>(c);
        if (b < names.size())
            text += QLatin1String(names[b]);
        else
            text += QChar(b);
    }
    return text;
}

TCommPanel::TCommPanel()
{
    // The port's events always reach this component's current handlers (virtual, so the
    // packet layer's replacements apply too).
    port_.OnReceiveData = [this](TSigComPort* sender, const char* data, int size) {
        PortReceiveData(sender, data, size);
    };
    port_.OnInputTimeout = [this](TSigComPort*) { PortInputTimeout(); };
    port_.OnOutputTimeout = [this](TSigComPort*) { PortOutputTimeout(); };
    port_.OnTick = [this](TSigComPort*) { PortTick(); };
    port_.OnDeviceLost = [this](TSigComPort*) {
        if (OnDeviceLost)
            OnDeviceLost(this);
    };
    SetSetupString(QStringLiteral("COM1: 9600, e, 7, 1"));
}

TCommPanel::~TCommPanel() = default;

void TCommPanel::Loaded()
{
    // The first moment the owner can have assigned OnCreate.
    if (OnCreate)
        OnCreate(this);
    if (autoOpen_)
        Open();
}

void TCommPanel::SetSetupString(const QString& text)
{
    setupString_ = text;
    const QStringList fields = SplitSetupFields(text);
    if (fields.size() > 5)
        throw ERangeError("setup string has more than five fields: " + text.toStdString());

    static const QStringList ports{QStringLiteral("COM1:"), QStringLiteral("COM2:"), QStringLiteral("COM3:"),
                                   QStringLiteral("COM4:")};
    static const QStringList rates{QStringLiteral("110"),   QStringLiteral("300"),   QStringLiteral("600"),
                                   QStringLiteral("1200"),  QStringLiteral("2400"),  QStringLiteral("4800"),
                                   QStringLiteral("9600"),  QStringLiteral("14400"), QStringLiteral("19200"),
                                   QStringLiteral("38400"), QStringLiteral("56000"), QStringLiteral("57600"),
                                   QStringLiteral("115200")};
    if (fields.size() > 0) {
        const int i = ports.indexOf(fields[0].toUpper());
        if (i >= 0)
            port_.SetComPort(static_cast<TComPortNumber>(i));
    }
    if (fields.size() > 1) {
        const int i = rates.indexOf(fields[1]);
        if (i >= 0)
            port_.SetComPortSpeed(static_cast<TComPortBaudRate>(i));
    }
    if (fields.size() > 2) {
        const QString p = fields[2].toLower();
        if (p == QLatin1String("n") || p == QLatin1String("none"))
            port_.SetComPortParity(ptNONE);
        else if (p == QLatin1String("o") || p == QLatin1String("odd"))
            port_.SetComPortParity(ptODD);
        else if (p == QLatin1String("e") || p == QLatin1String("even"))
            port_.SetComPortParity(ptEVEN);
        else if (p == QLatin1String("m") || p == QLatin1String("mark"))
            port_.SetComPortParity(ptMARK);
        else if (p == QLatin1String("s") || p == QLatin1String("space"))
            port_.SetComPortParity(ptSPACE);
    }
    if (fields.size() > 3) {
        static const QStringList bits{QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
                                      QStringLiteral("8")};
        const int i = bits.indexOf(fields[3]);
        if (i >= 0)
            port_.SetComPortDataBits(static_cast<TComPortDataBits>(i));
    }
    if (fields.size() > 4) {
        if (fields[4] == QLatin1String("1"))
            port_.SetComPortStopBits(sb1BITS);
        else if (fields[4] == QLatin1String("2"))
            port_.SetComPortStopBits(sb2BITS);
    }
}

qint64 TCommPanel::GetSendBufferSize() const
{
    return port_.ComPortOutBufSize();
}

void TCommPanel::SetSendBufferSize(qint64 size)
{
    CheckSize(size, "SendBufferSize");
    port_.SetComPortOutBufSize(static_cast<quint16>(size));
}

qint64 TCommPanel::GetRcvBufferSize() const
{
    return port_.ComPortInBufSize();
}

void TCommPanel::SetRcvBufferSize(qint64 size)
{
    CheckSize(size, "RcvBufferSize");
    port_.SetComPortInBufSize(static_cast<quint16>(size));
}

quint16 TCommPanel::GetTickInterval() const
{
    return port_.ComPortPollingDelay();
}

void TCommPanel::SetTickInterval(quint16 ms)
{
    port_.SetComPortPollingDelay(ms);
}

bool TCommPanel::GetInputTimeoutArmed() const
{
    return port_.InputTimeoutArmed();
}

void TCommPanel::SetInputTimeoutArmed(bool armed)
{
    port_.SetInputTimeoutArmed(armed);
}

quint32 TCommPanel::TimeOut() const
{
    const quint16 tick = GetTickInterval();
    return tick == 0 ? 0 : InputTimeOut() / tick;
}

void TCommPanel::SetTimeOut(quint32 ticks)
{
    SetInputTimeOut(ticks * GetTickInterval());
}

bool TCommPanel::IsOpen() const
{
    return port_.IsOpen();
}

quint32 TCommPanel::LastError() const
{
    return port_.LastError();
}

bool TCommPanel::Open()
{
    return port_.Open();
}

QString TCommPanel::DeviceText() const
{
    const QString reason = port_.LostReason();
    return reason.isEmpty() ? port_.DeviceText() : port_.DeviceText() + QStringLiteral(": ") + reason;
}

void TCommPanel::Close()
{
    port_.Close();
    port_.SetInputTimeoutArmed(false);
}

void TCommPanel::Purge(bool input, bool output)
{
    port_.Purge(input, output);
}

void TCommPanel::SendText(QByteArray text, bool showCR)
{
    if (showCR && autoAppendCR_)
        text.append(CrByte);
    if (OnOutput)
        OnOutput(this, ControlCharNames(text));
    if (!showCR && autoAppendCR_)
        text.append(CrByte);
    port_.WriteString(text);
}

void TCommPanel::Send(const QByteArray& text)
{
    SendText(text, false);
}

void TCommPanel::SendShowingCR(const QByteArray& text)
{
    SendText(text, true);
}

void TCommPanel::PortReceiveData(TSigComPort* sender, const char* data, int size)
{
    if (OnReceiveData)
        OnReceiveData(sender, data, size);
    // The handlers may close the port; work on a copy of the bytes.
    const QByteArray bytes(data, size);
    for (char b : bytes) {
        if (OnCharacter)
            OnCharacter(this, b);
        if (b == AckByte || b == CrByte || b == NakByte) {
            rawLine_.append(b);
            displayLine_ += ControlCharNames(QByteArray(1, b));
            if (OnInput)
                OnInput(this, displayLine_);
            const TNotifyEvent& event = b == AckByte ? OnAck : b == CrByte ? OnCR : OnNak;
            if (event)
                event(this);
            rawLine_.clear();
            displayLine_.clear();
            port_.SetInputTimeoutArmed(false);
        } else {
            rawLine_.append(b);
            displayLine_ += QChar(static_cast<quint8>(b));
        }
    }
}

void TCommPanel::PortInputTimeout()
{
    if (OnTimeOut)
        OnTimeOut(this);
}

void TCommPanel::PortOutputTimeout()
{
    if (OnOutputTimeout)
        OnOutputTimeout(this);
}

void TCommPanel::PortTick()
{
    if (OnTick)
        OnTick(this);
}
