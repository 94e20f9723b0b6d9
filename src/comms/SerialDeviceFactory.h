#pragma once

#include "comms/ComPortTypes.h"
#include "comms/PanelEndpoint.h"
#include "comms/SerialDevice.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// The port name that stands for the emulated panel.
inline constexpr const char* DemoPortName = "demo";

// Supplies the panel behind the port name "demo". The emulator layer registers one
// (see sim/DemoPanel.h); comms itself never depends on the emulator.
using TDemoPanelFactory = std::function<std::shared_ptr<TPanelEndpoint>()>;
void SetDemoPanelFactory(TDemoPanelFactory factory);
bool HasDemoPanel();

// The device path a COMn name stands for. On Windows the name itself; elsewhere the path kept
// in the per-user settings store ("Brenmoor" / "QEM Tools", key "DevicePaths/COMn", shared with the storage layer),
// /dev/ttyS0 .. /dev/ttyS7 by default.
QString DevicePathFor(TComPortNumber port);
void SetDevicePathFor(TComPortNumber port, const QString& path);
// The ports the system reports, as device paths.
QStringList AvailablePortPaths();

// The backend for a port name: "demo", "COM1".."COM8" (case-insensitive) or a full device path.
// Null for "demo" when no demo panel is registered.
std::unique_ptr<TSerialDevice> CreateSerialDevice(const QString& portName);
