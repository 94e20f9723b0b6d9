#include "cli/Commands.h"

#include "storage/PortSettings.h"

#include <QSerialPortInfo>

namespace {

QString UsbIds(const QSerialPortInfo& port)
{
    if (!port.hasVendorIdentifier() || !port.hasProductIdentifier())
        return QStringLiteral("-");
    return QStringLiteral("%1:%2")
        .arg(port.vendorIdentifier(), 4, 16, QLatin1Char('0'))
        .arg(port.productIdentifier(), 4, 16, QLatin1Char('0'));
}

QString OrDash(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("-") : text;
}

} // namespace

int RunPortsCommand(const QStringList& args, TCliContext& context)
{
    QStringList positional;
    QHash<QString, QString> options;
    if (!ParseOptions(context, args, {}, positional, options))
        return ecUsage;
    if (!positional.isEmpty())
        return UsageError(context, QStringLiteral("ports takes no arguments"));

    QTextStream& out = context.Out;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    out << "Serial ports of this system:\n";
    if (ports.isEmpty())
        out << "    none found\n";
    for (const QSerialPortInfo& port : ports)
        out << "    " << port.systemLocation().leftJustified(20) << ' '
            << OrDash(port.description()) << ", " << OrDash(port.manufacturer()) << ", USB "
            << UsbIds(port) << '\n';

    out << "Port names (set in the program's port dialog):\n";
    const TPortSettings settings;
    for (int n = 1; n <= TPortSettings::MaxComPort; ++n) {
        const QString device = settings.DevicePath(n);
        const bool present = std::any_of(ports.cbegin(), ports.cend(), [&](const QSerialPortInfo& p) {
            return p.systemLocation() == device;
        });
        out << "    COM" << n << "  " << device.leftJustified(20)
            << (present ? QString() : QStringLiteral(" (not present)")) << '\n';
    }
    out << "    demo  an emulated panel inside zolctl: empty at the start of every command, keeps "
           "nothing\n";
    return ecSuccess;
}
