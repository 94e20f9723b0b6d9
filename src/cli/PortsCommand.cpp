#include "cli/Commands.h"

#include "storage/PortSettings.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace {

QString UsbIds(const QSerialPortInfo& port)
{
    if (!port.hasVendorIdentifier() || !port.hasProductIdentifier())
        return QStringLiteral("-");
    return QStringLiteral("%1:%2")
        .arg(port.vendorIdentifier(), 4, 16, QLatin1Char('0'))
        .arg(port.productIdentifier(), 4, 16, QLatin1Char('0'));
}

// A port mapped through a link (a udev name, a pseudo-terminal of an emulator) is judged by
// what the link leads to.
QString Resolved(const QString& device)
{
    const QString canonical = QFileInfo(device).canonicalFilePath();
    return canonical.isEmpty() ? device : canonical;
}

bool IsPresent(const QString& device, const QList<QSerialPortInfo>& ports)
{
    const QString resolved = Resolved(device);
    if (std::any_of(ports.cbegin(), ports.cend(), [&](const QSerialPortInfo& p) {
            return Resolved(p.systemLocation()) == resolved;
        }))
        return true;
#ifdef Q_OS_UNIX
    // The system lists no pseudo-terminals; a device file that is there is a port.
    const QFileInfo info(resolved);
    return info.exists() && !info.isDir() && !info.isFile();
#else
    return false;
#endif
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
        const QString resolved = Resolved(device);
        out << "    COM" << n << "  " << device.leftJustified(20)
            << (resolved != device ? QStringLiteral(" -> ") + resolved : QString())
            << (IsPresent(device, ports) ? QString() : QStringLiteral(" (not present)")) << '\n';
    }
    out << "    demo  an emulated panel inside zolctl: empty at the start of every command, keeps "
           "nothing\n";
    return ecSuccess;
}
