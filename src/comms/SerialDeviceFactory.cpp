#include "comms/SerialDeviceFactory.h"

#include "comms/MemorySerialDevice.h"
#include "comms/QtSerialDevice.h"

#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QSettings>

namespace {

TDemoPanelFactory& DemoFactory()
{
    static TDemoPanelFactory factory;
    return factory;
}

QString SettingsKey(TComPortNumber port)
{
    return QStringLiteral("DevicePaths/") + ComPortName(port);
}

} // namespace

void SetDemoPanelFactory(TDemoPanelFactory factory)
{
    DemoFactory() = std::move(factory);
}

bool HasDemoPanel()
{
    return static_cast<bool>(DemoFactory());
}

QString DevicePathFor(TComPortNumber port)
{
#ifdef Q_OS_WIN
    return ComPortName(port);
#else
    QSettings settings(QStringLiteral("Brenmoor"), QStringLiteral("QEM Tools"));
    return settings.value(SettingsKey(port), QStringLiteral("/dev/ttyS%1").arg(static_cast<int>(port)))
        .toString();
#endif
}

void SetDevicePathFor(TComPortNumber port, const QString& path)
{
    QSettings settings(QStringLiteral("Brenmoor"), QStringLiteral("QEM Tools"));
    settings.setValue(SettingsKey(port), path);
}

QStringList AvailablePortPaths()
{
    QStringList paths;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        paths << info.systemLocation();
    return paths;
}

std::unique_ptr<TSerialDevice> CreateSerialDevice(const QString& portName)
{
    if (portName.compare(QLatin1String(DemoPortName), Qt::CaseInsensitive) == 0) {
        if (!HasDemoPanel())
            return nullptr;
        return std::make_unique<TMemorySerialDevice>(DemoFactory()());
    }
    static const QRegularExpression comName(QStringLiteral("^COM([1-8])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = comName.match(portName);
    if (m.hasMatch())
        return std::make_unique<TQtSerialDevice>(
            DevicePathFor(static_cast<TComPortNumber>(m.captured(1).toInt() - 1)));
    return std::make_unique<TQtSerialDevice>(portName);
}
