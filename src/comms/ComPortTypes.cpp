#include "comms/ComPortTypes.h"

#include <array>

int BaudRateValue(TComPortBaudRate rate)
{
    static constexpr std::array<int, 13> rates{110,   300,   600,   1200,  2400,  4800,  9600,
                                               14400, 19200, 38400, 56000, 57600, 115200};
    const auto i = static_cast<std::size_t>(rate);
    return i < rates.size() ? rates[i] : 9600;
}

QString ComPortName(TComPortNumber port)
{
    return QStringLiteral("COM%1").arg(static_cast<int>(port) + 1);
}
